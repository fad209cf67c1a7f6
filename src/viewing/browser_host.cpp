#include "viewing/browser_host.h"

#include "foundation/error.h"
#include "viewing/browser/browser_view.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>
#include <QStringList>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString pluginFile = u"libtagschmied_browser.so"_s;

// Beside the program first, then where an installation keeps it, then the build's own folder.
QStringList pluginFolders()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {
        programFolder,
        programFolder + u"/plugins"_s,
        QDir::cleanPath(programFolder + u"/../lib/tagschmied/plugins"_s),
        QStringLiteral(TAGSCHMIED_PLUGIN_DIR),
    };
}

} // namespace

void prepareBrowserEngine()
{
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

BrowserFactory *browserFactory()
{
    static BrowserFactory *factory = nullptr;
    if (factory)
        return factory;

    QStringList problems;
    for (const QString &folder : pluginFolders()) {
        const QString path = QDir(folder).filePath(pluginFile);
        if (!QFileInfo::exists(path))
            continue;
        // The loader object may go; the plugin stays loaded as long as the process runs.
        QPluginLoader loader(path);
        QObject *root = loader.instance();
        if (auto *found = qobject_cast<BrowserFactory *>(root)) {
            factory = found;
            return factory;
        }
        problems.append(root ? u"%1 is not a browser plugin"_s.arg(path) : loader.errorString());
    }
    if (problems.isEmpty())
        problems.append(u"%1 not found in %2"_s.arg(pluginFile, pluginFolders().join(u", "_s)));
    throw Error(u"Cannot load the browser component: %1"_s.arg(problems.join(u"; "_s)));
}
