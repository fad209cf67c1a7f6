#pragma once

#include <QObject>
#include <QString>

#include <initializer_list>

class QFont;
class QLabel;
class QPushButton;
class QWidget;

// How a window's border behaves: resizable, fixed single border, or none at all.
enum class Border { Sizeable, Fixed, None };

// Gives a top-level window its caption, border, screen position and size. Fixed and borderless
// windows are given their client size, sizeable ones their outer size as a Windows frame would
// count it (the frame's share is taken off for the client area).
void setUpWindow(QWidget *window, const QString &caption, Border border, int left, int top,
                 int width, int height);

// Opening a window: show it without blocking anyone and bring it to the front.
void openWindow(QWidget *window);

// Places a control at a fixed position inside its parent.
void place(QWidget *control, int left, int top, int width, int height);

// A control at a fixed position inside its parent, named after its member; a caption, where
// the control has one, comes last.
template <typename Control>
Control *addControl(const QString &name, QWidget *parent, int left, int top, int width,
                    int height, const QString &caption = QString())
{
    auto *control = new Control(caption, parent);
    control->setObjectName(name);
    place(control, left, top, width, height);
    return control;
}

// A caption label at a fixed position, sized to its text (as classic labels size themselves, so
// a face wider than the original never cuts a caption off). Its text is plain: captions such as
// "<br>" are shown as written, not taken for markup.
QLabel *addLabel(const QString &name, const QString &text, QWidget *parent, int left, int top);

// Sets the keyboard focus order of the given controls, first to last.
void setTabChain(std::initializer_list<QWidget *> controls);

// The face all windows use for their controls, "MS Sans Serif" at 8 points, with metric-near
// fallbacks where it is not installed.
QFont controlFont();

// Enter clicks the window's default button while the focus is on a control that does not take
// Enter itself; while another push button has the focus, Enter clicks that one. Qt does this by
// itself only inside a QDialog, and our windows are plain top-level widgets.
class DefaultButton : public QObject
{
public:
    DefaultButton(QWidget *window, QPushButton *button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QPushButton *m_button;
};
