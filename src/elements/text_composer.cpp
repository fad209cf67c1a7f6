#include "elements/text_composer.h"

#include "app/window_frame.h"

using namespace Qt::StringLiterals;

Form3::Form3(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form3"_s);
    setUpWindow(this, u"Text"_s, Border::Fixed, 519, 140, 309, 188);
}
