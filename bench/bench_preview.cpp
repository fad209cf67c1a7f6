// The preview following the page: from a keystroke to the reloaded page, beside the engine's
// own reload of the same file, and typing with the preview open beside typing with it closed.
// The preview and the source pointing at each other: from the caret resting to its element's
// frame drawn, and from a Ctrl+click to the caret placed, each beside the engine running the
// same script when asked directly; typing with the preview linked beside typing with the same
// preview unlinked.

#include "program_benchmarks.h"

#include "app/main_window.h"
#include "document/text_editor.h"
#include "foundation/window_frame.h"
#include "foundation/window_set.h"
#include "viewing/browser/browser_view.h"
#include "viewing/browser_host.h"
#include "viewing/preview_scripts.h"
#include "viewing/preview_window.h"
#include "viewing/source_link.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <unistd.h>
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
// preview open and following (1) or closed (0). The follower, the reloads and the source
// link's work run between the keystrokes, as they would while the user types.
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

// A page of nested tables and paragraphs, about `bytes` long.
QByteArray linkPage(qsizetype bytes)
{
    return repeatedLines("<table border=1><tr><td>Zelle mit <b>fettem</b> Text</td><td><table><tr>"
                         "<td>innen</td></tr></table></td></tr></table>\r\n"
                         "<p>Ein Absatz mit etwas Text, wie ihn eine Seite hat.</p>\r\n",
                         bytes, "<html><head><title>Seite</title></head><body>\r\n");
}

void showLinkPage(qsizetype bytes)
{
    openThroughDialog(linkPage(bytes));
    pageEditor()->moveCaretTo(1);
    preview()->showCurrentPage();
    if (!waitForLoadAndPaint(60000))
        qFatal("the preview did not load the page");
    QApplication::setActiveWindow(windows().form1);
    pageEditor()->setFocus();
    runEventsFor(500);
}

QVariant evaluate(const QString &script)
{
    QVariant value;
    bool done = false;
    preview()->browser()->runScript(script, [&](const QVariant &result) {
        value = result;
        done = true;
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return value;
}

QPoint pointOf(const QVariant &pair)
{
    const QVariantList list = pair.toList();
    if (list.size() != 2)
        qFatal("no place in the page");
    return QPointF(list[0].toDouble(), list[1].toDouble()).toPoint();
}

// Two elements on the first screen of the link page, far apart in the text: the first table
// cell (line 2) and the second paragraph (line 5); a caret place in each, a point of its
// frame's left edge, the frame the program would ask for, and a character of its text.
struct LinkPlace
{
    int line;
    int column;
    QString element; // a script expression
    ElementPath path;
    QPoint frameEdge;
    QPoint character;
};

std::vector<LinkPlace> linkPlaces()
{
    std::vector<LinkPlace> places{
        {2, 22, u"document.querySelector('td')"_s,
         {{0, 1, 0, 0, 0, 0}, {u"html"_s, u"body"_s, u"table"_s, u"tbody"_s, u"tr"_s, u"td"_s}, {}},
         {}, {}},
        {5, 10, u"document.querySelectorAll('p')[1]"_s,
         {{0, 1, 3}, {u"html"_s, u"body"_s, u"p"_s}, {}}, {}, {}},
    };
    for (LinkPlace &place : places) {
        place.frameEdge = pointOf(evaluate(
            u"(function () { const b = %1.getBoundingClientRect(); return [b.left - 2, b.top + b.height / 2]; })()"_s
                .arg(place.element)));
        place.character = pointOf(evaluate(
            u"(function () { const r = document.createRange(); r.setStart(%1.firstChild, 3);"
            " r.setEnd(%1.firstChild, 4); const b = r.getBoundingClientRect();"
            " return [b.left + b.width / 2, b.top + b.height / 2]; })()"_s.arg(place.element)));
    }
    return places;
}

bool isFrameColour(const QColor &colour)
{
    return std::abs(colour.red() - 0xe0) < 16 && std::abs(colour.green() - 0x21) < 16
        && std::abs(colour.blue() - 0x8a) < 16;
}

// Until the view shows the frame's colour at the point.
bool waitForFrameAt(const QPoint &point, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (isFrameColour(preview()->shower->grab().toImage().pixelColor(point)))
            return true;
    }
    return false;
}

// From the caret coming to rest in another element until the frame around it is drawn; the
// rest the link waits for (SourceLink::caretRest) is part of it.
void BM_CaretRestToFrame(benchmark::State &state)
{
    showLinkPage(state.range(0) << 10);
    const std::vector<LinkPlace> places = linkPlaces();
    std::vector<double> seconds;
    int turn = 0;
    for (auto _ : state) {
        const LinkPlace &place = places[turn++ % places.size()];
        QElapsedTimer timer;
        timer.start();
        pageEditor()->moveCaretTo(place.line, place.column);
        if (!waitForFrameAt(place.frameEdge))
            state.SkipWithError("no frame");
        seconds.push_back(timer.nsecsElapsed() / 1e9);
        state.SetIterationTime(seconds.back());
    }
    reportMedian(state, seconds);
    preview()->close();
}

// The floor: the engine running the same frame script, asked directly, until drawn.
void BM_Floor_FrameScript(benchmark::State &state)
{
    showLinkPage(state.range(0) << 10);
    const std::vector<LinkPlace> places = linkPlaces();
    const TreePaths paths(pageEditor()->text());
    const FrameRequest request{preview()->browser()->location().toLocalFile(),
                               paths.elementCount(), {}};
    std::vector<double> seconds;
    int turn = 0;
    for (auto _ : state) {
        const LinkPlace &place = places[turn++ % places.size()];
        FrameRequest frame = request;
        frame.path = TreePaths::pathOf(paths.elementAt(place.path));
        QElapsedTimer timer;
        timer.start();
        preview()->browser()->runScriptApart(frameScript(frame, false), [](const QVariant &) {});
        if (!waitForFrameAt(place.frameEdge))
            state.SkipWithError("no frame");
        seconds.push_back(timer.nsecsElapsed() / 1e9);
        state.SetIterationTime(seconds.back());
    }
    reportMedian(state, seconds);
    preview()->close();
}

// From a Ctrl+click on a character of the page until the editor's caret stands there.
void BM_ControlClickToCaret(benchmark::State &state)
{
    showLinkPage(state.range(0) << 10);
    const std::vector<LinkPlace> places = linkPlaces();
    QWidget *view = preview()->shower->focusProxy();
    QSignalSpy clicks(preview()->sourceLink(), &SourceLink::clickDone);
    std::vector<double> seconds;
    int turn = 0;
    for (auto _ : state) {
        const LinkPlace &place = places[turn++ % places.size()];
        clicks.clear();
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, place.character);
        while (clicks.isEmpty() && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (clicks.isEmpty() || !clicks.constFirst().constFirst().toBool()
            || pageEditor()->textCursor().blockNumber() + 1 != place.line)
            state.SkipWithError("caret not placed");
        seconds.push_back(timer.nsecsElapsed() / 1e9);
        state.SetIterationTime(seconds.back());
        runEventsFor(100); // the frame follows the caret, outside the figure
    }
    reportMedian(state, seconds);
    preview()->close();
}

// The floor: the engine answering the same click script, asked directly.
void BM_Floor_ClickScript(benchmark::State &state)
{
    showLinkPage(state.range(0) << 10);
    const std::vector<LinkPlace> places = linkPlaces();
    std::vector<double> seconds;
    int turn = 0;
    for (auto _ : state) {
        const LinkPlace &place = places[turn++ % places.size()];
        bool answered = false;
        QElapsedTimer timer;
        timer.start();
        preview()->browser()->runScriptApart(clickScript(place.character),
                                             [&](const QVariant &) { answered = true; });
        while (!answered && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        seconds.push_back(timer.nsecsElapsed() / 1e9);
        state.SetIterationTime(seconds.back());
    }
    reportMedian(state, seconds);
    preview()->close();
}

// Parsing the editor's text for the link, which a Ctrl+click right after a change waits for
// (on another thread, as the link parses).
void BM_ParseForLink(benchmark::State &state)
{
    const QString text = QString::fromLatin1(linkPage(state.range(0) << 10)).replace(u"\r\n"_s, u"\n"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(TreePaths(text).elementCount());
}

// Shows the preview on a page file by its name and waits until it is loaded.
void showInPreview(const QString &file)
{
    preview()->close();
    windows().OpenDialog2->setFileName(QDir::current().absoluteFilePath(file));
    openWindow(preview()); // navigates as it appears
    if (!waitForLoadAndPaint(60000))
        qFatal("the preview did not load the page");
    QApplication::setActiveWindow(windows().form1);
    pageEditor()->setFocus();
    runEventsFor(1000); // the link's first parse and frame, as when the preview has been open a while
}

// Typing into a 1 MiB page with the preview open, as above: on look.html, linked to the
// source, beside the same file through another name (a hard link), which the preview reloads
// alike but leaves unlinked, as the preview was before the link. Each iteration is a round of
// eight keystrokes each way, so that both meet the same load of a shared machine.
void BM_TypeLinkedBesideUnlinked(benchmark::State &state)
{
    openThroughDialog(previewPage(state.range(0) << 10));
    pageEditor()->moveCursor(QTextCursor::End);
    QFile::remove(u"gleich.html"_s);
    if (::link("look.html", "gleich.html") != 0)
        qFatal("no hard link to look.html");
    std::vector<double> linked;
    std::vector<double> unlinked;
    for (auto _ : state) {
        for (const bool link : {true, false}) {
            showInPreview(link ? u"look.html"_s : u"gleich.html"_s);
            for (int key = 0; key < 8; ++key) {
                QElapsedTimer timer;
                timer.start();
                typeOneCharacter();
                (link ? linked : unlinked).push_back(timer.nsecsElapsed() / 1e6);
                runEventsFor(80);
            }
        }
    }
    const auto median = [](std::vector<double> &ms) {
        std::sort(ms.begin(), ms.end());
        return ms.empty() ? 0 : ms[ms.size() / 2];
    };
    const auto mean = [](const std::vector<double> &ms) {
        return ms.empty() ? 0 : std::accumulate(ms.begin(), ms.end(), 0.0) / double(ms.size());
    };
    state.counters["linked_mean_ms"] = mean(linked);
    state.counters["unlinked_mean_ms"] = mean(unlinked);
    state.counters["linked_median_ms"] = median(linked);
    state.counters["unlinked_median_ms"] = median(unlinked);
    preview()->close();
    runEventsFor(200);
}

BENCHMARK(BM_Floor_FrameScript)->Arg(100)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CaretRestToFrame)->Arg(100)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_ClickScript)->Arg(100)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ControlClickToCaret)->Arg(100)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseForLink)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor_EngineReload)->Arg(100)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeToReloadedPreview)->Arg(100)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeWithPreview)->Args({1024, 0})->Args({1024, 1})->UseManualTime()->Iterations(41)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeLinkedBesideUnlinked)->Arg(1024)->Iterations(8)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    prepareBrowserEngine();
    return runProgramBenchmarks(argc, argv, MainWindow::Shown);
}
