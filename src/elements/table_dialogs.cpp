#include "elements/table_dialogs.h"

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
const TableTagDialog::Member table{u"Form9", u"Tabelle", u"<table border=",
                                   388, 109, 137, 187, 160, true};
const TableTagDialog::Member cell{u"Form10", u"Zelle", u"<td border=",
                                  587, 308, 138, 181, 156, false};
const TableTagDialog::Member headerCell{u"Form11", u"Kopfzelle", u"<th border=",
                                        671, 110, 134, 187, 160, false};

QLineEdit *field(const QString &name, int top, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    place(edit, 8, top, 121, 21);
    return edit;
}
} // namespace

TableTagDialog::TableTagDialog(const Member &member, QWidget *parent)
    : QWidget(parent), m_member(member)
{
    setObjectName(QString::fromUtf16(member.name));
    setUpWindow(this, QString::fromUtf16(member.caption), Border::Fixed, member.left, member.top,
                member.width, member.height);

    Label1 = addLabel(u"Label1"_s, u"Höhe: (für Automatik=\"\")"_s, this, 8, 8);
    Edit2 = field(u"Edit2"_s, 24, this);
    Label2 = addLabel(u"Label2"_s, u"Breite: (für Automatik=\"\")"_s, this, 8, 48);
    Edit1 = field(u"Edit1"_s, 64, this);
    Label3 = addLabel(u"Label3"_s, u"Rahmendicke"_s, this, 8, 112);
    SpinEdit1 = new SpinField(this);
    SpinEdit1->setObjectName(u"SpinEdit1"_s);
    place(SpinEdit1, 8, 128, 121, 22);
    SpinEdit1->setValue(0);
    Button1 = addControl<QPushButton>(u"Button1"_s, this, 32, member.buttonTop, 75, 25, u"O.K"_s);

    if (member.borderFirst)
        setTabChain({SpinEdit1, Edit1, Edit2, Button1});
    else
        setTabChain({Edit2, Edit1, SpinEdit1, Button1});

    connectHandler(Button1, &QPushButton::clicked, this, &TableTagDialog::Button1Click);
}

void TableTagDialog::Button1Click()
{
    AppendLines(Snippets::tableTag(QString::fromUtf16(m_member.tagStart), SpinEdit1->value(),
                                   Edit2->text(), Edit1->text()),
                windows().HPQT);
    hide();
}

Form9::Form9(QWidget *parent) : TableTagDialog(table, parent) {}
Form10::Form10(QWidget *parent) : TableTagDialog(cell, parent) {}
Form11::Form11(QWidget *parent) : TableTagDialog(headerCell, parent) {}
