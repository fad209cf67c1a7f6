#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QRadioButton;
class TextEditor;

// Wraps a piece of text in a bold or italic element for the composer.
class Form4 : public QWidget
{
    Q_OBJECT

public:
    explicit Form4(QWidget *parent = nullptr);

    QPushButton *Button2;
    QRadioButton *bold, *RadioButton1;
    QLabel *Label1, *Label2;
    TextEditor *Memo1; // the bold/italic text

    void Button2Click();
};
