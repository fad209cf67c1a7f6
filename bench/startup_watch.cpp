// Times how long a program takes until a window with a given title is mapped on the X display:
// start-up as the user sees it. Prints the median of several runs in milliseconds.
//
//   startup_watch RUNS TITLE COMMAND [ARG ...]

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

bool hasTitle(Display *display, Window window, const char *title)
{
    char *name = nullptr;
    if (!XFetchName(display, window, &name) || !name)
        return false;
    const bool match = std::strcmp(name, title) == 0;
    XFree(name);
    return match;
}

double timeOneStart(Display *display, const char *title, char **command)
{
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(command[0], command);
        _exit(127);
    }
    double elapsed = -1;
    while (elapsed < 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && hasTitle(display, event.xmap.window, title))
            elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now()
                                                                 - start)
                          .count();
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    return elapsed;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s RUNS TITLE COMMAND [ARG ...]\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::vector<double> times;
    timeOneStart(display, argv[2], argv + 3); // warm the caches
    for (int i = 0; i < runs; ++i)
        times.push_back(timeOneStart(display, argv[2], argv + 3));
    std::sort(times.begin(), times.end());
    std::printf("%.1f\n", times[times.size() / 2]);
    XCloseDisplay(display);
    return 0;
}
