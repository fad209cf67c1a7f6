#include "html/html_colouring.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

// A block's user state holds what its line was last lexed with: the start state, the end state,
// and whether its layout carries the colours of that lexing, with the extra formats of which
// generation. -1 (Qt's default) means not lexed since its text last changed.
constexpr int stateBits = 5;
constexpr int stateMask = (1 << stateBits) - 1;
constexpr int formattedBit = 1 << (2 * stateBits);
constexpr int generationShift = 2 * stateBits + 1;
constexpr int generationMask = 0xffff;
static_assert(HtmlState::Count <= stateMask + 1);

int packed(int start, int end, bool formatted, int generation)
{
    return (start << stateBits) | end
           | (formatted ? formattedBit | (generation << generationShift) : 0);
}

int generationOf(int known)
{
    return (known >> generationShift) & generationMask;
}

int startOf(int known)
{
    return (known >> stateBits) & stateMask;
}

int endOf(int known)
{
    return known & stateMask;
}

// The state the line after `block` starts in, as far as it is known; the first line starts in
// text, and so does a line after one not lexed yet (until the slices reach it).
int stateAfter(const QTextBlock &block)
{
    return block.isValid() && block.userState() >= 0 ? endOf(block.userState())
                                                     : int(HtmlState::Text);
}

// One slice between events; the timer of a busy event loop must never wait much longer.
constexpr qint64 sliceMilliseconds = 8;

} // namespace

HtmlColouring::HtmlColouring(QPlainTextEdit *editor) : QObject(editor), m_editor(editor)
{
    for (int kind = 0; kind < int(std::size(m_formats)); ++kind)
        m_formats[kind].setForeground(colour(HtmlKind(kind)));
    m_slice.setSingleShot(true);
    m_slice.setInterval(0);
    connect(&m_slice, &QTimer::timeout, this, &HtmlColouring::colourSlice);
    connect(editor->document(), &QTextDocument::contentsChange, this, &HtmlColouring::textChanged);
    editor->viewport()->installEventFilter(this);
    // Whatever the editor holds already is lexed from the top.
    m_walking = true;
    m_walkTo = editor->document()->characterCount();
    m_slice.start();
}

QColor HtmlColouring::colour(HtmlKind kind)
{
    // Dark enough to read on the editor's white at its size (contrast 4.5:1 and more).
    switch (kind) {
    case HtmlKind::Tag:
        return QColor(0x0b, 0x3d, 0xa8);
    case HtmlKind::AttributeName:
        return QColor(0x8a, 0x3c, 0x00);
    case HtmlKind::AttributeValue:
        return QColor(0x0a, 0x6e, 0x2a);
    case HtmlKind::Entity:
        return QColor(0x9c, 0x12, 0x86);
    case HtmlKind::Comment:
        return QColor(0x73, 0x73, 0x73);
    case HtmlKind::Doctype:
        return QColor(0x00, 0x6a, 0x74);
    }
    return {};
}

void HtmlColouring::addExtraFormats(ExtraFormats extraFormats)
{
    m_extraFormats.append(std::move(extraFormats));
    refreshExtraFormats();
}

void HtmlColouring::refreshExtraFormats()
{
    m_generation = (m_generation + 1) & generationMask;
    colourVisibleBlocks();
}

void HtmlColouring::refreshExtraFormats(const QTextBlock &block)
{
    QTextBlock line = block;
    const int known = line.isValid() ? line.userState() : -1;
    if (known < 0 || !(known & formattedBit))
        return; // it gets its formats when it comes on screen
    colourBlock(line, startOf(known), true);
    relayoutColoured();
}

int HtmlColouring::startState(const QTextBlock &block) const
{
    return block.userState() >= 0 ? startOf(block.userState()) : stateAfter(block.previous());
}

bool HtmlColouring::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Paint)
        colourVisibleBlocks();
    return false;
}

void HtmlColouring::textChanged(int from, int charsRemoved, int charsAdded)
{
    const auto follow = [&](int &position) {
        if (position >= from + charsRemoved)
            position += charsAdded - charsRemoved;
        else if (position > from)
            position = from;
    };
    follow(m_walkFrom);
    follow(m_walkTo);

    // The lines of the change: those inside are new ones, the first and last may be old ones
    // whose colours no longer fit their text. A few lines, as typing changes, are coloured right
    // now, so the editor lays them out once with their colours; on a whole new page the lines
    // on screen are coloured when they are painted.
    const QTextDocument *document = m_editor->document();
    const int lastPosition = std::max(0, document->characterCount() - 1);
    QTextBlock first = document->findBlock(std::min(from, lastPosition));
    QTextBlock last = document->findBlock(std::min(from + charsAdded, lastPosition));
    if (last.blockNumber() - first.blockNumber() < 16) {
        QScopedValueRollback inEdit(m_inEdit, true);
        int state = stateAfter(first.previous());
        for (QTextBlock block = first; block.isValid(); block = block.next()) {
            state = colourBlock(block, state, true);
            if (block == last)
                break;
        }
    } else {
        for (QTextBlock block : {first, last}) {
            block.layout()->clearFormats();
            block.setUserState(-1);
        }
    }

    const int to = last.position() + last.length();
    m_walkFrom = m_walking ? std::min(m_walkFrom, from) : from;
    m_walkTo = m_walking ? std::max(m_walkTo, to) : to;
    m_walking = true;
    m_slice.start();
}

void HtmlColouring::colourSlice()
{
    QElapsedTimer clock;
    clock.start();
    const QTextDocument *document = m_editor->document();
    const auto [top, bottom] = visibleBlocks();
    const int visibleFrom = top.isValid() ? top.position() : 1;
    const int visibleTo = bottom.isValid() ? bottom.position() : 0;
    QTextBlock block = document->findBlock(
        std::clamp(m_walkFrom, 0, std::max(0, document->characterCount() - 1)));
    int state = stateAfter(block.previous());
    int lexed = 0;
    int steps = 0;
    while (block.isValid()) {
        const int known = block.userState();
        if (known >= 0 && startOf(known) == state) {
            if (block.position() >= m_walkTo)
                break; // from here on every line starts as it was lexed
            state = endOf(known);
        } else {
            const int position = block.position();
            lexed += block.length();
            state = colourBlock(block, state, position >= visibleFrom && position <= visibleTo);
        }
        block = block.next();
        if (block.isValid() && (lexed >= 4096 || ++steps % 32 == 0)) {
            lexed = 0;
            if (clock.elapsed() >= sliceMilliseconds) {
                m_walkFrom = block.position();
                m_slice.start();
                relayoutColoured();
                return;
            }
        }
    }
    m_walking = false;
    relayoutColoured();
}

void HtmlColouring::colourVisibleBlocks()
{
    auto [block, bottom] = visibleBlocks();
    int state = stateAfter(block.previous());
    for (; block.isValid(); block = block.next()) {
        const int known = block.userState();
        if (known >= 0 && (known & formattedBit) && startOf(known) == state
            && generationOf(known) == m_generation)
            state = endOf(known);
        else
            state = colourBlock(block, state, true);
        if (block == bottom)
            break;
    }
    relayoutColoured();
}

int HtmlColouring::colourBlock(QTextBlock &block, int start, bool applyFormats)
{
    m_spans.clear();
    const int end = lexHtmlLine(block.text(), start, m_spans);
    block.setUserState(packed(start, end, applyFormats, m_generation));
    if (!applyFormats)
        return end;
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(m_spans.size());
    for (const HtmlSpan &span : std::as_const(m_spans))
        ranges.append({span.start, span.length, m_formats[int(span.kind)]});
    for (const ExtraFormats &extraFormats : std::as_const(m_extraFormats))
        extraFormats(block, start, m_spans, ranges);
    QTextLayout *layout = block.layout();
    if (ranges == layout->formats())
        return end; // as typing at a line's end leaves it: nothing to lay out or paint again
    layout->setFormats(ranges);
    if (!m_inEdit) {
        // New colours mark the line as changed in the document, and that mark would go out
        // with the next edit as part of its change; relayoutColoured() clears it first.
        const int position = block.position();
        m_colouredFrom = m_colouredFrom < m_colouredTo ? std::min(m_colouredFrom, position) : position;
        m_colouredTo = std::max(m_colouredTo, position + block.length());
    }
    return end;
}

// Lays out the lines coloured since the last edit and repaints them. It tells the editor's
// layout alone, not the document's change signals, so the editor's copy of its text is not
// touched.
void HtmlColouring::relayoutColoured()
{
    if (m_colouredFrom >= m_colouredTo)
        return;
    m_editor->document()->markContentsDirty(m_colouredFrom, m_colouredTo - m_colouredFrom);
    m_colouredFrom = m_colouredTo = 0;
}

// The first and the last line on screen; none while the editor is hidden.
std::pair<QTextBlock, QTextBlock> HtmlColouring::visibleBlocks() const
{
    if (!m_editor->isVisible())
        return {};
    // The editor scrolls by lines: its scroll bar's value is the top line. Hit tests would find
    // the same lines but cost a layout walk over the screen on every paint.
    const QTextDocument *document = m_editor->document();
    const int top = m_editor->verticalScrollBar()->value();
    const int lines = m_editor->viewport()->height() / std::max(1, m_editor->fontMetrics().lineSpacing());
    const QTextBlock bottom = document->findBlockByLineNumber(top + lines + 1);
    return {document->findBlockByLineNumber(top), bottom.isValid() ? bottom : document->lastBlock()};
}
