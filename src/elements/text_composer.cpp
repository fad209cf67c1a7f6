#include "elements/text_composer.h"

#include "document/text_editor.h"
#include "elements/bold_italic_dialog.h"
#include "elements/composer_picture_window.h"
#include "elements/snippets.h"
#include "foundation/error_display.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"

#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {
QRadioButton *radio(const QString &name, const QString &caption, int top, int width,
                    QWidget *parent)
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    place(button, 0, top, width, 17);
    return button;
}

QPushButton *button(const QString &name, const QString &caption, int top, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    place(button, 0, top, 113, 25);
    return button;
}
} // namespace

TextEditor *createComposerMemo(QWidget *parent)
{
    auto *memo = new TextEditor(parent);
    memo->setObjectName(u"Memo1"_s);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setTabChangesFocus(true);
    place(memo, 128, 40, 169, 145);
    return memo;
}

void createLineBreakHint(QWidget *parent, QLabel *&first, QLabel *&second)
{
    first = addLabel(u"Label1"_s, u"Bitte schreiben Sie vor einem neuen"_s, parent, 128, 8);
    // Shown as written: the tag is part of the hint, not a line break.
    second = addLabel(u"Label2"_s, u"Zeilenanfang    \"<br>\"."_s, parent, 128, 24);
}

Form3::Form3(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form3"_s);
    setUpWindow(this, u"Text"_s, Border::Fixed, 519, 140, 309, 188);

    normal = radio(u"normal"_s, u"Normaler Text"_s, 8, 89, this);
    gross = radio(u"gross"_s, u"Überschrift groß"_s, 24, 113, this);
    klein = radio(u"klein"_s, u"Überschrift klein"_s, 40, 113, this);
    normal->setChecked(true);
    Button1 = button(u"Button1"_s, u"Bild einbauen"_s, 72, this);
    Button3 = button(u"Button3"_s, u"Fett/Kursiv"_s, 96, this);
    Button2 = button(u"Button2"_s, u"Text akzeptieren"_s, 160, this);
    createLineBreakHint(this, Label1, Label2);
    Memo1 = createComposerMemo(this);
    setTabChain({normal, gross, klein, Button1, Button2, Button3, Memo1});

    connectHandler(Button1, &QPushButton::clicked, this, &Form3::Button1Click);
    connectHandler(Button2, &QPushButton::clicked, this, &Form3::Button2Click);
    connectHandler(Button3, &QPushButton::clicked, this, &Form3::Button3Click);
}

void Form3::Button1Click()
{
    openWindow(windows().form5);
}

void Form3::Button2Click()
{
    // Three separate tests; the radio group makes exactly one of them true.
    TextEditor *document = windows().HPQT;
    if (normal->isChecked())
        AppendLines(Snippets::textBlock(Snippets::TextStyle::Normal, Memo1->text()), document);
    if (gross->isChecked())
        AppendLines(Snippets::textBlock(Snippets::TextStyle::LargeHeading, Memo1->text()),
                    document);
    if (klein->isChecked())
        AppendLines(Snippets::textBlock(Snippets::TextStyle::SmallHeading, Memo1->text()),
                    document);
    hide();
}

void Form3::Button3Click()
{
    openWindow(windows().form4);
}
