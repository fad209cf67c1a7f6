#include "elements/text_composer.h"

#include "app/window_frame.h"
#include "document/text_editor.h"

using namespace Qt::StringLiterals;

Form3::Form3(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form3"_s);
    setUpWindow(this, u"Text"_s, Border::Fixed, 519, 140, 309, 188);
    Memo1 = new TextEditor(this);
    Memo1->setObjectName(u"Memo1"_s);
    place(Memo1, 128, 40, 169, 145);
}
