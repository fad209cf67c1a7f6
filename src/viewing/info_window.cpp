#include "viewing/info_window.h"

#include "app/window_frame.h"

using namespace Qt::StringLiterals;

Form14::Form14(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form14"_s);
    setUpWindow(this, QString(), Border::None, 446, 163, 403, 303);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    show(); // created visible
}
