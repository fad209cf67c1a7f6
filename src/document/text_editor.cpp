#include "document/text_editor.h"

#include "app/error.h"
#include "document/append_operations.h"
#include "document/codepage1252.h"

#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace Qt::StringLiterals;

TextEditor::TextEditor(QWidget *parent) : QPlainTextEdit(parent)
{
    setUndoRedoEnabled(false); // the document keeps no undo list
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_silent)
            emit documentChanged();
    });
}

QString TextEditor::text() const
{
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, u'\n');
    return raw;
}

QByteArray TextEditor::bytes() const
{
    return CodePage1252::encodeDocument(document()->toRawText());
}

qsizetype TextEditor::length() const
{
    // Each block but the last ends in a separator that stands for the two bytes CR LF.
    const QTextDocument *doc = document();
    return doc->characterCount() - 1 + (doc->blockCount() - 1);
}

void TextEditor::ensureRoomFor(qsizetype addedLength) const
{
    if (addedLength > m_capacity)
        throw Error(u"Text exceeds memo capacity"_s);
}

void TextEditor::replaceText(const QString &text)
{
    ensureRoomFor(text.size() + text.count(u'\n'));
    if (text == this->text())
        return;
    {
        QScopedValueRollback silence(m_silent, true);
        setPlainText(text);
    }
    emit documentChanged();
}

void TextEditor::appendText(const QString &text)
{
    if (text.isEmpty())
        return;
    ensureRoomFor(length() + text.size() + text.count(u'\n'));
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    {
        QScopedValueRollback silence(m_silent, true);
        end.beginEditBlock();
        end.insertText(text);
        end.endEditBlock();
    }
    // Replacing the whole text would leave the caret at the start; so does this.
    setTextCursor(QTextCursor(document()));
    emit documentChanged();
}

void TextEditor::clearSilently()
{
    QScopedValueRollback silence(m_silent, true);
    clear();
}

void AppendRaw(const QString &s, TextEditor *e)
{
    e->appendText(toEditorLineBreaks(s));
}

void AppendLines(const QString &s, TextEditor *e)
{
    e->appendText(toEditorLineBreaks(s));
}
