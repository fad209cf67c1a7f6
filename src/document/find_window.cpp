#include "document/find_window.h"

#include "document/text_editor.h"
#include "document/text_search.h"
#include "foundation/error_display.h"
#include "foundation/window_frame.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextCursor>

using namespace Qt::StringLiterals;

Form15::Form15(TextEditor *editor, QWidget *parent) : QWidget(parent), m_editor(editor)
{
    setObjectName(u"Form15"_s);
    setUpWindow(this, u"Suchen und Ersetzen"_s, Border::Fixed, 400, 200, 393, 150);

    Label1 = addLabel(u"Label1"_s, u"Suchen nach:"_s, this, 8, 12);
    Edit1 = addControl<QLineEdit>(u"Edit1"_s, this, 104, 8, 177, 21);
    Label2 = addLabel(u"Label2"_s, u"Ersetzen durch:"_s, this, 8, 40);
    Edit2 = addControl<QLineEdit>(u"Edit2"_s, this, 104, 36, 177, 21);
    CheckBox1 = addControl<QCheckBox>(u"CheckBox1"_s, this, 8, 66, 273, 17,
                                      u"Groß-/Kleinschreibung beachten"_s);
    Button1 = addControl<QPushButton>(u"Button1"_s, this, 296, 8, 89, 25, u"Weitersuchen"_s);
    Button2 = addControl<QPushButton>(u"Button2"_s, this, 296, 36, 89, 25, u"Zurück"_s);
    Button3 = addControl<QPushButton>(u"Button3"_s, this, 296, 64, 89, 25, u"Ersetzen"_s);
    Button4 = addControl<QPushButton>(u"Button4"_s, this, 296, 92, 89, 25, u"Alle ersetzen"_s);
    Button5 = addControl<QPushButton>(u"Button5"_s, this, 296, 120, 89, 25, u"Schließen"_s);
    Label3 = addControl<QLabel>(u"Label3"_s, this, 8, 124, 273, 17);
    Label3->setTextFormat(Qt::PlainText);
    setTabChain({Edit1, Edit2, CheckBox1, Button1, Button2, Button3, Button4, Button5});
    Button1->setDefault(true);
    new DefaultButton(this, Button1);

    // F3 and Shift+F3 search here as they do from the editor.
    auto *next = new QShortcut(QKeySequence(Qt::Key_F3), this);
    auto *previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this);
    connectHandler(next, &QShortcut::activated, this, &Form15::Button1Click);
    connectHandler(previous, &QShortcut::activated, this, &Form15::Button2Click);
    connectHandler(Button1, &QPushButton::clicked, this, &Form15::Button1Click);
    connectHandler(Button2, &QPushButton::clicked, this, &Form15::Button2Click);
    connectHandler(Button3, &QPushButton::clicked, this, &Form15::Button3Click);
    connectHandler(Button4, &QPushButton::clicked, this, &Form15::Button4Click);
    connectHandler(Button5, &QPushButton::clicked, this, &Form15::Button5Click);
}

void Form15::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form15::find(bool forward)
{
    if (Edit1->text().isEmpty()) {
        Label3->clear();
        return;
    }
    const TextSearch search(Edit1->text(),
                            CheckBox1->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive);
    const QTextCursor selection = m_editor->textCursor();
    const FoundMatch match = forward
        ? findNext(search, m_editor->rawText(), selection.selectionEnd())
        : findPrevious(search, m_editor->rawText(), selection.selectionStart());
    if (match.position < 0) {
        Label3->setText(u"Nicht gefunden"_s);
        return;
    }
    QTextCursor found(m_editor->document());
    found.setPosition(int(match.position));
    found.setPosition(int(match.position + search.needleLength()), QTextCursor::KeepAnchor);
    m_editor->setTextCursor(found); // selects and scrolls it into view
    if (!match.wrapped)
        Label3->clear();
    else
        Label3->setText(forward ? u"Am Anfang fortgesetzt"_s : u"Am Ende fortgesetzt"_s);
}

void Form15::Button1Click()
{
    find(true);
}

void Form15::Button2Click()
{
    find(false);
}

void Form15::Button3Click()
{
    const TextSearch search(Edit1->text(),
                            CheckBox1->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive);
    const QTextCursor selection = m_editor->textCursor();
    const qsizetype start = selection.selectionStart();
    const qsizetype end = selection.selectionEnd();
    if (search.matches(QStringView(m_editor->rawText()).sliced(start, end - start))) {
        const QString replacement = Edit2->text();
        m_editor->editAsOneChange([&](QTextCursor &cursor) {
            cursor.setPosition(int(start));
            cursor.setPosition(int(end), QTextCursor::KeepAnchor);
            cursor.insertText(replacement);
        });
    }
    find(true);
}

void Form15::Button4Click()
{
    const TextSearch search(Edit1->text(),
                            CheckBox1->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive);
    const QList<qsizetype> matches = search.findAll(m_editor->rawText());
    if (!matches.isEmpty()) {
        const QString replacement = Edit2->text();
        const int length = int(search.needleLength());
        // Last to first, so the positions before each stay as found; one change, one step.
        m_editor->editAsOneChange([&](QTextCursor &cursor) {
            for (qsizetype i = matches.size() - 1; i >= 0; --i) {
                cursor.setPosition(int(matches[i]));
                cursor.setPosition(int(matches[i]) + length, QTextCursor::KeepAnchor);
                cursor.insertText(replacement);
            }
        });
    }
    Label3->setText(u"%1 ersetzt"_s.arg(matches.size()));
}

void Form15::Button5Click()
{
    hide();
}
