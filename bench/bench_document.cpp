// Typing, appending and opening on large documents, each beside the floor of writing the same
// bytes to a file.

#include "program_benchmarks.h"

#include "app/main_window.h"
#include "document/page_encoding.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A page in UTF-8, with umlauts and CJK text in every line, as most pages today.
QByteArray makeUtf8Page(qsizetype bytes)
{
    return repeatedLines(u"<tr><td width=50%>Grüße aus 你好 und Miąsko, ein Eintrag</td></tr>\r\n"_s.toUtf8(),
                         bytes, "<meta charset=\"utf-8\">\r\n");
}

// A page declared in windows-1251, one of the encodings of one byte a character.
QByteArray makeWindows1251Page(qsizetype bytes)
{
    return repeatedLines("<tr><td>\xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0</td></tr>\r\n", bytes,
                         "<meta charset=\"windows-1251\">\r\n");
}

Form1 *mainWindow()
{
    return windows().form1;
}

using PageMaker = QByteArray (*)(qsizetype bytes);

void loadDocument(qsizetype bytes, PageMaker makeBytes = typicalPage)
{
    openThroughDialog(makeBytes(bytes));
}

void BM_Floor_WriteBytes(benchmark::State &state)
{
    measureWriteFloor(state, typicalPage(state.range(0) << 20));
}

void BM_TypeOneCharacter(benchmark::State &state, PageMaker makeBytes)
{
    loadDocument(state.range(0) << 20, makeBytes);
    TextEditor *editor = mainWindow()->HPQT;
    editor->setFocus();
    for (auto _ : state) {
        typeOneCharacter();
    }
    state.SetBytesProcessed(state.iterations() * editor->length());
}

void BM_AppendTableTag(benchmark::State &state)
{
    loadDocument(state.range(0) << 20);
    for (auto _ : state)
        mainWindow()->Button14->click(); // "<tr>" and a line break, through AppendLines
    state.SetBytesProcessed(state.iterations() * mainWindow()->HPQT->length());
}

void BM_OpenPage(benchmark::State &state, PageMaker makeBytes)
{
    for (auto _ : state) {
        state.PauseTiming();
        mainWindow()->Button1->click(); // empty the editor so the page differs
        state.ResumeTiming();
        loadDocument(state.range(0) << 20, makeBytes);
    }
}

// Choosing a page's encoding; a declared page is decoded and encoded once to check it.
void BM_ChooseEncoding(benchmark::State &state, PageMaker makeBytes)
{
    const QByteArray page = makeBytes(state.range(0) << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(choosePageEncoding(page));
    state.SetBytesProcessed(state.iterations() * page.size());
}

BENCHMARK(BM_Floor_WriteBytes)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TypeOneCharacter, cp1252, typicalPage)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TypeOneCharacter, utf8, makeUtf8Page)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TypeOneCharacter, windows1251, makeWindows1251Page)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendTableTag)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenPage, cp1252, typicalPage)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_OpenPage, utf8, makeUtf8Page)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ChooseEncoding, utf8, makeUtf8Page)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChooseEncoding, windows1251, makeWindows1251Page)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runProgramBenchmarks(argc, argv, MainWindow::Hidden);
}
