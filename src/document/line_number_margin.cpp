#include "document/line_number_margin.h"

#include "document/text_editor.h"

#include <QEvent>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QToolTip>

namespace {

constexpr int padding = 4;
const QColor background(0xEE, 0xEE, 0xEE);
const QColor digits(0x80, 0x80, 0x80);
const QColor errorSign(0xc8, 0x10, 0x10);
const QColor warningSign(0xe0, 0x90, 0x00);
const QColor signOutline(0x40, 0x20, 0x00);

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
    return 2 * padding + signWidth()
           + digitCount(m_editor->blockCount()) * m_editor->fontMetrics().horizontalAdvance(u'9');
}

int LineNumberMargin::signWidth() const
{
    return m_sign ? m_editor->fontMetrics().height() : 0;
}

void LineNumberMargin::setSigns(SignOf sign, TipOf tip)
{
    m_sign = std::move(sign);
    m_tip = std::move(tip);
    fitWidth();
    update();
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

bool LineNumberMargin::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QTextBlock line = lineAt(help->pos().y());
    const QString tip = m_tip && line.isValid() ? m_tip(line) : QString();
    if (tip.isEmpty())
        return QWidget::event(event);
    const QRectF geometry = m_editor->lineGeometry(line);
    QToolTip::showText(help->globalPos(), tip, this,
                       QRect(0, qRound(geometry.top()), width(), qRound(geometry.height())));
    return true;
}

QTextBlock LineNumberMargin::lineAt(int y) const
{
    for (QTextBlock line = m_editor->firstVisibleLine(); line.isValid(); line = line.next()) {
        const QRectF geometry = m_editor->lineGeometry(line);
        if (geometry.top() > y)
            break;
        if (line.isVisible() && geometry.bottom() >= y)
            return line;
    }
    return {};
}

void LineNumberMargin::paintSign(QPainter &painter, Sign sign, const QRectF &line) const
{
    // A square of the line's height at the margin's left, the sign inside it.
    const qreal size = std::min<qreal>(signWidth(), line.height()) - 4;
    const QRectF box(padding / 2.0 + (signWidth() - size) / 2,
                     line.top() + (line.height() - size) / 2, size, size);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(signOutline, 1));
    QPen mark(Qt::white, std::max<qreal>(1.5, size / 6), Qt::SolidLine, Qt::RoundCap);
    if (sign == Sign::Error) {
        // A red disc with a white cross.
        painter.setBrush(errorSign);
        painter.drawEllipse(box);
        const QRectF cross = box.adjusted(size * 0.3, size * 0.3, -size * 0.3, -size * 0.3);
        painter.setPen(mark);
        painter.drawLine(cross.topLeft(), cross.bottomRight());
        painter.drawLine(cross.topRight(), cross.bottomLeft());
    } else {
        // An amber triangle with a dark exclamation mark.
        QPainterPath triangle;
        triangle.moveTo(box.center().x(), box.top());
        triangle.lineTo(box.bottomRight());
        triangle.lineTo(box.bottomLeft());
        triangle.closeSubpath();
        painter.setBrush(warningSign);
        painter.drawPath(triangle);
        mark.setColor(signOutline);
        mark.setWidth(std::max<qreal>(1.5, size / 8));
        painter.setPen(mark);
        const qreal x = box.center().x();
        painter.drawLine(QPointF(x, box.top() + size * 0.35), QPointF(x, box.top() + size * 0.65));
        painter.drawPoint(QPointF(x, box.top() + size * 0.82));
    }
    painter.restore();
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
        if (const Sign sign = m_sign ? m_sign(line) : Sign::None; sign != Sign::None)
            paintSign(painter, sign, QRectF(geometry.left(), geometry.top(), m_width, lineHeight));
    }
}
