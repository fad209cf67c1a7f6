#include "app/command_line.h"
#include "app/command_line_check.h"
#include "app/main_window.h"
#include "app/qt_translation.h"
#include "app/window_creation.h"
#include "foundation/error_display.h"
#include "foundation/window_set.h"
#include "viewing/browser_host.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

bool hasDisplay(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")
        || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    // --help and --version answer without a display; only the editor itself needs one, and
    // without it Qt's widgets would abort with a terse message.
    // The check alone makes no window, so it neither needs nor touches a display.
    const bool display = hasDisplay(argc, argv) && !asksForCheckOnly(argc, argv);
    prepareBrowserEngine(); // the preview's engine is loaded later, but reads this as it starts
    const std::unique_ptr<QCoreApplication> app(display ? new QApplication(argc, argv)
                                                        : new QCoreApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("tagschmied"));
    loadGermanQtTranslation();

    const CommandLine commandLine = readCommandLine(QCoreApplication::arguments(),
                                                    QDir::currentPath());
    switch (commandLine.action) {
    case CommandLine::Action::Answer:
        std::fputs(commandLine.answer.toLocal8Bit().constData(), stdout);
        return EXIT_SUCCESS;
    case CommandLine::Action::Refuse:
        std::fputs(commandLine.answer.toLocal8Bit().constData(), stderr);
        return 2;
    case CommandLine::Action::Check: {
        const PageCheckRun run = checkPageFiles(commandLine.checkPages, QDir::currentPath());
        std::fwrite(run.output.constData(), 1, size_t(run.output.size()), stdout);
        std::fwrite(run.errors.constData(), 1, size_t(run.errors.size()), stderr);
        return run.exitStatus;
    }
    case CommandLine::Action::Run:
        break;
    }
    if (!display) {
        std::fputs("tagschmied needs a graphical display (X11 or Wayland).\n"
                   "Without one, start it in a virtual display: xvfb-run -a ./tagschmied\n",
                   stderr);
        return EXIT_FAILURE;
    }

    QApplication::setQuitOnLastWindowClosed(false); // closing the main window alone ends the run
    // Before the windows, so that the custom tag list is read from there.
    if (commandLine.ownFolder)
        runGuarded([] { enterOwnFolder(); });
    createWindows();
    Form1 *form1 = windows().form1;
    form1->show();
    if (!commandLine.page.isEmpty())
        openNamedPage(form1, commandLine.page);
    return app->exec();
}
