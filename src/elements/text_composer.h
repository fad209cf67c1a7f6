#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QRadioButton;
class TextEditor;

// The text composer: a block of text appended to the document as text or heading.
class Form3 : public QWidget
{
    Q_OBJECT

public:
    explicit Form3(QWidget *parent = nullptr);

    QRadioButton *normal, *gross, *klein;
    QPushButton *Button1, *Button3, *Button2;
    QLabel *Label1, *Label2;
    TextEditor *Memo1; // the composer text, also appended to by Form4 and Form5

    void Button1Click();
    void Button2Click();
    void Button3Click();
};

// A memo of the composer windows: Enter breaks the line, Tab moves on, long lines wrap on the
// screen only, no scroll bars.
TextEditor *createComposerMemo(QWidget *parent);

// The two labels both composer windows show above their memo.
void createLineBreakHint(QWidget *parent, QLabel *&first, QLabel *&second);
