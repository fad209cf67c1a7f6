#include "program_benchmarks.h"

#include "app/main_window.h"
#include "app/window_creation.h"
#include "foundation/modal_dialogs.h"
#include "foundation/window_set.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

int runProgramBenchmarks(int argc, char **argv, MainWindow mainWindow,
                         const std::function<void()> &prepare)
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    modalHooks().errorBox = [](const QString &, const QString &text) {
        qFatal("error box: %s", qPrintable(text));
    };
    QFile(u"eigene.lst"_s).open(QIODevice::WriteOnly); // read when the main window is shown
    createWindows();
    if (mainWindow == MainWindow::Shown)
        windows().form1->show(); // the editor as the user sees it, so scrolling and painting count
    if (prepare)
        prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    destroyWindows();
    return 0;
}
