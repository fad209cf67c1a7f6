#pragma once

#include <QtPlugin>

#include <functional>

class QString;
class QUrl;
class QWidget;

// The preview's browser component, as the program sees it. The engine behind it lives in a
// plugin so that the program does not pay for loading it at start-up.
class BrowserView
{
public:
    // Called after each page load with its outcome; when it failed, the engine's description.
    using LoadHandler = std::function<void(bool ok, const QString &errorText)>;
    using TextReceiver = std::function<void(const QString &text)>;

    virtual ~BrowserView() = default;

    // The widget that shows the page; it belongs to the parent the view was created for.
    virtual QWidget *widget() = 0;
    // Starts loading the location. Its outcome reaches the load handler.
    virtual void navigate(const QUrl &location) = 0;
    virtual void setLoadHandler(LoadHandler handler) = 0;
    // The text of the page as rendered, delivered later (used to check what is shown).
    virtual void fetchText(TextReceiver receiver) = 0;
};

// The plugin's root object makes the views.
class BrowserFactory
{
public:
    virtual ~BrowserFactory() = default;
    // A new view whose widget is a child of parent; the caller owns the view.
    virtual BrowserView *createView(QWidget *parent) = 0;
};

#define TagschmiedBrowserFactory_iid "org.tagschmied.BrowserFactory/1.0"
Q_DECLARE_INTERFACE(BrowserFactory, TagschmiedBrowserFactory_iid)
