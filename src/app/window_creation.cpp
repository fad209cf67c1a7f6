#include "app/window_creation.h"

#include "app/main_window.h"
#include "elements/background_window.h"
#include "elements/bold_italic_dialog.h"
#include "elements/composer_picture_window.h"
#include "elements/link_dialog.h"
#include "elements/marquee_dialog.h"
#include "elements/page_skeleton_dialog.h"
#include "elements/picture_window.h"
#include "elements/table_dialogs.h"
#include "elements/text_composer.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"
#include "viewing/info_window.h"
#include "viewing/preview_window.h"

#include <QApplication>
#include <QStyleFactory>

using namespace Qt::StringLiterals;

void createWindows()
{
    // The classic look: group captions sit on the frame line, so controls placed by pixel
    // inside a group box stay clear of its title.
    QApplication::setStyle(QStyleFactory::create(u"Windows"_s));
    QApplication::setFont(controlFont());
    WindowSet &w = windows();
    w.form1 = new Form1;
    w.HPQT = w.form1->HPQT;
    w.OpenDialog2 = &w.form1->OpenDialog2;
    w.form2 = new Form2;
    w.form3 = new Form3;
    w.form4 = new Form4;
    w.form5 = new Form5;
    w.form6 = new Form6;
    w.form7 = new Form7;
    w.form8 = new Form8;
    w.form9 = new Form9;
    w.form10 = new Form10;
    w.form11 = new Form11;
    w.form12 = new Form12;
    w.form13 = new Form13;
    w.form14 = new Form14;
}

void destroyWindows()
{
    WindowSet &w = windows();
    delete w.form14;
    delete w.form13;
    delete w.form12;
    delete w.form11;
    delete w.form10;
    delete w.form9;
    delete w.form8;
    delete w.form7;
    delete w.form6;
    delete w.form5;
    delete w.form4;
    delete w.form3;
    delete w.form2;
    delete w.form1;
    w = {};
}
