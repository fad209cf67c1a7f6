#include "viewing/browser/control_click_filter.h"

#include <QChildEvent>
#include <QMouseEvent>
#include <QWebEngineView>

ControlClickFilter::ControlClickFilter(QWebEngineView *view) : QObject(view), m_view(view)
{
    view->installEventFilter(this);
    for (QObject *child : view->children())
        if (child->isWidgetType())
            child->installEventFilter(this);
}

bool ControlClickFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded: {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (watched == m_view && child->isWidgetType())
            child->installEventFilter(this);
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        m_taken = false;
        if (!m_handler || mouse->button() != Qt::LeftButton
            || !(mouse->modifiers() & Qt::ControlModifier))
            return false;
        // The page's coordinates are the widget's divided by the zoom.
        const QPointF widgetPlace = static_cast<QWidget *>(watched)->mapTo(m_view, mouse->position());
        m_taken = m_handler(widgetPlace / m_view->zoomFactor());
        return m_taken;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton && m_taken) {
            m_taken = false;
            return true;
        }
        return false;
    default:
        return false;
    }
}
