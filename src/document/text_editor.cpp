#include "document/text_editor.h"

#include "document/line_breaks.h"
#include "foundation/error.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>

using namespace Qt::StringLiterals;

TextEditor::TextEditor(QWidget *parent) : QPlainTextEdit(parent)
{
    // The editor keeps its own undo list (m_history): the document's cannot be capped.
    setUndoRedoEnabled(false);
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
    TextEdit edit;
    if (start < 0 || added < 0 || m_mirror.size() - removed + added != documentLength) {
        edit = {0, m_mirror, document()->toRawText()}; // out of step: take the text whole
        m_mirror = edit.added;
        if (counting)
            m_byteLength = m_encoding.byteLength(m_mirror);
    } else {
        QTextCursor range(document());
        range.setPosition(int(start));
        range.setPosition(int(start + added), QTextCursor::KeepAnchor);
        edit = {start, m_mirror.mid(start, removed), range.selectedText()};
        if (counting)
            m_byteLength += m_encoding.byteLength(edit.added) - m_encoding.byteLength(edit.removed);
        if (removed == m_mirror.size())
            m_mirror = edit.added; // a new text whole: no copy of the old one
        else
            m_mirror.replace(start, removed, edit.added);
    }
    // Only changes of the text are steps: a change of formats alone reports its range too.
    if (edit.removed == edit.added)
        return;
    emit textEdited(int(edit.position), int(edit.removed.size()), int(edit.added.size()));
    if (!m_replaying)
        m_history.record(std::move(edit));
}

void TextEditor::asOneStep(const std::function<void()> &edit)
{
    QScopedValueRollback silence(m_silent, true);
    m_history.beginStep();
    const auto endStep = qScopeGuard([this] { m_history.endStep(); });
    edit();
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
    const qsizetype byteLength = encoding.byteLength(text);
    ensureRoomFor(byteLength);
    const PageEncoding before = std::exchange(m_encoding, encoding);
    if (text.size() == m_mirror.size() && text == this->text()) {
        m_byteLength = byteLength;
        return;
    }
    {
        // The byte length of the new text is known; the edit need not count it piece by piece.
        QScopedValueRollback replacing(m_replacing, true);
        // Through a cursor, not setPlainText(), which would wipe the undo list; it is as fast.
        asOneStep([&] {
            m_history.recordEncoding(before, encoding);
            QTextCursor all(document());
            all.beginEditBlock();
            all.select(QTextCursor::Document);
            all.removeSelectedText();
            all.insertText(text);
            all.endEditBlock();
        });
    }
    m_byteLength = byteLength;
    setTextCursor(QTextCursor(document())); // caret and view at the start
    emit documentChanged();
}

void TextEditor::appendText(const QString &text)
{
    if (text.isEmpty())
        return;
    ensureRoomFor(length() + m_encoding.byteLength(text));
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    asOneStep([&] {
        end.beginEditBlock();
        end.insertText(text);
        end.endEditBlock();
    });
    // Replacing the whole text would leave the caret at the start; so does this.
    setTextCursor(QTextCursor(document()));
    emit documentChanged();
}

void TextEditor::editAsOneChange(const std::function<void(QTextCursor &)> &edit)
{
    QTextCursor cursor(document());
    asOneStep([&] {
        cursor.beginEditBlock();
        const auto endBlock = qScopeGuard([&cursor] { cursor.endEditBlock(); });
        edit(cursor);
    });
    cursor.clearSelection();
    setTextCursor(cursor);
    ensureCursorVisible();
    emit documentChanged();
}

void TextEditor::clearSilently()
{
    asOneStep([this] {
        m_history.recordEncoding(m_encoding, PageEncoding());
        setEncoding(PageEncoding());
        QTextCursor all(document());
        all.select(QTextCursor::Document);
        all.removeSelectedText();
    });
    setTextCursor(QTextCursor(document()));
}

void TextEditor::undo()
{
    if (!isReadOnly())
        replay(m_history.undo());
}

void TextEditor::redo()
{
    if (!isReadOnly())
        replay(m_history.redo());
}

void TextEditor::replay(const QList<TextEdit> &edits)
{
    const std::optional<PageEncoding> &encoding = m_history.encodingAfterMove();
    if (edits.isEmpty() && !encoding)
        return;
    QTextCursor cursor(document());
    {
        QScopedValueRollback silence(m_silent, true);
        QScopedValueRollback replaying(m_replaying, true);
        cursor.beginEditBlock();
        for (const TextEdit &edit : edits) {
            cursor.setPosition(int(edit.position));
            cursor.setPosition(int(edit.position + edit.removed.size()), QTextCursor::KeepAnchor);
            if (edit.added.isEmpty())
                cursor.removeSelectedText();
            else
                cursor.insertText(edit.added);
        }
        cursor.endEditBlock();
    }
    if (encoding)
        setEncoding(*encoding); // before the change is announced, so look.html is in it
    setTextCursor(cursor);
    ensureCursorVisible();
    emit documentChanged();
}

void TextEditor::moveCaretTo(int line, int column)
{
    const QTextBlock block = document()->findBlockByNumber(std::clamp(line, 1, blockCount()) - 1);
    QTextCursor caret(block);
    caret.setPosition(block.position() + std::clamp(column, 1, block.length()) - 1);
    setTextCursor(caret);
    ensureCursorVisible();
}

void TextEditor::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->matches(QKeySequence::Undo)) {
        undo();
        return;
    }
    // Ctrl+Y as on Windows, Ctrl+Shift+Z as elsewhere, whatever the desktop's own binding.
    if (event->matches(QKeySequence::Redo)
        || (event->key() == Qt::Key_Y && modifiers == Qt::ControlModifier)
        || (event->key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier))) {
        redo();
        return;
    }
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

void TextEditor::contextMenuEvent(QContextMenuEvent *event)
{
    // The standard menu's Undo and Redo would ask the document, which keeps no list itself.
    QMenu *menu = createStandardContextMenu(event->pos());
    for (QAction *action : menu->actions()) {
        const bool undoing = action->objectName() == u"edit-undo"_s;
        if (!undoing && action->objectName() != u"edit-redo"_s)
            continue;
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        connect(action, &QAction::triggered, this, undoing ? &TextEditor::undo : &TextEditor::redo);
        action->setEnabled(!isReadOnly()
                           && (undoing ? m_history.canUndo() : m_history.canRedo()));
    }
    emit contextMenuAboutToShow(menu, event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void AppendRaw(const QString &s, TextEditor *e)
{
    e->appendText(toEditorLineBreaks(s));
}

void AppendLines(const QString &s, TextEditor *e)
{
    e->appendText(toEditorLineBreaks(s));
}
