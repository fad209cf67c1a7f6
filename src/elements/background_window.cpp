#include "elements/background_window.h"

#include "app/window_frame.h"

using namespace Qt::StringLiterals;

Form8::Form8(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form8"_s);
    setUpWindow(this, u"Hintergrund"_s, Border::Fixed, 411, 264, 276, 157);
}
