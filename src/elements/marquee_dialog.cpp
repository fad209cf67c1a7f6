#include "elements/marquee_dialog.h"

#include "document/text_editor.h"
#include "elements/snippets.h"
#include "elements/spin_field.h"
#include "foundation/error_display.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
SpinField *spinField(const QString &name, int top, QWidget *parent)
{
    auto *spin = new SpinField(parent);
    spin->setObjectName(name);
    place(spin, 80, top, 121, 22);
    spin->setValue(5);
    return spin;
}
} // namespace

Form12::Form12(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form12"_s);
    setUpWindow(this, u"Laufzeile"_s, Border::Fixed, 362, 165, 298, 158);

    Label1 = addLabel(u"Label1"_s, u"Scrollgeschwindigkeit"_s, this, 80, 0);
    SpinEdit1 = spinField(u"SpinEdit1"_s, 16, this);
    Label2 = addLabel(u"Label2"_s, u"Scrollmoment"_s, this, 80, 40);
    SpinEdit2 = spinField(u"SpinEdit2"_s, 56, this);
    Label3 = addLabel(u"Label3"_s, u"Text:"_s, this, 16, 80);
    Edit1 = addControl<QLineEdit>(u"Edit1"_s, this, 16, 96, 265, 21);
    Button1 = addControl<QPushButton>(u"Button1"_s, this, 104, 128, 75, 25, u"O.K"_s);
    setTabChain({SpinEdit1, SpinEdit2, Edit1, Button1});

    connectHandler(Button1, &QPushButton::clicked, this, &Form12::Button1Click);
}

void Form12::Button1Click()
{
    AppendLines(Snippets::marquee(SpinEdit1->value(), SpinEdit2->value(), Edit1->text()),
                windows().HPQT);
    hide();
}
