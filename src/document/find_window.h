#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TextEditor;

// Find and replace in the page: a small modeless window over the page editor.
class Form15 : public QWidget
{
    Q_OBJECT

public:
    explicit Form15(TextEditor *editor, QWidget *parent = nullptr);

    QLabel *Label1, *Label2;
    QLineEdit *Edit1; // the text to find
    QLineEdit *Edit2; // the replacement
    QCheckBox *CheckBox1; // match case
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5;
    QLabel *Label3; // the status line

    void Button1Click(); // find the next match
    void Button2Click(); // find the match before
    void Button3Click(); // replace the selected match and find the next
    void Button4Click(); // replace all
    void Button5Click(); // close

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void find(bool forward);

    TextEditor *m_editor;
};
