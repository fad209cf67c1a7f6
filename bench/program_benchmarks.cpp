#include "program_benchmarks.h"

#include "app/main_window.h"
#include "app/window_creation.h"
#include "document/text_editor.h"
#include "foundation/modal_dialogs.h"
#include "foundation/window_set.h"

#include <QApplication>
#include <QPushButton>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
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

TextEditor *pageEditor()
{
    return windows().form1->HPQT;
}

void typeOneCharacter()
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, u"x"_s);
    QApplication::sendEvent(pageEditor(), &press);
}

QByteArray repeatedLines(QByteArrayView lines, qsizetype bytes, QByteArrayView head)
{
    QByteArray page = head.toByteArray();
    page.reserve(bytes + lines.size());
    while (page.size() < bytes)
        page += lines;
    return page;
}

QByteArray typicalPage(qsizetype bytes)
{
    return repeatedLines("<tr><td border=1 width=50% height=20>Ein Eintrag mit etwas Text</td></tr>\r\n",
                         bytes);
}

void measureWriteFloor(benchmark::State &state, const QByteArray &page)
{
    for (auto _ : state) {
        QFile file(u"floor.html"_s);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(page);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}

void openThroughDialog(const QByteArray &page)
{
    QFile file(u"page.html"_s);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(page);
    file.close();
    Form1 *form1 = windows().form1;
    form1->OpenDialog1.setFileName(QDir::current().filePath(u"page.html"_s));
    modalHooks().fileDialog = [](FileDialog &, QWidget *) { return true; };
    form1->Button2->click();
}
