// Start-up: the time from launching a program until it has shown its first
// window, and its peak memory, for mkd, for bare_window (one window, one
// Japanese label: what any Qt Widgets program showing Japanese text pays)
// and for bare_start_screen (mkd's start screen built in plain Qt, without
// mkd's own work: what Qt charges for drawing that screen). Both quit after their first paint when
// MKD_EXIT_AFTER_SHOWN=1, and say through a pipe (MKD_SHOWN_FD) when that paint has been handed to the window system: a
// run is timed from the spawn to that moment ("shown"), and to the end of the child ("to exit").
//
//   mkd-bench-startup [--platform NAME] [--runs N] [MKD BARE SCREEN]
//
// The programs take turns, in an order that changes from round to round, so
// that all see the same machine. It prints medians and ratios, then "summary|…" lines for
// bench/run.sh. Under Xvfb: xvfb-run -a mkd-bench-startup --platform xcb
//
// On a shared machine one launch can take half as long again as the next,
// and the machine drifts over seconds. The ratio the targets are checked
// against is therefore paired: each round runs every program back to back,
// and the median is taken over the rounds' ratios, which the drift does not
// move. The ratio of the medians is printed beside it.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double shownMs = 0;  // launch to the first window painted, wall clock
    double ms = 0;  // launch to exit, wall clock
    double cpuMs = 0;  // user + system time of the child
    double peakMb = 0;  // maximum resident set size
};

struct Program {
    std::string label;
    std::string path;
    std::vector<Sample> samples;
};

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

template <class Field>
double medianOf(const Program& p, Field field) {
    std::vector<double> v;
    for (const Sample& s : p.samples) v.push_back(s.*field);
    return median(v);
}

// The median over the rounds of one program's figure over the other's, in
// the same round.
template <class Field>
double pairedRatio(const Program& a, const Program& b, Field field) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < a.samples.size() && i < b.samples.size(); ++i)
        if (b.samples[i].*field > 0) ratios.push_back(a.samples[i].*field / b.samples[i].*field);
    return median(ratios);
}

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

// One launch; false when the program could not be started or failed.
// `env` ends with a null entry preceded by a "MKD_SHOWN_FD=" entry that this
// fills in with the pipe's end.
bool runOnce(const std::string& path, std::vector<char*> env, Sample& out) {
    int shown[2];
    if (pipe(shown) != 0) return false;
    fcntl(shown[0], F_SETFD, FD_CLOEXEC);
    std::string shownVar = "MKD_SHOWN_FD=" + std::to_string(shown[1]);
    env[env.size() - 2] = shownVar.data();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};

    const auto begin = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    close(shown[1]);
    if (spawned != 0) {
        close(shown[0]);
        return false;
    }
    char byte = 0;
    ssize_t got = 0;
    do got = read(shown[0], &byte, 1);
    while (got < 0 && errno == EINTR);
    const auto painted = std::chrono::steady_clock::now();
    close(shown[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return false;
    const auto end = std::chrono::steady_clock::now();

    out.shownMs = std::chrono::duration<double, std::milli>(painted - begin).count();
    out.ms = std::chrono::duration<double, std::milli>(end - begin).count();
    out.cpuMs = (seconds(usage.ru_utime) + seconds(usage.ru_stime)) * 1e3;
    out.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    return got == 1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int usage() {
    std::fputs("Usage: mkd-bench-startup [--platform NAME] [--runs N] [MKD BARE SCREEN]\n", stderr);
    return 2;
}

void printRow(const Program& p) {
    std::printf("  %-18s %7.1f ms %7.1f ms %7.1f ms %9.1f MB\n", p.label.c_str(), medianOf(p, &Sample::shownMs),
                medianOf(p, &Sample::ms), medianOf(p, &Sample::cpuMs), medianOf(p, &Sample::peakMb));
}

void printRatio(const char* label, const Program& a, const Program& b) {
    auto ratio = [&](double Sample::*field) { return medianOf(a, field) / medianOf(b, field); };
    std::printf("  %-18s %8.3fx %8.3fx %8.3fx %10.3fx   paired %.3fx\n", label, ratio(&Sample::shownMs),
                ratio(&Sample::ms), ratio(&Sample::cpuMs), ratio(&Sample::peakMb), pairedRatio(a, b, &Sample::shownMs));
}

}  // namespace

int main(int argc, char** argv) {
    std::string platform = "offscreen";
    int runs = 30;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--platform") && i + 1 < argc)
            platform = argv[++i];
        else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (argv[i][0] == '-')
            return usage();
        else
            paths.emplace_back(argv[i]);
    }
    if (!paths.empty() && paths.size() != 3) return usage();
    const auto here = std::filesystem::canonical("/proc/self/exe").parent_path();
    auto path = [&](std::size_t i, const char* name) { return paths.empty() ? (here / name).string() : paths[i]; };
    Program mkd{"mkd", path(0, "mkd"), {}};
    Program bare{"bare Qt window", path(1, "mkd-bench-bare-window"), {}};
    Program screen{"bare start screen", path(2, "mkd-bench-bare-start-screen"), {}};

    // The children's environment: ours, with the platform and the exit switch.
    std::vector<std::string> vars;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) && std::strncmp(*e, "MKD_EXIT_AFTER_SHOWN=", 21) &&
            std::strncmp(*e, "MKD_SHOWN_FD=", 13))
            vars.emplace_back(*e);
    vars.push_back("QT_QPA_PLATFORM=" + platform);
    vars.push_back("MKD_EXIT_AFTER_SHOWN=1");
    std::vector<char*> env;
    for (std::string& v : vars) env.push_back(v.data());
    env.push_back(nullptr);  // MKD_SHOWN_FD, set by runOnce
    env.push_back(nullptr);

    // Two unmeasured rounds fill the page cache and the font cache. Each
    // round starts with the next program, every other round goes backwards.
    std::vector<Program*> programs{&mkd, &bare, &screen};
    for (int round = -2; round < runs; ++round) {
        std::vector<Program*> order = programs;
        const int turn = round + 2;
        std::rotate(order.begin(), order.begin() + turn % 3, order.end());
        if ((turn / 3) % 2) std::reverse(order.begin(), order.end());
        for (Program* p : order) {
            Sample s;
            if (!runOnce(p->path, env, s)) {
                std::fprintf(stderr, "mkd-bench-startup: %s did not start and exit cleanly on %s\n", p->path.c_str(),
                             platform.c_str());
                return 1;
            }
            if (round >= 0) p->samples.push_back(s);
        }
    }

    std::printf("start-up to the first shown window on %s, median of %d runs each\n", platform.c_str(), runs);
    std::printf("  %-18s %10s %10s %10s %12s\n", "program", "shown", "to exit", "cpu", "peak memory");
    for (const Program* p : {&bare, &screen, &mkd}) printRow(*p);
    printRatio("mkd / bare window", mkd, bare);
    printRatio("mkd / bare screen", mkd, screen);

    const double paired = pairedRatio(mkd, bare, &Sample::shownMs);
    const double own = pairedRatio(mkd, screen, &Sample::shownMs);
    const double t = medianOf(mkd, &Sample::shownMs), tb = medianOf(bare, &Sample::shownMs);
    const double m = medianOf(mkd, &Sample::peakMb), mb = medianOf(bare, &Sample::peakMb);
    // The checked figure is mkd against the same start screen drawn by plain
    // Qt: what mkd's own work adds. Against a bare window it also counts
    // what the screen itself costs (its captions, menus and controls).
    std::printf("summary|start-up time, %s|%.3fx the same screen in plain Qt, paired (%.1f ms)|<= 1.10x|%s\n",
                platform.c_str(), own, medianOf(screen, &Sample::shownMs), own <= 1.10 ? "met" : "MISSED");
    std::printf("summary|  vs a bare window, %s|%.3fx bare, paired (%.1f vs %.1f ms)|(no target)|\n", platform.c_str(),
                paired, t, tb);
    std::printf("summary|peak memory, %s|%.3fx bare (%.1f vs %.1f MB)|<= 1.2x|%s\n", platform.c_str(), m / mb, m, mb,
                m / mb <= 1.2 ? "met" : "MISSED");
    return 0;
}
