// The page editor with spelling marks beside the same editor without them, in one run: typing
// into a 10 MiB page until look.html is written, and the longest stall while the lines that a
// scroll brings on screen are checked, with words the dictionary has not been asked yet.

#include "program_benchmarks.h"

#include "app/main_window.h"
#include "document/spelling_marks.h"
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
#include <QScrollBar>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

#include <ctime>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype pageBytes = qsizetype(10) << 20;

// Lines of eight different words each, taken from the dictionary in its order, umlauts written
// as entities as a saved page has them, every seventh word with two letters swapped.
QByteArray makePage(qsizetype bytes)
{
    QFile dictionary(SpellingMarks::installedDictionary() + u".dic"_s);
    dictionary.open(QIODevice::ReadOnly);
    QStringList words;
    for (const QByteArray &line : dictionary.readAll().split('\n')) {
        const QString word = QString::fromUtf8(line.left(line.indexOf('/'))).trimmed();
        if (word.size() > 3 && word[0].isLetter() && !line.startsWith('#'))
            words.append(word.size() % 7 ? word : word.left(1) + word[2] + word[1] + word.mid(3));
    }
    QString lines;
    for (int i = 0; i + 8 <= words.size(); i += 8)
        lines += u"<tr><td class=\"x\">"_s + words.mid(i, 8).join(u' ') + u"</td></tr>\r\n"_s;
    lines.replace(u"ä"_s, u"&auml;"_s).replace(u"ö"_s, u"&ouml;"_s).replace(u"ü"_s, u"&uuml;"_s)
        .replace(u"ß"_s, u"&szlig;"_s);
    return repeatedLines(lines.toLatin1(), bytes);
}


void settle()
{
    auto *colouring = pageEditor()->findChild<HtmlColouring *>();
    while (!colouring->isIdle())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void openPage(bool marks)
{
    windows().form1->Button1->click();
    pageEditor()->findChild<SpellingMarks *>()->setOn(marks);
    windows().form1->OpenDialog1.setFileName(QDir::current().filePath(u"page.html"_s));
    windows().form1->Button2->click();
    settle();
}

double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// One keystroke until look.html is written; with events:1 also what the events it leaves
// behind do (repainting, marking the line).
void BM_TypeOneCharacter(benchmark::State &state)
{
    openPage(state.range(0));
    pageEditor()->setFocus();
    pageEditor()->moveCursor(QTextCursor::End);
    for (auto _ : state) {
        typeOneCharacter();
        if (state.range(1))
            QCoreApplication::processEvents();
    }
    settle();
}

// A scroll a screen further down, until the new screen is painted: its lines are coloured and
// their words checked within that paint.
void BM_ScrollOneScreen(benchmark::State &state)
{
    openPage(state.range(0));
    QScrollBar *bar = pageEditor()->verticalScrollBar();
    bar->setValue(0);
    pageEditor()->viewport()->repaint();
    const int screen = pageEditor()->viewport()->height() / pageEditor()->fontMetrics().lineSpacing();
    double longest = 0;
    double longestCpu = 0; // the same in this thread's processor time: others share the machine
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const double cpu = threadMilliseconds();
        bar->setValue(bar->value() + screen);
        pageEditor()->viewport()->repaint();
        longest = std::max(longest, clock.nsecsElapsed() / 1e6);
        longestCpu = std::max(longestCpu, threadMilliseconds() - cpu);
    }
    state.counters["longest_ms"] = longest;
    state.counters["longest_cpu_ms"] = longestCpu;
}

BENCHMARK(BM_TypeOneCharacter)->ArgNames({"marks", "events"})->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollOneScreen)->ArgName("marks")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(200);

} // namespace

int main(int argc, char **argv)
{
    return runProgramBenchmarks(argc, argv, MainWindow::Shown, [] {
        QStandardPaths::setTestModeEnabled(true); // switching the marks is remembered
        modalHooks().fileDialog = [](FileDialog &, QWidget *) { return true; };
        pageEditor()->findChild<SpellingMarks *>()->loadDictionary();
        QFile file(u"page.html"_s);
        file.open(QIODevice::WriteOnly);
        file.write(makePage(pageBytes));
    });
}
