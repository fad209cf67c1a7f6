// The page editor with HTML colouring beside the same editor without it, in one run: opening a
// 10 MiB page until its first screen is painted, typing into it, and how long the program goes
// without answering events while the page is coloured in the background.

#include "program_benchmarks.h"

#include "app/main_window.h"
#include "document/text_editor.h"
#include "foundation/modal_dialogs.h"
#include "foundation/window_set.h"
#include "html/html_colouring.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype pageBytes = qsizetype(10) << 20;

// A page of typical HTML lines with a comment over several lines now and then.
QByteArray makePage(qsizetype bytes)
{
    return repeatedLines("<tr><td border=1 width=\"50%\" height=20>Ein Eintrag &auml;</td></tr>\r\n"
                         "<!-- eine Anmerkung\r\n"
                         "   &uuml;ber zwei Zeilen --><p class='x'>Text</p>\r\n",
                         bytes);
}


HtmlColouring *colouring()
{
    return pageEditor()->findChild<HtmlColouring *>();
}

void setColouring(bool on)
{
    if (on && !colouring())
        new HtmlColouring(pageEditor());
    else if (!on)
        delete colouring();
}

void settle()
{
    while (colouring() && !colouring()->isIdle())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void openPage()
{
    windows().form1->OpenDialog1.setFileName(QDir::current().filePath(u"page.html"_s));
    windows().form1->Button2->click();
}

void emptyPage()
{
    windows().form1->Button1->click();
    settle();
}

// Until the editor holds the page and has painted (and coloured) its first screen.
void BM_OpenPage(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        emptyPage();
        setColouring(state.range(0));
        state.ResumeTiming();
        openPage();
        pageEditor()->viewport()->repaint();
    }
    settle();
}

// One keystroke until look.html is written; with events:1 also what the events it leaves
// behind do (repainting, colouring the line).
void BM_TypeOneCharacter(benchmark::State &state)
{
    emptyPage();
    setColouring(state.range(0));
    openPage();
    settle();
    pageEditor()->setFocus();
    for (auto _ : state) {
        typeOneCharacter();
        if (state.range(1))
            QCoreApplication::processEvents();
    }
    settle();
}

// The longest gap between two shots of a 1 ms timer: with colouring, while the freshly opened
// page is coloured in the background; without, over the same time with nothing to do.
void BM_LongestTimerGap(benchmark::State &state)
{
    static double colouredIn = 0; // the last colouring's time, kept for the run without
    double longestGap = 0;
    for (auto _ : state) {
        state.PauseTiming();
        emptyPage();
        setColouring(state.range(0));
        openPage();
        state.ResumeTiming();

        QElapsedTimer clock;
        clock.start();
        qint64 last = clock.nsecsElapsed();
        qint64 gap = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
            const qint64 now = clock.nsecsElapsed();
            gap = std::max(gap, now - last);
            last = now;
        });
        ticker.start();
        // Without colouring, wait as long as the last colouring took, at least 200 ms.
        const qint64 wait = std::max<qint64>(qint64(colouredIn * 1e6), 200'000'000);
        while (state.range(0) ? !colouring()->isIdle() : clock.nsecsElapsed() < wait)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (state.range(0))
            colouredIn = clock.nsecsElapsed() / 1e6;
        longestGap = std::max(longestGap, gap / 1e6);
    }
    state.counters["longest_gap_ms"] = longestGap;
    state.counters["coloured_in_ms"] = colouredIn;
}

BENCHMARK(BM_OpenPage)->ArgName("colouring")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TypeOneCharacter)->ArgNames({"colouring", "events"})->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongestTimerGap)->ArgName("colouring")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return runProgramBenchmarks(argc, argv, MainWindow::Shown, [] {
        modalHooks().fileDialog = [](FileDialog &, QWidget *) { return true; };
        QFile file(u"page.html"_s);
        file.open(QIODevice::WriteOnly);
        file.write(makePage(pageBytes));
    });
}
