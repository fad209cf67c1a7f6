#pragma once

#include "html/html_lexer.h"

#include <QList>
#include <QObject>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextLayout>
#include <QTimer>

#include <functional>

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

    // Adds formats of its own to a line's colours (marks under words), given the line, the
    // state it starts in and its lexed pieces. It joins the colours in the same layouts, with
    // the same care, so they never go out as a change of the document. Several may be added;
    // each adds its ranges after those of the ones before.
    using ExtraFormats = std::function<void(const QTextBlock &block, int state,
                                            const QList<HtmlSpan> &spans,
                                            QList<QTextLayout::FormatRange> &ranges)>;
    void addExtraFormats(ExtraFormats extraFormats);
    // Asks for the extra formats again: the lines on screen at once, the others when they
    // come on screen.
    void refreshExtraFormats();
    // The same for one line, if it carries formats; not to be called inside an edit.
    void refreshExtraFormats(const QTextBlock &block);
    // The state a line starts in, as far as it is known (text until the slices reach it).
    int startState(const QTextBlock &block) const;

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
    QList<ExtraFormats> m_extraFormats;
    // Counts refreshExtraFormats(); a line laid out under an older count has old extra formats.
    int m_generation = 0;
};
