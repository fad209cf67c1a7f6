#pragma once

#include "elements/picker_window.h"

// The picture picker that appends an img element to the document.
class Form6 : public PickerWindow
{
    Q_OBJECT

public:
    explicit Form6(QWidget *parent = nullptr);

    void Button1Click();
};
