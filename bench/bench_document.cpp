// Typing, appending and opening on large documents, each beside the floor of writing the same
// bytes to a file.

#include "program_benchmarks.h"

#include "app/main_window.h"
#include "document/page_encoding.h"
#include "document/text_editor.h"
#include "foundation/modal_dialogs.h"
#include "foundation/window_set.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A page of typical HTML lines, about `bytes` long.
QByteArray makePage(qsizetype bytes)
{
    const QByteArray line = "<tr><td border=1 width=50% height=20>Ein Eintrag mit etwas Text</td></tr>\r\n";
    QByteArray page;
    page.reserve(bytes + line.size());
    while (page.size() < bytes)
        page += line;
    return page;
}

// The same in UTF-8, with umlauts and CJK text in every line, as most pages today.
QByteArray makeUtf8Page(qsizetype bytes)
{
    const QByteArray line = u"<tr><td width=50%>Grüße aus 你好 und Miąsko, ein Eintrag</td></tr>\r\n"_s.toUtf8();
    QByteArray page = "<meta charset=\"utf-8\">\r\n";
    page.reserve(bytes + line.size());
    while (page.size() < bytes)
        page += line;
    return page;
}

Form1 *mainWindow()
{
    return windows().form1;
}

void loadDocument(qsizetype bytes, QByteArray (*makeBytes)(qsizetype) = makePage)
{
    const QByteArray page = makeBytes(bytes);
    QFile file(u"page.html"_s);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(page);
    file.close();
    mainWindow()->OpenDialog1.setFileName(QDir::current().filePath(u"page.html"_s));
    modalHooks().fileDialog = [](FileDialog &, QWidget *) { return true; };
    mainWindow()->Button2->click();
}

void writeFloor(benchmark::State &state, qsizetype bytes)
{
    const QByteArray page = makePage(bytes);
    for (auto _ : state) {
        QFile file(u"floor.html"_s);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(page);
    }
    state.SetBytesProcessed(state.iterations() * page.size());
}

void BM_Floor_WriteBytes(benchmark::State &state)
{
    writeFloor(state, state.range(0) << 20);
}

void BM_TypeOneCharacter(benchmark::State &state)
{
    loadDocument(state.range(0) << 20);
    TextEditor *editor = mainWindow()->HPQT;
    editor->setFocus();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, u"x"_s);
        QApplication::sendEvent(editor, &press);
    }
    state.SetBytesProcessed(state.iterations() * editor->length());
}

void BM_TypeOneCharacterUtf8(benchmark::State &state)
{
    loadDocument(state.range(0) << 20, makeUtf8Page);
    TextEditor *editor = mainWindow()->HPQT;
    editor->setFocus();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, u"x"_s);
        QApplication::sendEvent(editor, &press);
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

void BM_OpenPage(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        mainWindow()->Button1->click(); // empty the editor so the page differs
        state.ResumeTiming();
        loadDocument(state.range(0) << 20);
    }
}

void BM_OpenUtf8Page(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        mainWindow()->Button1->click();
        state.ResumeTiming();
        loadDocument(state.range(0) << 20, makeUtf8Page);
    }
}

void BM_ChooseEncodingUtf8(benchmark::State &state)
{
    const QByteArray page = makeUtf8Page(state.range(0) << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(choosePageEncoding(page));
    state.SetBytesProcessed(state.iterations() * page.size());
}

// A page declared in windows-1251, one of the encodings of one byte a character.
QByteArray makeWindows1251Page(qsizetype bytes)
{
    QByteArray page = "<meta charset=\"windows-1251\">\r\n";
    const QByteArray line("<tr><td>\xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0</td></tr>\r\n");
    while (page.size() < bytes)
        page += line;
    return page;
}

void BM_TypeOneCharacterWindows1251(benchmark::State &state)
{
    loadDocument(state.range(0) << 20, makeWindows1251Page);
    TextEditor *editor = mainWindow()->HPQT;
    editor->setFocus();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, u"x"_s);
        QApplication::sendEvent(editor, &press);
    }
    state.SetBytesProcessed(state.iterations() * editor->length());
}

// A declared single-byte page is decoded and encoded once to check it.
void BM_ChooseEncodingWindows1251(benchmark::State &state)
{
    const QByteArray page = makeWindows1251Page(state.range(0) << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(choosePageEncoding(page));
    state.SetBytesProcessed(state.iterations() * page.size());
}

BENCHMARK(BM_Floor_WriteBytes)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeOneCharacter)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AppendTableTag)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPage)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TypeOneCharacterUtf8)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeOneCharacterWindows1251)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenUtf8Page)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ChooseEncodingUtf8)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChooseEncodingWindows1251)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runProgramBenchmarks(argc, argv, MainWindow::Hidden);
}
