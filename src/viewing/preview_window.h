#pragma once

#include <QWidget>

// The preview window: shows a page file in a browser engine.
class Form13 : public QWidget
{
    Q_OBJECT

public:
    explicit Form13(QWidget *parent = nullptr);
};
