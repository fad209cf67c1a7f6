#pragma once

#include "elements/picker_window.h"

class QPushButton;

// The picture picker of the composer and the link dialog: "Bild verwenden" appends to the
// composer text, "Bild als Link" only closes and leaves the name in Edit1 for the link dialog.
class Form5 : public PickerWindow
{
    Q_OBJECT

public:
    explicit Form5(QWidget *parent = nullptr);

    QPushButton *Button2;

    void Button1Click();
    void Button2Click();
};
