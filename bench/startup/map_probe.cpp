// Starts a program and reports how long it takes until its first top-level window is mapped,
// and how much memory it holds a second later. Prints "<milliseconds> <resident KiB>" and ends
// the program.
//
// Usage: map_probe PROGRAM [ARGUMENTS...]   (DISPLAY must name a running X server)
//
// The root window is watched for map events before the program is started. Under a window
// manager the mapped window is the frame around the program's window, so the frame's
// descendants are searched too; a window belongs to the program when the X server says its
// owner's process is the one started (X-Resource extension).
#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto Timeout = std::chrono::seconds(20);
constexpr auto SettleTime = std::chrono::seconds(1);

pid_t owner_pid(Display* display, Window window) {
    XResClientIdSpec wanted{window, XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* values = nullptr;
    pid_t pid = -1;
    if (XResQueryClientIds(display, 1, &wanted, &count, &values) == Success) {
        for (long i = 0; i < count; ++i) {
            if (XResGetClientIdType(&values[i]) == XRES_CLIENT_ID_PID) {
                pid = XResGetClientPid(&values[i]);
            }
        }
        XResClientIdsDestroy(count, values);
    }
    return pid;
}

// Whether the window or one of its descendants belongs to the process.
bool belongs_to(Display* display, Window window, pid_t pid) {
    if (owner_pid(display, window) == pid) return true;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0) return false;
    const std::vector<Window> list(children, children + count);
    if (children != nullptr) XFree(children);
    for (const Window child : list) {
        if (belongs_to(display, child, pid)) return true;
    }
    return false;
}

long resident_kib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

pid_t start(char* const argv[]) {
    const pid_t pid = fork();
    if (pid == 0) {
        // The programs' chatter would drown the figures.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[0], argv);
        _exit(127);
    }
    return pid;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open the display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto started = Clock::now();
    const pid_t pid = start(argv + 1);
    double elapsed_ms = -1;
    const int connection = ConnectionNumber(display);
    while (elapsed_ms < 0 && Clock::now() - started < Timeout) {
        if (XPending(display) == 0) {
            pollfd fd{connection, POLLIN, 0};
            poll(&fd, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapNotify) continue;
        if (belongs_to(display, event.xmap.window, pid)) {
            elapsed_ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
        }
    }
    long rss = -1;
    if (elapsed_ms >= 0) {
        std::this_thread::sleep_for(SettleTime);
        rss = resident_kib(pid);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    if (elapsed_ms < 0) {
        std::fprintf(stderr, "%s mapped no window\n", argv[1]);
        return 1;
    }
    std::printf("%.1f %ld\n", elapsed_ms, rss);
    return 0;
}
