#include "elements/page_skeleton_dialog.h"

#include "document/text_editor.h"
#include "elements/snippets.h"
#include "foundation/error_display.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

Form2::Form2(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form2"_s);
    setUpWindow(this, u"Homepage-Titel"_s, Border::Fixed, 438, 131, 427, 78);

    Label1 = addLabel(u"Label1"_s, u"Homepage-Titel Eingeben:"_s, this, 24, 8);
    Edit1 = new QLineEdit(u"Noname"_s, this);
    Edit1->setObjectName(u"Edit1"_s);
    place(Edit1, 24, 24, 385, 21);
    Button1 = addControl<QPushButton>(u"Button1"_s, this, 128, 48, 169, 25, u"Titel Verwenden"_s);
    Button1->setDefault(true);
    new DefaultButton(this, Button1);
    setTabChain({Edit1, Button1});

    connectHandler(Button1, &QPushButton::clicked, this, &Form2::Button1Click);
}

void Form2::Button1Click()
{
    // Three appends, each a change of its own; a failing one stops the rest and keeps the
    // dialog open.
    for (const QString &piece : Snippets::pageStart(Edit1->text()))
        AppendLines(piece, windows().HPQT);
    hide();
}
