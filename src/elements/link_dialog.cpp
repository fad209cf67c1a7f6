#include "elements/link_dialog.h"

#include "app/window_frame.h"

using namespace Qt::StringLiterals;

Form7::Form7(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form7"_s);
    setUpWindow(this, u"Link"_s, Border::Fixed, 200, 109, 247, 148);
}
