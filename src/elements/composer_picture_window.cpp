#include "elements/composer_picture_window.h"

#include "app/window_frame.h"

using namespace Qt::StringLiterals;

Form5::Form5(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form5"_s);
    setUpWindow(this, u"Bild"_s, Border::Fixed, 374, 192, 282, 153);
}
