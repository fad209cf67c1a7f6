#include "elements/page_skeleton_dialog.h"

#include "app/window_frame.h"

using namespace Qt::StringLiterals;

Form2::Form2(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form2"_s);
    setUpWindow(this, u"Homepage-Titel"_s, Border::Fixed, 438, 131, 427, 78);
}
