#include "viewing/preview_window.h"

#include "foundation/error_display.h"
#include "foundation/modal_dialogs.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"
#include "viewing/browser/browser_view.h"
#include "viewing/browser_host.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

Form13::Form13(QWidget *parent) : QWidget(parent)
{
    setObjectName(u"Form13"_s);
    setUpWindow(this, u"Website anzeigen"_s, Border::Sizeable, 319, 214, 783, 584);

    Panel1 = new QLabel(u"Hier klicken um das Fenster zu schließen"_s, this);
    Panel1->setObjectName(u"Panel1"_s);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFixedHeight(25);
    Panel1->installEventFilter(this);

    shower = new QWidget(this);
    shower->setObjectName(u"shower"_s);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Panel1);
    column->addWidget(shower, 1);

    // The engine must let go of its page before it shuts down with the application.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Form13::releaseBrowser);
}

Form13::~Form13() = default;

void Form13::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Only the change from hidden to visible navigates, not a restore by the window system.
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

bool Form13::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Panel1 && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && Panel1->rect().contains(mouse->position().toPoint()))
            runGuarded([this] { Panel1Click(); });
    }
    return QWidget::eventFilter(watched, event);
}

void Form13::createBrowser()
{
    std::unique_ptr<BrowserView> view(browserFactory()->createView(this));
    QWidget *page = view->widget();
    page->setObjectName(u"shower"_s);
    layout()->replaceWidget(shower, page);
    delete shower;
    shower = page;
    shower->show();

    view->setLoadHandler([this](bool ok, const QString &errorText) {
        emit pageLoaded(ok);
        // Shown from the event loop, not from inside the engine's own notification.
        if (!errorText.isEmpty())
            QMetaObject::invokeMethod(this, [errorText] { showError(errorText); },
                                      Qt::QueuedConnection);
    });
    m_browser = std::move(view);
}

void Form13::releaseBrowser()
{
    if (!m_browser)
        return;
    auto *standIn = new QWidget(this);
    standIn->setObjectName(u"shower"_s);
    layout()->replaceWidget(shower, standIn);
    m_browser.reset(); // takes its widget with it
    shower = standIn;
}

void Form13::FormShow()
{
    if (!m_browser)
        createBrowser();
    const QString fileName = windows().OpenDialog2->fileName();
    // A proper file URL, so that names with #, ? or % open; a relative name is taken from the
    // working folder of this moment.
    m_browser->navigate(fileName.isEmpty()
                            ? QUrl(u"about:blank"_s)
                            : QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
}

void Form13::Panel1Click()
{
    close();
}
