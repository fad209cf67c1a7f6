#include "app/main_window.h"
#include "app/window_creation.h"
#include "foundation/window_set.h"
#include "viewing/browser_host.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    // Without any display Qt would abort with a terse message; say what to do instead.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY")
        && !qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
        std::fputs("tagschmied needs a graphical display (X11 or Wayland).\n"
                   "Without one, start it in a virtual display: xvfb-run -a ./tagschmied\n",
                   stderr);
        return EXIT_FAILURE;
    }

    prepareBrowserEngine(); // the preview's engine is loaded later, but reads this as it starts
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tagschmied"));
    QApplication::setQuitOnLastWindowClosed(false); // closing the main window alone ends the run

    createWindows();
    windows().form1->show();
    return app.exec();
}
