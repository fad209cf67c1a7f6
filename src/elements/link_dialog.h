#pragma once

#include <QWidget>

// The link dialog: a text link or a picture link.
class Form7 : public QWidget
{
    Q_OBJECT

public:
    explicit Form7(QWidget *parent = nullptr);
};
