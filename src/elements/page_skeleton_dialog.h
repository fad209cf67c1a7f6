#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The page skeleton dialog: asks for the page title and appends the page start.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    explicit Form2(QWidget *parent = nullptr);

    QLabel *Label1;
    QLineEdit *Edit1;
    QPushButton *Button1;

    void Button1Click();
};
