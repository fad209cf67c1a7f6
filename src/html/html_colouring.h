#pragma once

#include "html/html_lexer.h"

#include <QList>
#include <QObject>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTimer>

class QPlainTextEdit;

// Colours the HTML in an editor without touching its text. The colours live in the lines'
// layouts, not in the document, so colouring never changes the text, the caret, the undo steps
// or what the document's change signals report. Lines are coloured as they are edited or come
// on screen; the state every line starts in (inside a comment, a tag, a quoted value) is worked
// out in short slices between events, so that a large page opens and takes keystrokes as fast
// as without colouring. Deleting the object stops the colouring.
class HtmlColouring : public QObject
{
    Q_OBJECT

public:
    explicit HtmlColouring(QPlainTextEdit *editor);

    // True when every line's start state is known and no slice is waiting.
    bool isIdle() const { return !m_walking; }

    static QColor colour(HtmlKind kind);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void textChanged(int from, int charsRemoved, int charsAdded);
    void colourSlice();
    void colourVisibleBlocks();
    int colourBlock(QTextBlock &block, int start, bool applyFormats);
    void relayoutColoured();
    std::pair<QTextBlock, QTextBlock> visibleBlocks() const;

    QPlainTextEdit *m_editor;
    QTimer m_slice;
    // Every line before m_walkFrom is known to start in the right state; from there at least up
    // to m_walkTo the lines wait to be checked, and on from there while their start state changes.
    bool m_walking = false;
    int m_walkFrom = 0;
    int m_walkTo = 0;
    // Lines given new colours outside an edit, to be laid out again: [from, to) in positions.
    int m_colouredFrom = 0;
    int m_colouredTo = 0;
    bool m_inEdit = false;
    QList<HtmlSpan> m_spans;
    QTextCharFormat m_formats[6];
};
