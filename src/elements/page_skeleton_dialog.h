#pragma once

#include <QWidget>

// The page skeleton dialog: asks for the page title and appends the page start.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    explicit Form2(QWidget *parent = nullptr);
};
