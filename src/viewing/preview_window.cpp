#include "viewing/preview_window.h"

#include "app/window_frame.h"

using namespace Qt::StringLiterals;

Form13::Form13(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form13"_s);
    setUpWindow(this, u"Website anzeigen"_s, Border::Sizeable, 319, 214, 783, 584);
}
