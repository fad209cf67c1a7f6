#pragma once

#include <QWidget>

// Wraps a piece of text in a bold or italic element for the composer.
class Form4 : public QWidget
{
    Q_OBJECT

public:
    explicit Form4(QWidget *parent = nullptr);
};
