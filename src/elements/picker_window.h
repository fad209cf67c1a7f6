#pragma once

#include <QWidget>

class PicturePicker;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// What the three picture windows share: the picker with its file-name field, two lines of
// prompt and the button that uses the chosen name. Each window places them its own way.
class PickerWindow : public QWidget
{
    Q_OBJECT

public:
    struct Layout
    {
        const char16_t *name;
        const char16_t *caption;
        int left, top, width, height;
        int fileListHeight, fieldLeft;
        const char16_t *prompt;   // first line of the prompt
        const char16_t *subject;  // second line
        const char16_t *useCaption;
        int useLeft, useTop;
    };

    PickerWindow(const Layout &layout, QWidget *parent);

    PicturePicker *picker;
    QComboBox *DriveComboBox1;
    QListWidget *DirectoryListBox1;
    QListWidget *FileListBox1;
    QLineEdit *Edit1;
    QLabel *Label1, *Label2;
    QPushButton *Button1;
};
