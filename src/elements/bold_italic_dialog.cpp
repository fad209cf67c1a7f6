#include "elements/bold_italic_dialog.h"

#include "document/text_editor.h"
#include "elements/snippets.h"
#include "elements/text_composer.h"
#include "foundation/error_display.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"

#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

Form4::Form4(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form4"_s);
    setUpWindow(this, u"Fett/Kursiv"_s, Border::Fixed, 368, 153, 301, 189);

    Button2 = addControl<QPushButton>(u"Button2"_s, this, 8, 8, 113, 25, u"Text akzeptieren"_s);
    bold = addControl<QRadioButton>(u"bold"_s, this, 0, 104, 113, 17, u"Fett"_s);
    bold->setChecked(true);
    RadioButton1 = addControl<QRadioButton>(u"RadioButton1"_s, this, 0, 120, 113, 17, u"Kursiv"_s);
    createLineBreakHint(this, Label1, Label2);
    Memo1 = createComposerMemo(this);
    setTabChain({Memo1, Button2, bold, RadioButton1});

    connectHandler(Button2, &QPushButton::clicked, this, &Form4::Button2Click);
}

void Form4::Button2Click()
{
    // Goes to the composer text, whether the composer is open or not; the document is untouched.
    AppendLines(Snippets::emphasis(bold->isChecked(), Memo1->text()), windows().form3->Memo1);
    hide();
}
