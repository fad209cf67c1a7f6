// The tag help on a 10 MiB page: opening the list of names at places all over the page, moving
// the caret through the page with matching tags on and off, and typing with the help on and off.

#include "program_benchmarks.h"

#include "app/main_window.h"
#include "document/tag_completion.h"
#include "document/tag_matching.h"
#include "document/tag_tips.h"
#include "document/text_editor.h"
#include "foundation/modal_dialogs.h"
#include "foundation/window_set.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <QStringListModel>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype pageBytes = qsizetype(10) << 20;

// Table rows, a paragraph never closed (its partner is looked for as far as the search goes)
// and nested blocks.
QByteArray makePage(qsizetype bytes)
{
    return repeatedLines("<tr><td border=1 width=\"50%\" height=20>Ein Eintrag &auml;</td></tr>\r\n"
                         "<p>Ein Absatz ohne Ende\r\n"
                         "<div class=\"x\"><span>Text</span></div>\r\n",
                         bytes);
}


void openPage()
{
    windows().form1->OpenDialog1.setFileName(QDir::current().filePath(u"page.html"_s));
    windows().form1->Button2->click();
    QCoreApplication::processEvents();
}

void moveCaret(qsizetype position)
{
    QTextCursor cursor = pageEditor()->textCursor();
    cursor.setPosition(int(position));
    pageEditor()->setTextCursor(cursor);
}

// Where the list is asked for: 50 places of each kind, spread over the page.
QList<qsizetype> places(const QString &text, QStringView before, qsizetype offset)
{
    QList<qsizetype> found;
    for (int i = 0; i < 50; ++i) {
        const qsizetype at = text.indexOf(before, text.size() / 50 * i);
        if (at >= 0)
            found.append(at + offset);
    }
    return found;
}

void setHelp(bool on)
{
    delete pageEditor()->findChild<TagCompletion *>();
    delete pageEditor()->findChild<TagTips *>();
    delete pageEditor()->findChild<TagMatching *>();
    pageEditor()->setExtraSelections({});
    if (on) {
        new TagCompletion(pageEditor());
        new TagTips(pageEditor());
        new TagMatching(pageEditor());
    }
    QCoreApplication::processEvents();
}

// Ctrl+Space until the list shows; kind 0: element names ("<t"), 1: attributes ("<td "),
// 2: references ("&"), 3: a place where nothing fits.
void BM_OpenList(benchmark::State &state)
{
    openPage();
    setHelp(true);
    static const std::pair<QStringView, qsizetype> kinds[] = {
        {u"<td", 2}, {u"<td ", 4}, {u"&auml;", 1}, {u"Eintrag", 3}};
    const auto [before, offset] = kinds[state.range(0)];
    const QList<qsizetype> at = places(pageEditor()->rawText(), before, offset);
    qsizetype i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        moveCaret(at[i++ % at.size()]);
        state.ResumeTiming();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::ControlModifier, u" "_s);
        QApplication::sendEvent(pageEditor(), &press);
        state.PauseTiming();
        if (state.range(0) != 3 && !QApplication::activePopupWidget())
            state.SkipWithError("no list");
        if (QWidget *list = QApplication::activePopupWidget())
            list->hide();
        state.ResumeTiming();
    }
}

// The floor: Qt's own completer showing the 2,125 references' names at the caret.
void BM_PlainCompleterFloor(benchmark::State &state)
{
    QStringList names;
    for (int i = 0; i < 2125; ++i)
        names.append(u"name%1"_s.arg(i));
    QStringListModel model(names);
    QCompleter completer(&model);
    completer.setWidget(pageEditor());
    for (auto _ : state) {
        model.setStringList(names); // as the list is given its offers anew each time
        completer.setCompletionPrefix(QString());
        completer.complete(pageEditor()->cursorRect());
        state.PauseTiming();
        completer.popup()->hide();
        state.ResumeTiming();
    }
}

// The caret put into 2,000 tag names all over the page and into 200 paragraphs that have no
// partner (the farthest search), each step with the events it leaves behind. Reports the longest
// step, and the longest pass of the matching alone, done once more after the step. Without
// matching, the same steps are the floor.
void BM_CaretThroughPage(benchmark::State &state)
{
    openPage();
    setHelp(state.range(0));
    const QString &text = pageEditor()->rawText();
    QList<qsizetype> names;
    for (int i = 0; i < 2000; ++i)
        names.append(text.indexOf(u'<', text.size() / 2000 * i) + 2);
    for (int i = 0; i < 200; ++i)
        names.append(text.indexOf(u"<p>", text.size() / 200 * i) + 2);
    auto *matching = pageEditor()->findChild<TagMatching *>();
    double longestStep = 0;
    double longestMatching = 0;
    for (auto _ : state) {
        for (const qsizetype at : names) {
            QElapsedTimer step;
            step.start();
            moveCaret(at);
            QCoreApplication::processEvents();
            longestStep = std::max(longestStep, step.nsecsElapsed() / 1e6);
            if (matching) {
                QElapsedTimer pass;
                pass.start();
                matching->update();
                longestMatching = std::max(longestMatching, pass.nsecsElapsed() / 1e6);
            }
        }
    }
    state.counters["longest_step_ms"] = longestStep;
    state.counters["longest_matching_ms"] = longestMatching;
}

// One keystroke until look.html is written, in the name of a paragraph that has no partner (the
// farthest search), with the tag help on and without it. The events the keystroke leaves
// behind (matching among them) run untimed between keystrokes.
void BM_TypeInTagName(benchmark::State &state)
{
    openPage();
    setHelp(state.range(0));
    moveCaret(pageEditor()->rawText().indexOf(u"<p>", pageBytes / 2) + 2);
    pageEditor()->setFocus();
    for (auto _ : state) {
        typeOneCharacter();
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_OpenList)->ArgName("kind")->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCompleterFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CaretThroughPage)->ArgName("matching")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_TypeInTagName)->ArgName("help")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

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
