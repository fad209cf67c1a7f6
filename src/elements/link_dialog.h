#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The link dialog: a text link, or a picture link whose picture is named in Form5's field.
class Form7 : public QWidget
{
    Q_OBJECT

public:
    explicit Form7(QWidget *parent = nullptr);

    QLabel *Label1, *Label2;
    QLineEdit *Edit1; // link text
    QLineEdit *Edit2; // link target
    QRadioButton *normal, *bild;
    QPushButton *Button1;

    void bildClick();
    void Button1Click();
};
