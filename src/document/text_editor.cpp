#include "document/text_editor.h"

#include "document/line_breaks.h"
#include "foundation/error.h"

#include <QScopeGuard>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

using namespace Qt::StringLiterals;

TextEditor::TextEditor(QWidget *parent) : QPlainTextEdit(parent)
{
    setUndoRedoEnabled(false); // the document keeps no undo list
    connect(document(), &QTextDocument::contentsChange, this, &TextEditor::mirrorChange);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_silent)
            emit documentChanged();
    });
}

void TextEditor::mirrorChange(int from, int charsRemoved, int charsAdded)
{
    // The document counts a final separator of its own that is not part of the text, and
    // reports whole-document changes with it; clip the change to the text on both sides.
    const qsizetype documentLength = document()->characterCount() - 1;
    const qsizetype start = std::min<qsizetype>(from, m_mirror.size());
    const qsizetype removed = std::min<qsizetype>(charsRemoved, m_mirror.size() - start);
    const qsizetype added = std::min<qsizetype>(charsAdded, documentLength - start);
    const bool counting = !m_encoding.isCodePage1252() && !m_replacing;
    if (start < 0 || added < 0 || m_mirror.size() - removed + added != documentLength) {
        m_mirror = document()->toRawText(); // out of step: take the text whole
        if (counting)
            m_byteLength = m_encoding.byteLength(m_mirror);
        return;
    }
    QTextCursor range(document());
    range.setPosition(int(start));
    range.setPosition(int(start + added), QTextCursor::KeepAnchor);
    const QString addedText = range.selectedText();
    if (counting) {
        m_byteLength += m_encoding.byteLength(addedText)
            - m_encoding.byteLength(QStringView(m_mirror).sliced(start, removed));
    }
    m_mirror.replace(start, removed, addedText);
}

QString TextEditor::text() const
{
    QString text = m_mirror;
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

QByteArray TextEditor::bytes() const
{
    return m_encoding.encodeDocument(m_mirror);
}

qsizetype TextEditor::length() const
{
    if (!m_encoding.isCodePage1252())
        return m_byteLength;
    // Each block but the last ends in a separator that stands for the two bytes CR LF.
    const QTextDocument *doc = document();
    return doc->characterCount() - 1 + (doc->blockCount() - 1);
}

void TextEditor::ensureRoomFor(qsizetype addedLength) const
{
    if (addedLength > m_capacity)
        throw Error(u"Text exceeds memo capacity"_s);
}

void TextEditor::setEncoding(const PageEncoding &encoding)
{
    m_encoding = encoding;
    m_byteLength = encoding.isCodePage1252() ? 0 : encoding.byteLength(m_mirror);
}

void TextEditor::replaceText(const QString &text)
{
    replaceText(text, m_encoding);
}

void TextEditor::replaceText(const QString &text, const PageEncoding &encoding)
{
    const qsizetype byteLength = encoding.isCodePage1252() ? text.size() + text.count(u'\n')
                                                           : encoding.byteLength(text);
    ensureRoomFor(byteLength);
    m_encoding = encoding;
    if (text.size() == m_mirror.size() && text == this->text()) {
        m_byteLength = byteLength;
        return;
    }
    {
        QScopedValueRollback silence(m_silent, true);
        QScopedValueRollback replacing(m_replacing, true);
        setPlainText(text);
    }
    m_byteLength = byteLength;
    emit documentChanged();
}

void TextEditor::appendText(const QString &text)
{
    if (text.isEmpty())
        return;
    ensureRoomFor(length()
                  + (m_encoding.isCodePage1252() ? text.size() + text.count(u'\n')
                                                 : m_encoding.byteLength(text)));
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

void TextEditor::editAsOneChange(const std::function<void(QTextCursor &)> &edit)
{
    QTextCursor cursor(document());
    {
        QScopedValueRollback silence(m_silent, true);
        cursor.beginEditBlock();
        const auto endBlock = qScopeGuard([&cursor] { cursor.endEditBlock(); });
        edit(cursor);
    }
    cursor.clearSelection();
    setTextCursor(cursor);
    ensureCursorVisible();
    emit documentChanged();
}

void TextEditor::clearSilently()
{
    QScopedValueRollback silence(m_silent, true);
    clear();
}

void TextEditor::keyPressEvent(QKeyEvent *event)
{
    // Shift+Enter would put a line separator inside the line, which no page file can hold;
    // every Enter starts a new line.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & Qt::ShiftModifier) && !isReadOnly()) {
        QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                        event->text(), event->isAutoRepeat(), ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void AppendRaw(const QString &s, TextEditor *e)
{
    e->appendText(toEditorLineBreaks(s));
}

void AppendLines(const QString &s, TextEditor *e)
{
    e->appendText(toEditorLineBreaks(s));
}
