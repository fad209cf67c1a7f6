// The page editor with its line-number margin beside the same editor without it, in one run:
// typing into a 10 MiB page and scrolling through it, each until the screen is painted.

#include "program_benchmarks.h"

#include "app/main_window.h"
#include "document/line_number_margin.h"
#include "document/text_editor.h"
#include "foundation/window_set.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {


void setMargin(bool on)
{
    auto *margin = pageEditor()->findChild<LineNumberMargin *>();
    if (on && !margin)
        new LineNumberMargin(pageEditor());
    else if (!on && margin) {
        delete margin;
        pageEditor()->setLeftMargin(0);
    }
    QCoreApplication::processEvents();
}

// One keystroke until look.html is written and the screen is painted again.
void BM_TypeOneCharacter(benchmark::State &state)
{
    setMargin(state.range(0));
    pageEditor()->setFocus();
    for (auto _ : state) {
        typeOneCharacter();
        pageEditor()->viewport()->repaint();
        QCoreApplication::processEvents();
    }
}

// One page further down, until the text and the margin are painted.
void BM_ScrollOnePage(benchmark::State &state)
{
    setMargin(state.range(0));
    QScrollBar *bar = pageEditor()->verticalScrollBar();
    bar->setValue(0);
    for (auto _ : state) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        if (bar->value() == bar->maximum())
            bar->setValue(0);
        pageEditor()->repaint();
        QCoreApplication::processEvents();
    }
}

BENCHMARK(BM_TypeOneCharacter)->ArgName("margin")->Arg(0)->Arg(1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollOnePage)->ArgName("margin")->Arg(0)->Arg(1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runProgramBenchmarks(argc, argv, MainWindow::Shown,
                                [] { openThroughDialog(typicalPage(qsizetype(10) << 20)); });
}
