#pragma once

#include <functional>

// Runs the benchmarks of this executable against the whole program as start-up makes it, in a
// fresh temporary working folder with an empty eigene.lst; an error box ends the run, since a
// figure measured past an error would mean nothing. `prepare` runs after the windows exist.
enum class MainWindow { Hidden, Shown };
int runProgramBenchmarks(int argc, char **argv, MainWindow mainWindow,
                         const std::function<void()> &prepare = {});
