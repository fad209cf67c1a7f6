#pragma once

#include <QWidget>

class PicturePicker;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The picture picker that appends an img element to the document.
class Form6 : public QWidget
{
    Q_OBJECT

public:
    explicit Form6(QWidget *parent = nullptr);

    PicturePicker *picker;
    QComboBox *DriveComboBox1;
    QListWidget *DirectoryListBox1;
    QListWidget *FileListBox1;
    QLineEdit *Edit1;
    QLabel *Label1, *Label2;
    QPushButton *Button1;

    void Button1Click();
};
