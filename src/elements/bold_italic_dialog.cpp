#include "elements/bold_italic_dialog.h"

#include "app/window_frame.h"

using namespace Qt::StringLiterals;

Form4::Form4(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form4"_s);
    setUpWindow(this, u"Fett/Kursiv"_s, Border::Fixed, 368, 153, 301, 189);
}
