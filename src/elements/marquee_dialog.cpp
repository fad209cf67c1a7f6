#include "elements/marquee_dialog.h"

#include "app/window_frame.h"

using namespace Qt::StringLiterals;

Form12::Form12(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form12"_s);
    setUpWindow(this, u"Laufzeile"_s, Border::Fixed, 362, 165, 298, 158);
}
