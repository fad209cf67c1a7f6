#include "foundation/window_frame.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {
// The share of a sizeable Windows frame (borders and title bar) in a window's outer size.
constexpr int frameWidth = 8;
constexpr int frameHeight = 27;
} // namespace

void setUpWindow(QWidget *window, const QString &caption, Border border, int left, int top,
                 int width, int height)
{
    window->setWindowTitle(caption);
    switch (border) {
    case Border::Sizeable:
        window->setWindowFlags(Qt::Window);
        window->resize(width - frameWidth, height - frameHeight);
        break;
    case Border::Fixed:
        window->setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint
                               | Qt::WindowCloseButtonHint | Qt::WindowTitleHint
                               | Qt::CustomizeWindowHint);
        window->setFixedSize(width, height);
        break;
    case Border::None:
        window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        window->setFixedSize(width, height);
        break;
    }
    window->move(left, top);
}

void openWindow(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

void place(QWidget *control, int left, int top, int width, int height)
{
    control->setGeometry(left, top, width, height);
}

QLabel *addLabel(const QString &name, const QString &text, QWidget *parent, int left, int top)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->move(left, top);
    label->adjustSize();
    return label;
}

void setTabChain(std::initializer_list<QWidget *> controls)
{
    QWidget *previous = nullptr;
    for (QWidget *control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

QFont controlFont()
{
    QFont font;
    font.setFamilies({u"MS Sans Serif"_s, u"Liberation Sans"_s, u"Arial"_s, u"DejaVu Sans"_s});
    font.setPointSize(8);
    return font;
}

DefaultButton::DefaultButton(QWidget *window, QPushButton *button)
    : QObject(window), m_window(window), m_button(button)
{
    qApp->installEventFilter(this);
}

bool DefaultButton::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // Key presses go to the focus widget; the filter sees them before it does.
    auto *target = qobject_cast<QWidget *>(watched);
    if (!target || target->window() != m_window)
        return false;
    if (target->inherits("QPlainTextEdit"))
        return false; // multi-line editors take Enter as a line break
    if (auto *button = qobject_cast<QPushButton *>(target)) {
        button->click();
        return true;
    }
    if (m_button->isEnabled())
        m_button->click();
    return true;
}
