// The preview following the page: from a keystroke to the reloaded page, beside the engine's
// own reload of the same file, and typing with the preview open beside typing with it closed.

#include "program_benchmarks.h"

#include "app/main_window.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"
#include "viewing/browser/browser_view.h"
#include "viewing/browser_host.h"
#include "viewing/preview_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

Form13 *preview()
{
    return windows().form13;
}

// Waits for the preview's next page load; the view is then grabbed, which paints it.
bool waitForLoadAndPaint(int timeoutMs = 10000)
{
    QEventLoop loop;
    bool loaded = false;
    QObject::connect(preview(), &Form13::pageLoaded, &loop, [&](bool ok) {
        loaded = ok;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    if (loaded)
        preview()->shower->grab();
    return loaded;
}

void runEventsFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A page whose text shows in the preview, about `bytes` long.
QByteArray previewPage(qsizetype bytes)
{
    return repeatedLines("<p>Ein Absatz mit <b>etwas</b> Text, wie ihn eine Seite hat.</p>\r\n", bytes,
                         "<html><body>\r\n");
}

void showDocumentInPreview(qsizetype bytes)
{
    openThroughDialog(previewPage(bytes));
    windows().form1->HPQT->moveCursor(QTextCursor::End);
    preview()->showCurrentPage();
    if (!waitForLoadAndPaint(60000))
        qFatal("the preview did not load the page");
}

void reportMedian(benchmark::State &state, std::vector<double> &seconds)
{
    std::sort(seconds.begin(), seconds.end());
    state.counters["median_ms"] = seconds.empty() ? 0 : seconds[seconds.size() / 2] * 1000;
}

// From a keystroke in the editor until the preview has reloaded the page and painted it.
void BM_KeystrokeToReloadedPreview(benchmark::State &state)
{
    showDocumentInPreview(state.range(0) << 10);
    std::vector<double> seconds;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        typeOneCharacter();
        if (!waitForLoadAndPaint())
            state.SkipWithError("no reload");
        seconds.push_back(timer.nsecsElapsed() / 1e9);
        state.SetIterationTime(seconds.back());
    }
    reportMedian(state, seconds);
    preview()->close();
}

// The floor: the engine reloading the same file, asked directly.
void BM_Floor_EngineReload(benchmark::State &state)
{
    showDocumentInPreview(state.range(0) << 10);
    std::vector<double> seconds;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        preview()->browser()->reload();
        if (!waitForLoadAndPaint())
            state.SkipWithError("no reload");
        seconds.push_back(timer.nsecsElapsed() / 1e9);
        state.SetIterationTime(seconds.back());
    }
    reportMedian(state, seconds);
    preview()->close();
}

// Typing into a page at a brisk pace: each keystroke until look.html is written, with the
// preview open and following (1) or closed (0). The follower and the reloads run between the
// keystrokes, as they would while the user types.
void BM_TypeWithPreview(benchmark::State &state)
{
    const bool open = state.range(1) != 0;
    if (open)
        showDocumentInPreview(state.range(0) << 10);
    else
        openThroughDialog(previewPage(state.range(0) << 10));
    std::vector<double> seconds;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        typeOneCharacter();
        seconds.push_back(timer.nsecsElapsed() / 1e9);
        state.SetIterationTime(seconds.back());
        runEventsFor(80);
    }
    reportMedian(state, seconds);
    preview()->close();
    runEventsFor(200);
}

BENCHMARK(BM_Floor_EngineReload)->Arg(100)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeToReloadedPreview)->Arg(100)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeWithPreview)->Args({1024, 0})->Args({1024, 1})->UseManualTime()->Iterations(41)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    prepareBrowserEngine();
    return runProgramBenchmarks(argc, argv, MainWindow::Shown);
}
