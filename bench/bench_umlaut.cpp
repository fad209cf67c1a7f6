// The umlaut conversion on large pages: a sweep that finds nothing beside a plain scan of the
// same bytes, a sweep that converts a whole page beside writing its preview copy once, and how
// many sweeps the one-second window of a save gives a page.

#include "program_benchmarks.h"

#include "app/main_window.h"
#include "document/codepage1252.h"
#include "document/line_breaks.h"
#include "document/page_files.h"
#include "document/text_editor.h"
#include "document/umlaut_conversion.h"
#include "foundation/modal_dialogs.h"
#include "foundation/window_set.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype mebibyte = qsizetype(1) << 20;

Form1 *mainWindow()
{
    return windows().form1;
}

// `lines` lines of about the same length that make `bytes` together, each with one umlaut.
QByteArray pageWithOneUmlautPerLine(qsizetype bytes, int lines)
{
    static const char umlauts[] = "\xe4\xc4\xf6\xd6\xfc\xdc\xdf";
    const qsizetype length = bytes / lines - 2;
    QByteArray page;
    page.reserve(bytes);
    for (int i = 0; i < lines; ++i) {
        QByteArray line(length, 'x');
        line[(i * 37) % length] = umlauts[i % 7];
        page += line;
        page += "\r\n";
    }
    return page;
}

void setDocument(const QByteArray &bytes)
{
    mainWindow()->HPQT->replaceText(toEditorLineBreaks(CodePage1252::decode(bytes)));
}

bool hasConvertible(const QByteArray &bytes)
{
    return bytes.contains('\xe4') || bytes.contains('\xc4') || bytes.contains('\xf6')
           || bytes.contains('\xd6') || bytes.contains('\xfc') || bytes.contains('\xdc')
           || bytes.contains('\xdf');
}

// The floor of a sweep that finds nothing: one plain pass over the bytes, looking each one up.
qsizetype plainScan(const QByteArray &bytes)
{
    static const auto wanted = [] {
        std::array<bool, 256> table{};
        for (unsigned char c : {0xe4, 0xc4, 0xf6, 0xd6, 0xfc, 0xdc, 0xdf})
            table[c] = true;
        return table;
    }();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (wanted[static_cast<unsigned char>(bytes[i])])
            return i;
    }
    return -1;
}

template <typename Work>
double bestMilliseconds(int rounds, Work work)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto stop = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(stop - start).count());
    }
    return best;
}

void BM_SweepFindingNothing(benchmark::State &state)
{
    const QByteArray page = typicalPage(mebibyte);
    setDocument(page);
    UmlautConversion conversion(mainWindow()->HPQT);
    for (auto _ : state)
        benchmark::DoNotOptimize(conversion.sweep());

    const double floor = bestMilliseconds(50, [&] { benchmark::DoNotOptimize(plainScan(page)); });
    const double sweep = bestMilliseconds(50, [&] { benchmark::DoNotOptimize(conversion.sweep()); });
    state.counters["floor_ms"] = floor;
    state.counters["best_ms"] = sweep;
    state.counters["ratio"] = sweep / floor;
    state.SetBytesProcessed(state.iterations() * page.size());
}

void BM_SweepConvertingEveryLine(benchmark::State &state)
{
    const QByteArray page = pageWithOneUmlautPerLine(mebibyte, 5000);
    UmlautConversion conversion(mainWindow()->HPQT);
    bool converted = true;
    for (auto _ : state) {
        state.PauseTiming();
        setDocument(page);
        state.ResumeTiming();
        conversion.sweep(); // look.html is written inside, once
        state.PauseTiming();
        converted = converted && !hasConvertible(mainWindow()->HPQT->bytes());
        state.ResumeTiming();
    }
    const QByteArray result = mainWindow()->HPQT->bytes();
    const double floor = bestMilliseconds(10, [&] { writePreviewCopy(result); });
    state.counters["floor_ms"] = floor; // writing the converted preview copy once
    state.counters["converted"] = converted;
}

// A real save: "Speichern" with a save dialog that stays open longer than the window, so that
// every sweep of the window runs behind it.
void BM_SaveWindowOnPage(benchmark::State &state)
{
    QByteArray page = typicalPage(200 * 1024);
    const qsizetype middle = page.indexOf("Text", page.size() / 2);
    page.insert(middle, QByteArray(40, '\xfc'));
    int sweeps = 0;
    const QMetaObject::Connection counter = QObject::connect(
        &mainWindow()->Timer1, &QTimer::timeout, mainWindow(), [&sweeps] { ++sweeps; });
    bool converted = true;
    double windowMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        setDocument(page);
        sweeps = 0;
        state.ResumeTiming();
        QElapsedTimer clock;
        modalHooks().fileDialog = [&](FileDialog &, QWidget *) {
            clock.start();
            QEventLoop loop;
            QObject::connect(&mainWindow()->Timer2, &QTimer::timeout, &loop, &QEventLoop::quit);
            loop.exec();
            windowMs = clock.elapsed();
            return false;
        };
        mainWindow()->Button3->click();
        converted = converted && !hasConvertible(mainWindow()->HPQT->bytes());
    }
    QObject::disconnect(counter);
    state.counters["sweeps"] = sweeps;
    state.counters["needed"] = 40;
    state.counters["window_ms"] = windowMs;
    state.counters["converted"] = converted;
}

BENCHMARK(BM_SweepFindingNothing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SweepConvertingEveryLine)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_SaveWindowOnPage)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return runProgramBenchmarks(argc, argv, MainWindow::Shown);
}
