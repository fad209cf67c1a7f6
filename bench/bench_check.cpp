// The page check on a 1 MiB page: the check alone beside one pass over the page's characters;
// "Erneut prüfen" until its rows are shown; and typing with the check window open, beside the
// same with it closed.

#include "program_benchmarks.h"

#include "app/main_window.h"
#include "document/check_window.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "html/conformance/page_conformance.h"

#include <QApplication>
#include <QKeyEvent>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A table as the element buttons build it: each cell's old presentational attributes give a
// warning, so the window shows rows for every line of the page.
QByteArray snippetTablePage(qsizetype bytes)
{
    QByteArray page = repeatedLines("<tr>\r\n<td border=1 width=50% height=20>Ein Eintrag</td>\r\n"
                                    "</tr>\r\n",
                                    bytes, "<html>\r\n<head><title>Tabelle</title></head>\r\n"
                                           "<body>\r\n<table border=1 width=100 height=50>\r\n");
    return page + "</table>\r\n</body>\r\n</html>";
}

// A page as a careful author writes it, with a picture without alt text every 1,000 lines.
QByteArray carefulPage(qsizetype bytes)
{
    QByteArray lines;
    for (int i = 0; i < 999; ++i)
        lines += "<tr><td>Ein Eintrag mit <b>etwas</b> Text</td><td><a href=\"a.html\">Link</a></td></tr>\r\n";
    lines += "<tr><td><img src=\"bild.gif\"></td><td></td></tr>\r\n";
    QByteArray page = repeatedLines(lines, bytes, "<!DOCTYPE html>\r\n<html>\r\n<head><title>Tabelle"
                                                  "</title></head>\r\n<body>\r\n<table>\r\n");
    return page + "</table>\r\n</body>\r\n</html>";
}

using PageMaker = QByteArray (*)(qsizetype bytes);

// The floor: one pass over the page's characters, as any check must make.
void BM_Floor_OnePass(benchmark::State &state, PageMaker makePage)
{
    const QString page = QString::fromUtf8(makePage(state.range(0) << 20));
    for (auto _ : state) {
        qsizetype lines = 0;
        for (const QChar c : page)
            lines += c == u'\n';
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * page.size() * 2);
}

// The check itself, in this process, as its helper runs it: parse, rules, messages.
void BM_CheckEngine(benchmark::State &state, PageMaker makePage)
{
    const QString page = QString::fromUtf8(makePage(state.range(0) << 20));
    qsizetype messages = 0;
    for (auto _ : state)
        messages = checkPage(page).size();
    state.counters["messages"] = double(messages);
    state.SetBytesProcessed(state.iterations() * page.size() * 2);
}

// Runs `action` and the event loop until the window shows the check's rows.
void untilShown(Form16 *window, const std::function<void()> &action)
{
    QEventLoop loop;
    QObject::connect(window, &Form16::checkShown, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    action();
    loop.exec();
}

Form16 *openCheck()
{
    Form1 *main = windows().form1;
    Form16 *window = main->checkWindow();
    untilShown(window, [main] { main->openCheckWindow(); });
    return window;
}

void BM_CheckUntilRowsShown(benchmark::State &state, PageMaker makePage)
{
    openThroughDialog(makePage(state.range(0) << 20));
    Form16 *window = openCheck();
    for (auto _ : state)
        untilShown(window, [window] { window->Button1->click(); });
    state.counters["rows"] = window->ListView1->model()->rowCount();
    window->hide();
}

// Keystroke until look.html is written; the events after it are handled too, so that the
// window's pause and any check it starts take their share.
void BM_TypeOneCharacter(benchmark::State &state, bool checkOpen)
{
    openThroughDialog(snippetTablePage(state.range(0) << 20));
    Form16 *window = checkOpen ? openCheck() : nullptr;
    TextEditor *editor = windows().form1->HPQT;
    editor->setFocus();
    for (auto _ : state) {
        typeOneCharacter();
        QCoreApplication::processEvents();
    }
    state.SetBytesProcessed(state.iterations() * editor->length());
    if (window)
        window->hide();
}

BENCHMARK_CAPTURE(BM_Floor_OnePass, careful, carefulPage)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CheckEngine, careful, carefulPage)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CheckUntilRowsShown, careful, carefulPage)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Floor_OnePass, snippetTable, snippetTablePage)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CheckEngine, snippetTable, snippetTablePage)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CheckUntilRowsShown, snippetTable, snippetTablePage)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TypeOneCharacter, checkClosed, false)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TypeOneCharacter, checkOpen, true)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runProgramBenchmarks(argc, argv, MainWindow::Shown);
}
