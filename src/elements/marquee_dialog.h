#pragma once

#include <QWidget>

// The marquee dialog: a running text line with speed and delay.
class Form12 : public QWidget
{
    Q_OBJECT

public:
    explicit Form12(QWidget *parent = nullptr);
};
