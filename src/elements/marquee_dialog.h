#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class SpinField;

// The marquee dialog: a running text line with speed and delay.
class Form12 : public QWidget
{
    Q_OBJECT

public:
    explicit Form12(QWidget *parent = nullptr);

    QLabel *Label1, *Label2, *Label3;
    SpinField *SpinEdit1; // speed
    SpinField *SpinEdit2; // delay
    QLineEdit *Edit1;
    QPushButton *Button1;

    void Button1Click();
};
