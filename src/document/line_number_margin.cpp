#include "document/line_number_margin.h"

#include "document/text_editor.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

namespace {

constexpr int padding = 4;
const QColor background(0xEE, 0xEE, 0xEE);
const QColor digits(0x80, 0x80, 0x80);

int digitCount(int number)
{
    int count = 1;
    for (; number >= 10; number /= 10)
        ++count;
    return count;
}

} // namespace

LineNumberMargin::LineNumberMargin(TextEditor *editor)
    : QWidget(editor), m_editor(editor), m_viewport(editor->viewport())
{
    setObjectName(QStringLiteral("LineNumberMargin"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(editor, &QPlainTextEdit::blockCountChanged, this, &LineNumberMargin::fitWidth);
    connect(editor, &QPlainTextEdit::updateRequest, this, &LineNumberMargin::follow);
    editor->installEventFilter(this);
    // The viewport is laid out after the editor's own resize: its size is the one to follow.
    m_viewport->installEventFilter(this);
    fitWidth();
    placeBesideText();
}

int LineNumberMargin::marginWidth() const
{
    return 2 * padding
           + digitCount(m_editor->blockCount()) * m_editor->fontMetrics().horizontalAdvance(u'9');
}

void LineNumberMargin::fitWidth()
{
    const int width = marginWidth();
    if (width == m_width)
        return;
    m_width = width;
    m_editor->setLeftMargin(width);
    placeBesideText();
}

void LineNumberMargin::placeBesideText()
{
    const QRect text = m_viewport->geometry();
    setGeometry(m_editor->contentsRect().left(), text.top(), m_width, text.height());
}

void LineNumberMargin::follow(const QRect &rect, int dy)
{
    // The editor reports every repaint of its text; the margin follows scrolling and edits.
    if (dy != 0)
        scroll(0, dy);
    else
        update(0, rect.y(), width(), rect.height());
}

bool LineNumberMargin::eventFilter(QObject *watched, QEvent *event)
{
    // Compared by the pointers kept: while the editor is being destroyed, it is no editor any
    // more when its viewport still gets events.
    if (event->type() == QEvent::Resize && watched == m_viewport)
        placeBesideText();
    else if (event->type() == QEvent::FontChange && watched == m_editor)
        fitWidth();
    return QWidget::eventFilter(watched, event);
}

void LineNumberMargin::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), background);
    painter.setPen(digits);
    painter.setFont(m_editor->font());
    const int lineHeight = m_editor->fontMetrics().height();
    for (QTextBlock line = m_editor->firstVisibleLine(); line.isValid(); line = line.next()) {
        const QRectF geometry = m_editor->lineGeometry(line);
        if (geometry.top() > event->rect().bottom())
            break;
        if (!line.isVisible() || geometry.bottom() < event->rect().top())
            continue;
        painter.drawText(QRect(0, qRound(geometry.top()), m_width - padding, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(line.blockNumber() + 1));
    }
}
