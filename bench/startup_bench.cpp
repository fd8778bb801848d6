// Start-up: the time from launching a program until it has shown its first
// window, for mkd and for bare_window (one window, one Japanese label: what
// any Qt Widgets program showing Japanese text pays), and the peak memory of
// each. Both quit after their first paint when MKD_EXIT_AFTER_SHOWN=1, so a
// run is timed from the spawn to the end of the child.
//
//   mkd-bench-startup [--platform NAME] [--runs N] [MKD BARE]
//
// The runs alternate between the two programs so that both see the same
// machine. It prints medians and ratios, then "summary|…" lines for
// bench/run.sh. Under Xvfb: xvfb-run -a mkd-bench-startup --platform xcb
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
    double ms = 0;     // launch to exit, wall clock
    double cpuMs = 0;  // user + system time of the child
    double peakMb = 0; // maximum resident set size
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

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

// One launch; false when the program could not be started or failed.
bool runOnce(const std::string& path, const std::vector<char*>& env, Sample& out) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};

    const auto begin = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) return false;
    const auto end = std::chrono::steady_clock::now();

    out.ms = std::chrono::duration<double, std::milli>(end - begin).count();
    out.cpuMs = (seconds(usage.ru_utime) + seconds(usage.ru_stime)) * 1e3;
    out.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int usage() {
    std::fputs("Usage: mkd-bench-startup [--platform NAME] [--runs N] [MKD BARE]\n", stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string platform = "offscreen";
    int runs = 30;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--platform") && i + 1 < argc) platform = argv[++i];
        else if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (argv[i][0] == '-') return usage();
        else paths.emplace_back(argv[i]);
    }
    if (!paths.empty() && paths.size() != 2) return usage();
    const auto here = std::filesystem::canonical("/proc/self/exe").parent_path();
    Program mkd{"mkd", paths.empty() ? (here / "mkd").string() : paths[0], {}};
    Program bare{"bare Qt window", paths.empty() ? (here / "mkd-bench-bare-window").string() : paths[1], {}};

    // The children's environment: ours, with the platform and the exit switch.
    std::vector<std::string> vars;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) && std::strncmp(*e, "MKD_EXIT_AFTER_SHOWN=", 21)) vars.emplace_back(*e);
    vars.push_back("QT_QPA_PLATFORM=" + platform);
    vars.push_back("MKD_EXIT_AFTER_SHOWN=1");
    std::vector<char*> env;
    for (std::string& v : vars) env.push_back(v.data());
    env.push_back(nullptr);

    // Two unmeasured rounds fill the page cache and the font cache.
    for (int round = -2; round < runs; ++round) {
        Program* order[2] = {&mkd, &bare};
        if (round % 2) std::swap(order[0], order[1]);
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

    const double t = medianOf(mkd, &Sample::ms), tb = medianOf(bare, &Sample::ms);
    const double c = medianOf(mkd, &Sample::cpuMs), cb = medianOf(bare, &Sample::cpuMs);
    const double m = medianOf(mkd, &Sample::peakMb), mb = medianOf(bare, &Sample::peakMb);
    std::printf("start-up to the first shown window on %s, median of %d runs each\n", platform.c_str(), runs);
    std::printf("  %-16s %10s %10s %12s\n", "program", "wall", "cpu", "peak memory");
    for (const Program* p : {&bare, &mkd})
        std::printf("  %-16s %7.1f ms %7.1f ms %9.1f MB\n", p->label.c_str(), medianOf(*p, &Sample::ms),
                    medianOf(*p, &Sample::cpuMs), medianOf(*p, &Sample::peakMb));
    std::printf("  %-16s %9.3fx %9.3fx %11.3fx\n", "mkd / bare", t / tb, c / cb, m / mb);

    std::printf("summary|start-up time, %s|%.3fx bare (%.1f vs %.1f ms)|<= 1.15x|%s\n", platform.c_str(), t / tb, t, tb,
                t / tb <= 1.15 ? "met" : "MISSED");
    std::printf("summary|peak memory, %s|%.3fx bare (%.1f vs %.1f MB)|<= 1.2x|%s\n", platform.c_str(), m / mb, m, mb,
                m / mb <= 1.2 ? "met" : "MISSED");
    return 0;
}
