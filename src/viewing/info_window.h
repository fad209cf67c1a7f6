#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The info window: a picture with a close button, shown at start-up and on "Info".
class Form14 : public QWidget
{
    Q_OBJECT

public:
    explicit Form14(QWidget *parent = nullptr);

    QLabel *Image1;
    QPushButton *Button1;

    void Button1Click();
};

// The picture as stored with the program, a JPEG stream.
QByteArray infoPictureStream();
