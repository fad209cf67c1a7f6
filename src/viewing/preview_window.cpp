#include "viewing/preview_window.h"

#include "document/page_files.h"
#include "foundation/error_display.h"
#include "foundation/modal_dialogs.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"
#include "viewing/browser/browser_view.h"
#include "viewing/browser_host.h"
#include "viewing/file_follower.h"
#include "viewing/source_link.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QShortcut>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// A load the engine has not finished after this long holds no reload back (ms).
constexpr int stuckLoad = 3000;

} // namespace

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

    connectHandler(new QShortcut(QKeySequence(Qt::Key_F12), this), &QShortcut::activated, this,
                   &Form13::showCurrentPage);

    // The engine must let go of its page before it shuts down with the application.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Form13::releaseBrowser);
}

Form13::~Form13()
{
    delete m_sourceLink; // before the browser it works on
}

void Form13::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Only the change from hidden to visible navigates, not a restore by the window system.
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

void Form13::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // Hidden, the preview follows nothing; showing it navigates afresh.
    if (m_follower)
        m_follower->stop();
    m_reloadWaiting = false;
    if (m_sourceLink)
        m_sourceLink->setShown(false);
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
        pageDone();
        m_sourceLink->pageLoaded();
        emit pageLoaded(ok);
        // Shown from the event loop, not from inside the engine's own notification.
        if (!errorText.isEmpty() && !m_quietFailure)
            QMetaObject::invokeMethod(this, [errorText] { showError(errorText); },
                                      Qt::QueuedConnection);
    });
    m_browser = std::move(view);
    m_sourceLink = new SourceLink(m_browser.get(), windows().HPQT, this);
}

void Form13::releaseBrowser()
{
    if (!m_browser)
        return;
    auto *standIn = new QWidget(this);
    standIn->setObjectName(u"shower"_s);
    layout()->replaceWidget(shower, standIn);
    delete std::exchange(m_sourceLink, nullptr);
    m_browser.reset(); // takes its widget with it
    shower = standIn;
}

void Form13::FormShow()
{
    navigateToPick();
}

void Form13::navigateToPick()
{
    const bool byF12 = std::exchange(m_byF12, false);
    if (!m_browser)
        createBrowser();
    m_sourceLink->setShown(true);
    const QString fileName = windows().OpenDialog2->fileName();
    // A proper file URL, so that names with #, ? or % open; a relative name is taken from the
    // working folder of this moment.
    const QUrl location = fileName.isEmpty()
        ? QUrl(u"about:blank"_s)
        : QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath());
    // F12 before the first change finds no look.html yet: no error, it shows when written.
    m_quietFailure = byF12 && !QFileInfo::exists(fileName);
    m_loading.start();
    m_browser->navigate(location);
    followShownFile(location);
}

void Form13::Panel1Click()
{
    close();
}

void Form13::showCurrentPage()
{
    windows().OpenDialog2->setFileName(QDir::current().absoluteFilePath(
        QString::fromLatin1(previewCopyName)));
    m_byF12 = true;
    if (!isVisible()) {
        openWindow(this); // navigates as it appears
        return;
    }
    openWindow(this);
    navigateToPick();
}

void Form13::followShownFile(const QUrl &shown)
{
    if (!isVisible() || !shown.isLocalFile()) {
        if (m_follower)
            m_follower->stop();
        return;
    }
    if (!m_follower) {
        m_follower = new FileFollower(this);
        connect(m_follower, &FileFollower::changed, this, &Form13::shownFileChanged);
    }
    const QString path = shown.toLocalFile();
    if (m_follower->path() != path)
        m_follower->follow(path);
}

void Form13::shownFileChanged()
{
    if (!isVisible() || !m_browser)
        return;
    // One load at a time: a write during a load is shown when that load is done. A load the
    // engine never finished holds nothing up for long.
    if (m_loading.isValid() && m_loading.elapsed() < stuckLoad) {
        m_reloadWaiting = true;
        return;
    }
    m_reloadWaiting = false;
    m_loading.start();
    m_browser->reload();
}

void Form13::pageDone()
{
    m_loading.invalidate();
    followShownFile(m_browser->location()); // a link followed in the page leads to another file
    // Not from inside the engine's own notification.
    if (m_reloadWaiting)
        QMetaObject::invokeMethod(this, &Form13::shownFileChanged, Qt::QueuedConnection);
}
