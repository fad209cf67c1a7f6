#include "elements/table_dialogs.h"

#include "app/window_frame.h"

using namespace Qt::StringLiterals;

namespace {
const TableTagDialog::Member table{u"Form9", u"Tabelle", u"<table border=", 388, 109, 137, 187};
const TableTagDialog::Member cell{u"Form10", u"Zelle", u"<td border=", 587, 308, 138, 181};
const TableTagDialog::Member headerCell{u"Form11", u"Kopfzelle", u"<th border=", 671, 110, 134, 187};
} // namespace

TableTagDialog::TableTagDialog(const Member &member, QWidget *parent)
    : QWidget(parent), m_member(member)
{
    setObjectName(QString::fromUtf16(member.name));
    setUpWindow(this, QString::fromUtf16(member.caption), Border::Fixed, member.left, member.top,
                member.width, member.height);
}

Form9::Form9(QWidget *parent) : TableTagDialog(table, parent) {}
Form10::Form10(QWidget *parent) : TableTagDialog(cell, parent) {}
Form11::Form11(QWidget *parent) : TableTagDialog(headerCell, parent) {}
