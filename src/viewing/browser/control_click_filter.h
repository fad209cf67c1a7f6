#pragma once

#include "viewing/browser/browser_view.h"

#include <QObject>

class QWebEngineView;

// Watches the browser view's widgets for left clicks with Ctrl held and offers them to a
// handler; a click the handler takes (its press, double click and release) is kept from the
// page, so that a link under it is not followed. The engine draws into a child widget that it
// may replace, so each new child is watched too.
class ControlClickFilter : public QObject
{
public:
    explicit ControlClickFilter(QWebEngineView *view);

    void setHandler(BrowserView::ControlClickHandler handler) { m_handler = std::move(handler); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWebEngineView *m_view;
    BrowserView::ControlClickHandler m_handler;
    bool m_taken = false; // a press was taken: its release is kept from the page too
};
