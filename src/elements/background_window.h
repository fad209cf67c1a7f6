#pragma once

#include "elements/picker_window.h"

// The background picker: appends a body tag naming a background picture.
class Form8 : public PickerWindow
{
    Q_OBJECT

public:
    explicit Form8(QWidget *parent = nullptr);

    void Button1Click();
};
