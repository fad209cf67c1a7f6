#pragma once

#include <QWidget>

class PicturePicker;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The picture picker of the composer and the link dialog: "Bild verwenden" appends to the
// composer text, "Bild als Link" only closes and leaves the name for the link dialog.
class Form5 : public QWidget
{
    Q_OBJECT

public:
    explicit Form5(QWidget *parent = nullptr);

    PicturePicker *picker;
    QComboBox *DriveComboBox1;
    QListWidget *DirectoryListBox1;
    QListWidget *FileListBox1;
    QLineEdit *Edit1; // read by the link dialog's picture link
    QLabel *Label1, *Label2;
    QPushButton *Button1, *Button2;

    void Button1Click();
    void Button2Click();
};
