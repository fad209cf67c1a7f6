#pragma once

#include "viewing/browser/browser_view.h"

#include <QObject>

// The plugin's root object: makes views on Qt WebEngine.
class WebBrowserFactory : public QObject, public BrowserFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TagschmiedBrowserFactory_iid FILE "browser.json")
    Q_INTERFACES(BrowserFactory)

public:
    BrowserView *createView(QWidget *parent) override;
};
