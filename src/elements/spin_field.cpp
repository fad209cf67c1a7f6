#include "elements/spin_field.h"

#include "elements/spin_reading.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

using namespace Qt::StringLiterals;

namespace {

constexpr int arrowWidth = 15;
constexpr int repeatDelay = 400;
constexpr int repeatInterval = 100;

// One of the two small arrow buttons. It never takes the focus itself; holding it down repeats
// the step until the mouse button is let go or the pointer leaves it.
class SpinArrow : public QAbstractButton
{
public:
    SpinArrow(Qt::ArrowType direction, QWidget *parent)
        : QAbstractButton(parent), m_direction(direction)
    {
        setFocusPolicy(Qt::NoFocus);
        setCursor(Qt::ArrowCursor);
        setAutoRepeat(true);
        setAutoRepeatDelay(repeatDelay);
        setAutoRepeatInterval(repeatInterval);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QStyleOption option;
        option.initFrom(this);
        option.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
        option.rect = rect().adjusted(3, 2, -3, -2);
        style()->drawPrimitive(m_direction == Qt::UpArrow ? QStyle::PE_IndicatorArrowUp
                                                          : QStyle::PE_IndicatorArrowDown,
                               &option, &painter, this);
    }

private:
    Qt::ArrowType m_direction;
};

} // namespace

SpinField::SpinField(QWidget *parent)
    : QLineEdit(parent),
      m_up(new SpinArrow(Qt::UpArrow, this)),
      m_down(new SpinArrow(Qt::DownArrow, this))
{
    m_up->setObjectName(u"up"_s);
    m_down->setObjectName(u"down"_s);
    setTextMargins(0, 0, arrowWidth + 2, 0);
    // Typed text goes through the character filter only; an input method would bypass it.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setText(u"0"_s);

    for (QAbstractButton *arrow : {m_up, m_down}) {
        connect(arrow, &QAbstractButton::pressed, this, [this] {
            if (!hasFocus())
                setFocus(Qt::OtherFocusReason);
        });
    }
    connect(m_up, &QAbstractButton::clicked, this, &SpinField::stepUp);
    connect(m_down, &QAbstractButton::clicked, this, &SpinField::stepDown);
    placeArrows();
}

qint32 SpinField::value() const
{
    return SpinReading::valueOf(text(), m_minimum);
}

void SpinField::setValue(qint32 value)
{
    setText(QString::number(SpinReading::limited(value, m_minimum, m_maximum)));
}

void SpinField::setRange(qint32 minimum, qint32 maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

void SpinField::stepUp()
{
    stepBy(m_increment);
}

void SpinField::stepDown()
{
    stepBy(-m_increment);
}

void SpinField::stepBy(qint32 delta)
{
    setText(QString::number(SpinReading::stepped(value(), delta, m_minimum, m_maximum)));
    // The stepped value is selected, so typing replaces it.
    if (hasFocus())
        selectAll();
}

void SpinField::keyPressEvent(QKeyEvent *event)
{
    const bool shortcut
        = event->modifiers().testAnyFlags(Qt::ControlModifier | Qt::MetaModifier);
    if (!shortcut && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        stepBy(event->key() == Qt::Key_Up ? m_increment : -m_increment);
        event->accept();
        return;
    }
    // Shortcuts (paste, cut, select all) go their own way; typed characters are filtered.
    if (!shortcut) {
        bool refused = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const QString separator = QLocale().decimalPoint();
        for (QChar c : event->text())
            refused = refused || !SpinReading::acceptsTyped(c, separator);
        if (refused) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void SpinField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    // Clicking into the text places the caret; any other way in selects the whole text.
    if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason)
        selectAll();
}

void SpinField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (m_minimum == m_maximum)
        return;
    const qint32 current = value();
    if (current < m_minimum || current > m_maximum)
        setValue(current);
}

void SpinField::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    placeArrows();
}

void SpinField::placeArrows()
{
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int inner = height() - 2 * frame;
    const int upHeight = inner / 2;
    const int left = width() - frame - arrowWidth;
    m_up->setGeometry(left, frame, arrowWidth, upHeight);
    m_down->setGeometry(left, frame + upHeight, arrowWidth, inner - upHeight);
}
