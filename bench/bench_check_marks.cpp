// The page check's marks in the editor: typing into a 1 MiB page with its marks laid, beside
// the same with the marks off; the longest stall of the event loop while a check's answer
// arrives and its marks are laid, beside the check alone and an idle loop; and how soon after
// the pause in typing a 100 KiB page shows its marks, beside the check alone.

#include "program_benchmarks.h"

#include "app/main_window.h"
#include "document/check_marks.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "html/html_colouring.h"
#include "html/page_check.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStandardPaths>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

CheckMarks *marks()
{
    return windows().form1->checkMarks();
}

// A table as the element buttons build it: the check finds something in every row.
QByteArray snippetTablePage(qsizetype bytes)
{
    QByteArray page = repeatedLines("<tr>\r\n<td border=1 width=50% height=20>Ein Eintrag</td>\r\n"
                                    "</tr>\r\n",
                                    bytes, "<html>\r\n<head><title>Tabelle</title></head>\r\n"
                                           "<body>\r\n<table border=1 width=100 height=50>\r\n");
    return page + "</table>\r\n</body>\r\n</html>";
}

// Runs the event loop until `signal` of `sender` comes, at most a minute.
template <typename Sender, typename Signal>
void waitFor(Sender *sender, Signal signal)
{
    QEventLoop loop;
    QObject::connect(sender, signal, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
}

// Opens the page with the marks on or off, and lets everything the opening set going end
// (the colouring's walk through the page, a check), so that only the keystrokes count.
void openWithMarks(const QByteArray &page, bool on)
{
    marks()->setOn(false);
    openThroughDialog(page);
    if (on) {
        marks()->setOn(true); // checks at once
        waitFor(marks(), &CheckMarks::marksShown);
    }
    HtmlColouring *colouring = pageEditor()->findChild<HtmlColouring *>();
    QElapsedTimer settling;
    settling.start();
    while (!colouring->isIdle() || windows().form1->pageCheck()->isRunning()
           || settling.elapsed() < CheckMarks::pauseAfterChange + 100)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

// Keystroke until look.html is written, and the events after it.
void BM_TypeOneCharacter(benchmark::State &state)
{
    openWithMarks(snippetTablePage(1 << 20), state.range(0));
    pageEditor()->setFocus();
    for (auto _ : state) {
        typeOneCharacter();
        QCoreApplication::processEvents();
    }
    state.counters["marks"] = marks()->marks().marks().size();
    state.SetBytesProcessed(state.iterations() * pageEditor()->length());
}

// The longest gap between two shots of a 1 ms timer while `work` runs until `done` says so,
// and 100 ms after, so that the layout and painting it causes count too.
double longestGap(const std::function<void()> &work, const std::function<bool()> &done)
{
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
    work();
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const qint64 end = clock.nsecsElapsed() + 100'000'000;
    while (clock.nsecsElapsed() < end)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return gap / 1e6;
}

// What runs: 2 the check with its marks laid, 1 the check alone (marks off), 0 nothing for as
// long as the check took.
void BM_LongestStall(benchmark::State &state)
{
    const int what = int(state.range(0));
    openWithMarks(snippetTablePage(1 << 20), what == 2);
    static qint64 checkTook = 200; // the last check's time, for the idle run
    double longest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        typeOneCharacter(); // a new text, so that it is checked again
        QCoreApplication::processEvents();
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        bool finished = false;
        QMetaObject::Connection connection;
        if (what == 2) {
            connection = QObject::connect(marks(), &CheckMarks::marksShown, [&] { finished = true; });
            longest = std::max(longest, longestGap([] { marks()->checkNow(); }, [&] { return finished; }));
        } else if (what == 1) {
            PageCheck *check = windows().form1->pageCheck();
            connection = QObject::connect(check, &PageCheck::finished, [&] { finished = true; });
            longest = std::max(longest, longestGap([check] { check->start(pageEditor()->text().toUtf8()); },
                                                   [&] { return finished; }));
        } else {
            longest = std::max(longest, longestGap([] {}, [&] { return clock.elapsed() > checkTook; }));
        }
        QObject::disconnect(connection);
        if (what != 0)
            checkTook = clock.elapsed() - 100;
    }
    state.counters["longest_stall_ms"] = longest;
    state.counters["marks"] = marks()->marks().marks().size();
}

// From the keystroke until the marks are shown; "after_pause_ms" leaves the pause out.
void BM_MarksAfterPause(benchmark::State &state)
{
    openWithMarks(snippetTablePage(100 << 10), true);
    pageEditor()->setFocus();
    double afterPause = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        typeOneCharacter();
        waitFor(marks(), &CheckMarks::marksShown);
        afterPause = std::max(afterPause, clock.elapsed() - double(CheckMarks::pauseAfterChange));
    }
    state.counters["after_pause_ms"] = afterPause;
    state.counters["marks"] = marks()->marks().marks().size();
}

// The floor: the check alone on the same page, from asking until its answer is read.
void BM_Floor_CheckAlone(benchmark::State &state)
{
    openWithMarks(snippetTablePage(100 << 10), false);
    PageCheck *check = windows().form1->pageCheck();
    const QByteArray page = pageEditor()->text().toUtf8();
    for (auto _ : state) {
        QEventLoop loop;
        QObject::connect(check, &PageCheck::finished, &loop, &QEventLoop::quit);
        check->start(page);
        loop.exec();
    }
}

BENCHMARK(BM_TypeOneCharacter)->ArgName("marks")->Arg(0)->Arg(1)->Arg(0)->Arg(1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongestStall)->ArgName("what")->Arg(1)->Arg(2)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Floor_CheckAlone)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MarksAfterPause)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char **argv)
{
    // The switch is remembered: keep the user's own settings out of it.
    QStandardPaths::setTestModeEnabled(true);
    return runProgramBenchmarks(argc, argv, MainWindow::Shown);
}
