#pragma once

#include <QWidget>

// The info window: a picture with a close button, shown at start-up and on "Info".
class Form14 : public QWidget
{
    Q_OBJECT

public:
    explicit Form14(QWidget *parent = nullptr);
};
