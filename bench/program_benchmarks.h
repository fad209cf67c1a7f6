#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

class TextEditor;

namespace benchmark {
class State;
}

// Runs the benchmarks of this executable against the whole program as start-up makes it, in a
// fresh temporary working folder with an empty eigene.lst; an error box ends the run, since a
// figure measured past an error would mean nothing. `prepare` runs after the windows exist.
enum class MainWindow { Hidden, Shown };
int runProgramBenchmarks(int argc, char **argv, MainWindow mainWindow,
                         const std::function<void()> &prepare = {});

// `lines` repeated after `head` until the page is `bytes` long at least.
QByteArray repeatedLines(QByteArrayView lines, qsizetype bytes, QByteArrayView head = {});
// A page of typical HTML lines without umlauts, about `bytes` long.
QByteArray typicalPage(qsizetype bytes);

// The floor beside a figure that ends in writing a page: writing the same bytes to a file.
void measureWriteFloor(benchmark::State &state, const QByteArray &page);

// The page editor HPQT, and one typed "x" into it, as a keystroke reaches it.
TextEditor *pageEditor();
void typeOneCharacter();

// Opens the page through "Öffnen", its dialog answered with the file page.html it is written to.
void openThroughDialog(const QByteArray &page);
