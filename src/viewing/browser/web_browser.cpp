#include "viewing/browser/web_browser.h"

#include "viewing/browser/control_click_filter.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QPointer>
#include <QUrl>
#include <QVariant>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

// Qt's own setter for the context that QGuiApplication makes at start-up when asked to.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {

// The engine's widgets draw through a GL context shared with Qt's, which Qt makes at start-up
// only when asked before the application object exists. Asking there would load the GL driver
// at every start of the program (a tenth of a second and some 60 MiB here), for a preview most
// runs never open; so the context is made now, before the first view, as Qt would have made it.
// Where no GL is to be had the context stays invalid and the engine draws in software.
void shareOpenGlContexts()
{
    if (QOpenGLContext::globalShareContext())
        return;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    auto *context = new QOpenGLContext; // lives as long as the process, as Qt's own would
    context->setFormat(QSurfaceFormat::defaultFormat());
    context->create();
    qt_gl_set_global_share_context(context);
}

class WebBrowserView : public BrowserView
{
public:
    explicit WebBrowserView(QWidget *parent)
        : m_view(new QWebEngineView(parent)), m_clicks(new ControlClickFilter(m_view))
    {
        // Unlike loadFinished, loadingChanged says why a load failed.
        QObject::connect(m_view->page(), &QWebEnginePage::loadingChanged, m_view,
                         [this](const QWebEngineLoadingInfo &info) { noteLoading(info); });
    }

    ~WebBrowserView() override { delete m_view.data(); }

    QWidget *widget() override { return m_view; }

    void navigate(const QUrl &location) override
    {
        m_requested = location;
        m_view->load(location);
    }

    void reload() override
    {
        m_requested.clear(); // a reload that fails reports nothing
        m_view->reload();
    }

    QUrl location() const override { return m_view->url(); }

    void setLoadHandler(LoadHandler handler) override { m_handler = std::move(handler); }

    void fetchText(TextReceiver receiver) override
    {
        m_view->page()->toPlainText(std::move(receiver));
    }

    void runScript(const QString &script, ValueReceiver receiver) override
    {
        m_view->page()->runJavaScript(script, std::move(receiver));
    }

    void runScriptApart(const QString &script, ValueReceiver receiver) override
    {
        m_view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                      std::move(receiver));
    }

    void setPageScript(const QString &source) override
    {
        QWebEngineScriptCollection &scripts = m_view->page()->scripts();
        const QList<QWebEngineScript> old = scripts.find(pageScriptName());
        for (const QWebEngineScript &script : old)
            scripts.remove(script);
        if (source.isEmpty())
            return;
        QWebEngineScript script;
        script.setName(pageScriptName());
        script.setSourceCode(source);
        script.setInjectionPoint(QWebEngineScript::DocumentReady);
        script.setWorldId(QWebEngineScript::ApplicationWorld);
        script.setRunsOnSubFrames(false);
        scripts.insert(script);
    }

    void setControlClickHandler(ControlClickHandler handler) override
    {
        m_clicks->setHandler(std::move(handler));
    }

private:
    // Only a failure of the page asked for is an error to report: links followed inside the
    // page show the engine's own error page, and a load cut short by the next is no failure.
    void noteLoading(const QWebEngineLoadingInfo &info)
    {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus || !m_handler)
            return;
        const bool ok = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus;
        const bool reported = info.status() == QWebEngineLoadingInfo::LoadFailedStatus
            && info.url() == m_requested && info.errorCode() != abortedByNextLoad;
        m_handler(ok, reported ? describe(info) : QString());
    }

    static constexpr int abortedByNextLoad = -3; // the engine's net::ERR_ABORTED

    static QString pageScriptName() { return QStringLiteral("tagschmied-page-script"); }

    static QString describe(const QWebEngineLoadingInfo &info)
    {
        QString text = info.errorString();
        if (text.isEmpty())
            text = QStringLiteral("error %1").arg(info.errorCode());
        const QUrl &url = info.url();
        return QStringLiteral("Cannot show %1: %2")
            .arg(url.isLocalFile() ? url.toLocalFile() : url.toDisplayString(), text);
    }

    QPointer<QWebEngineView> m_view;
    ControlClickFilter *m_clicks; // owned by the view
    QUrl m_requested;
    LoadHandler m_handler;
};

} // namespace

BrowserView *WebBrowserFactory::createView(QWidget *parent)
{
    static const bool engineReady = [] {
        shareOpenGlContexts();
        return true;
    }();
    Q_UNUSED(engineReady);
    return new WebBrowserView(parent);
}
