// Undo, find and replace on a 10 MiB page, each beside the floor of writing its bytes to a file.

#include "program_benchmarks.h"

#include "app/main_window.h"
#include "document/find_window.h"
#include "document/text_editor.h"
#include "document/text_search.h"
#include "foundation/window_set.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype pageBytes = qsizetype(10) << 20;
constexpr int replacements = 100000;

// Typical HTML lines, the first `marked` of them holding the word "Eintrag", about 10 MiB.
QByteArray makePage(int marked, const QByteArray &tail = {})
{
    const QByteArray line = "<tr><td border=1 width=50% height=20>Ein Eintrag mit etwas Text</td></tr>\r\n";
    QByteArray other = line;
    other.replace("Eintrag", "Posten!");
    QByteArray page;
    page.reserve(pageBytes + line.size() + tail.size());
    for (int i = 0; page.size() < pageBytes; ++i)
        page += i < marked ? line : other;
    return page + tail;
}

Form1 *mainWindow()
{
    return windows().form1;
}

void open(const QByteArray &page)
{
    mainWindow()->Button1->click(); // empty the editor so the page differs
    openThroughDialog(page);
}

void BM_Floor_WriteBytes(benchmark::State &state)
{
    measureWriteFloor(state, makePage(0));
}

// From Ctrl+Z until look.html holds the page without the append.
void BM_UndoAppend(benchmark::State &state)
{
    open(makePage(0));
    TextEditor *editor = mainWindow()->HPQT;
    for (auto _ : state) {
        state.PauseTiming();
        mainWindow()->Button14->click(); // "<tr>" and a line break
        state.ResumeTiming();
        editor->undo();
    }
}

// "Weitersuchen" from the start for a word in the last line, until it is selected.
void BM_FindNearTheEnd(benchmark::State &state)
{
    open(makePage(0, "<p>Schlusswort</p>\r\n"));
    Form15 *window = mainWindow()->findWindow();
    window->Edit1->setText(u"schlusswort"_s);
    TextEditor *editor = mainWindow()->HPQT;
    for (auto _ : state) {
        state.PauseTiming();
        editor->setTextCursor(QTextCursor(editor->document()));
        state.ResumeTiming();
        window->Button1Click();
    }
    if (editor->textCursor().selectedText() != u"Schlusswort"_s)
        state.SkipWithError("not found");
}

// The search alone that "Alle ersetzen" starts with: every match in the page.
void BM_FindAllMatches(benchmark::State &state)
{
    open(makePage(replacements));
    const TextSearch search(u"eintrag"_s, Qt::CaseInsensitive);
    qsizetype found = 0;
    for (auto _ : state)
        found = search.findAll(mainWindow()->HPQT->rawText()).size();
    if (found != replacements)
        state.SkipWithError("wrong count");
}

// "Alle ersetzen" of 100,000 matches, until look.html is written.
void BM_ReplaceAll(benchmark::State &state)
{
    Form15 *window = mainWindow()->findWindow();
    window->Edit1->setText(u"eintrag"_s);
    window->Edit2->setText(u"Beitrag"_s);
    const QByteArray page = makePage(replacements);
    for (auto _ : state) {
        state.PauseTiming();
        open(page);
        state.ResumeTiming();
        window->Button4Click();
    }
    if (window->Label3->text() != u"100000 ersetzt"_s)
        state.SkipWithError("wrong count");
}

BENCHMARK(BM_Floor_WriteBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoAppend)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNearTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAllMatches)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return runProgramBenchmarks(argc, argv, MainWindow::Hidden);
}
