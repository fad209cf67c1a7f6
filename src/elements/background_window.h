#pragma once

#include <QWidget>

// The background picker: appends a body tag naming a background picture.
class Form8 : public QWidget
{
    Q_OBJECT

public:
    explicit Form8(QWidget *parent = nullptr);
};
