#pragma once

#include <QWidget>

// The picture picker of the composer and the link dialog.
class Form5 : public QWidget
{
    Q_OBJECT

public:
    explicit Form5(QWidget *parent = nullptr);
};
