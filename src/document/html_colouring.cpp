#include "document/html_colouring.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

// A block's user state holds what its line was last lexed with: the start state, the end state,
// and whether its layout carries the colours of that lexing. -1 (Qt's default) means not lexed
// since its text last changed.
constexpr int stateBits = 5;
constexpr int stateMask = (1 << stateBits) - 1;
constexpr int formattedBit = 1 << (2 * stateBits);
static_assert(HtmlState::Count <= stateMask + 1);

int packed(int start, int end, bool formatted)
{
    return (start << stateBits) | end | (formatted ? formattedBit : 0);
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
    textChanged(0, 0, editor->document()->characterCount());
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
        return QColor(0x6b, 0x6b, 0x6b);
    case HtmlKind::Doctype:
        return QColor(0x00, 0x6a, 0x74);
    }
    return {};
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

    // Lines inside the change are new ones, not lexed yet; the first and last may be old ones.
    const QTextDocument *document = m_editor->document();
    const int lastPosition = std::max(0, document->characterCount() - 1);
    QTextBlock first = document->findBlock(std::min(from, lastPosition));
    QTextBlock last = document->findBlock(std::min(from + charsAdded, lastPosition));
    first.setUserState(-1);
    last.setUserState(-1);

    const int to = last.isValid() ? last.position() + last.length() : from + charsAdded;
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
    const auto [visibleFrom, visibleTo] = visibleRange();
    QTextBlock block = document->findBlock(
        std::clamp(m_walkFrom, 0, std::max(0, document->characterCount() - 1)));
    int state = stateAfter(block.previous());
    bool repaint = false;
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
            const bool visible = position >= visibleFrom && position <= visibleTo;
            lexed += block.length();
            state = colourBlock(block, state, visible);
            repaint = repaint || visible;
        }
        block = block.next();
        if (block.isValid() && (lexed >= 4096 || ++steps % 32 == 0)) {
            lexed = 0;
            if (clock.elapsed() >= sliceMilliseconds) {
                m_walkFrom = block.position();
                m_slice.start();
                if (repaint)
                    m_editor->viewport()->update();
                return;
            }
        }
    }
    m_walking = false;
    if (repaint)
        m_editor->viewport()->update();
}

void HtmlColouring::colourVisibleBlocks()
{
    const auto [visibleFrom, visibleTo] = visibleRange();
    if (visibleFrom > visibleTo)
        return;
    QTextBlock block = m_editor->document()->findBlock(visibleFrom);
    int state = stateAfter(block.previous());
    for (; block.isValid() && block.position() <= visibleTo; block = block.next()) {
        const int known = block.userState();
        if (known >= 0 && (known & formattedBit) && startOf(known) == state)
            state = endOf(known);
        else
            state = colourBlock(block, state, true);
    }
}

int HtmlColouring::colourBlock(QTextBlock &block, int start, bool applyFormats)
{
    m_spans.clear();
    const int end = lexHtmlLine(block.text(), start, m_spans);
    block.setUserState(packed(start, end, applyFormats));
    if (applyFormats) {
        // Straight into the layout: no change of the document, so nothing re-reads the text.
        QList<QTextLayout::FormatRange> ranges;
        ranges.reserve(m_spans.size());
        for (const HtmlSpan &span : std::as_const(m_spans))
            ranges.append({span.start, span.length, m_formats[int(span.kind)]});
        block.layout()->setFormats(ranges);
    }
    return end;
}

// The positions of the first and the last line on screen; an empty range while hidden.
std::pair<int, int> HtmlColouring::visibleRange() const
{
    if (!m_editor->isVisible())
        return {1, 0};
    const QTextBlock top = m_editor->cursorForPosition(QPoint(0, 0)).block();
    const QTextBlock bottom =
        m_editor->cursorForPosition(QPoint(0, m_editor->viewport()->height())).block();
    return {top.position(), bottom.position()};
}
