#pragma once

#include <QtPlugin>

#include <functional>

class QPointF;
class QString;
class QUrl;
class QVariant;
class QWidget;

// The preview's browser component, as the program sees it. The engine behind it lives in a
// plugin so that the program does not pay for loading it at start-up.
class BrowserView
{
public:
    // Called after each page load with its outcome; when it failed, the engine's description.
    using LoadHandler = std::function<void(bool ok, const QString &errorText)>;
    using TextReceiver = std::function<void(const QString &text)>;
    using ValueReceiver = std::function<void(const QVariant &value)>;
    // Told of a click with Ctrl held, where it is in the page's own coordinates (CSS pixels
    // from the viewport's corner); true takes it, so that the page never sees it.
    using ControlClickHandler = std::function<bool(const QPointF &pagePosition)>;

    virtual ~BrowserView() = default;

    // The widget that shows the page; it belongs to the parent the view was created for.
    virtual QWidget *widget() = 0;
    // Starts loading the location. Its outcome reaches the load handler.
    virtual void navigate(const QUrl &location) = 0;
    // Loads the page shown again from its file, where the reader was in it; a failure reaches
    // the load handler but is no error to report (the file may be half-written).
    virtual void reload() = 0;
    // The location of the page shown (after links followed in it), empty before the first.
    virtual QUrl location() const = 0;
    virtual void setLoadHandler(LoadHandler handler) = 0;
    // The text of the page as rendered, delivered later (used to check what is shown).
    virtual void fetchText(TextReceiver receiver) = 0;
    // Runs a script in the page and delivers its result later (used to read the scroll place).
    virtual void runScript(const QString &script, ValueReceiver receiver) = 0;
    // The same apart from the page's own scripts: both see the one document, but neither sees
    // the other's variables, so the page cannot change what the script relies on.
    virtual void runScriptApart(const QString &script, ValueReceiver receiver) = 0;
    // A script run apart in every page loaded from now on, as soon as its document is parsed
    // (before the page's load event); an empty one ends it.
    virtual void setPageScript(const QString &script) = 0;
    // Left clicks with Ctrl held reach the handler first; an empty handler lets them all pass.
    virtual void setControlClickHandler(ControlClickHandler handler) = 0;
};

// The plugin's root object makes the views.
class BrowserFactory
{
public:
    virtual ~BrowserFactory() = default;
    // A new view whose widget is a child of parent; the caller owns the view.
    virtual BrowserView *createView(QWidget *parent) = 0;
};

#define TagschmiedBrowserFactory_iid "org.tagschmied.BrowserFactory/3.0"
Q_DECLARE_INTERFACE(BrowserFactory, TagschmiedBrowserFactory_iid)
