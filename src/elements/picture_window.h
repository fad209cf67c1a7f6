#pragma once

#include <QWidget>

// The picture picker that appends an img element to the document.
class Form6 : public QWidget
{
    Q_OBJECT

public:
    explicit Form6(QWidget *parent = nullptr);
};
