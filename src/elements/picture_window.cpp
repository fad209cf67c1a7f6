#include "elements/picture_window.h"

#include "app/window_frame.h"

using namespace Qt::StringLiterals;

Form6::Form6(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form6"_s);
    setUpWindow(this, u"Bild"_s, Border::Fixed, 395, 216, 270, 160);
}
