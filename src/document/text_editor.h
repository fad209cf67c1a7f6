#pragma once

#include "document/edit_history.h"
#include "document/page_encoding.h"

#include <QByteArray>
#include <QPlainTextEdit>
#include <QString>
#include <QTextBlock>

#include <functional>

class QContextMenuEvent;
class QMenu;
class QTextCursor;

// A multi-line editor of this program: the document's HPQT and the composer's memos. It holds
// Unicode text in lines; its byte form is the lines joined by CR LF in the editor's encoding,
// code page 1252 unless a page brought another.
class TextEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    // What one editor can hold, in characters of its byte form.
    static constexpr qsizetype defaultCapacity = qsizetype(256) * 1024 * 1024;

    explicit TextEditor(QWidget *parent = nullptr);

    qsizetype capacity() const { return m_capacity; }
    void setCapacity(qsizetype capacity) { m_capacity = capacity; }

    // The whole text, lines joined by "\n", exactly as typed (no blank for a no-break space).
    QString text() const;
    // The whole text with its lines separated by U+2029, as the editor's document holds it.
    const QString &rawText() const { return m_mirror; }
    // The byte form: lines joined by CR LF, in the editor's encoding.
    QByteArray bytes() const;
    // The length of the byte form, not counting references for characters outside the encoding.
    qsizetype length() const;

    const PageEncoding &encoding() const { return m_encoding; }
    // The encoding of the byte form from now on; the text stays as it is.
    void setEncoding(const PageEncoding &encoding);

    // Replaces the whole text; the change is announced once, and only if the text differs.
    // Throws "Text exceeds memo capacity" when the text does not fit.
    void replaceText(const QString &text);
    // The same with a page's text in its encoding, which the editor keeps from then on; when
    // the text does not fit, neither changes.
    void replaceText(const QString &text, const PageEncoding &encoding);
    // Appends text (with "\n" line breaks) at the end as one change; the caret goes to the start.
    void appendText(const QString &text);
    // Runs several edits through one cursor as one change, announced once at the end. The caret
    // goes where the edits leave the cursor, and the editor scrolls to show it.
    void editAsOneChange(const std::function<void(QTextCursor &)> &edit);
    // Empties the editor without announcing a change, back in code page 1252 (it can still be
    // undone, text and encoding).
    void clearSilently();

    // Takes back the newest step or puts the last undone one in again; either is a change of
    // the text, announced once, with the caret where it happened.
    void undo();
    void redo();
    const EditHistory &history() const { return m_history; }

    // Puts the caret at a line and column, both counted from 1 and clamped to the text, and
    // shows it; nothing is selected and the text stays as it is.
    void moveCaretTo(int line, int column = 1);

    // For a margin beside the text: room at the left of the text, the first line on screen and
    // where a line stands, in the viewport's coordinates.
    void setLeftMargin(int width) { setViewportMargins(width, 0, 0, 0); }
    QTextBlock firstVisibleLine() const { return firstVisibleBlock(); }
    QRectF lineGeometry(const QTextBlock &line) const
    {
        return blockBoundingGeometry(line).translated(contentOffset());
    }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

signals:
    // Once after every change of the text, but not after clearSilently().
    void documentChanged();
    // Each change of the text as it happens, in positions of rawText(): `removed` characters at
    // `from` replaced by `added` ones. It comes before the document's other listeners hear of
    // the change, so marks that follow the text are in place when a line is coloured anew.
    void textEdited(int from, int removed, int added);
    // While the context menu is being made, before it shows: others add their entries to it.
    // position is where it was asked for, in the viewport's coordinates.
    void contextMenuAboutToShow(QMenu *menu, const QPoint &position);

private:
    void ensureRoomFor(qsizetype addedLength) const;
    void mirrorChange(int from, int charsRemoved, int charsAdded);
    void replay(const QList<TextEdit> &edits);
    // Runs an edit of the program silently as one undo step; the caller announces it.
    void asOneStep(const std::function<void()> &edit);

    // A copy of the document's raw text, kept in step with every change, so that writing the
    // byte form after a keystroke does not have to gather the whole text from the document.
    QString m_mirror;
    PageEncoding m_encoding;
    // The length of the byte form in an encoding other than code page 1252, kept in step with
    // the mirror; code page 1252 counts one byte per character and needs none.
    qsizetype m_byteLength = 0;
    bool m_replacing = false;
    qsizetype m_capacity = defaultCapacity;
    bool m_silent = false;
    // Our own undo list instead of the document's, which could not be capped.
    EditHistory m_history;
    bool m_replaying = false;
};

// Appends s as it stands; every CR and LF in it becomes a line break of the editor.
void AppendRaw(const QString &s, TextEditor *e);
// Appends s and normalises the line breaks of the whole text; the editor holds only normalised
// breaks already, so only s needs it.
void AppendLines(const QString &s, TextEditor *e);
