// bench/playback: plays the 1080p clip to its end in Orvane Player and in a bare playbin and
// compares CPU time per second of media, peak memory, dropped frames and the time from
// process start to the first frame shown.
//
//   bench-playback PLAYER BARE FILE [RUNS]
//
// Each subject runs as a child process with ORVANE_BENCH=1 and prints measurement lines on
// stderr. When it reports the end of the media its CPU time and peak resident memory are read
// from /proc, then it is ended. Needs a display (bench/run.sh provides one).
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr double kMediaSeconds = 10.0; // bench-1080p.mp4
constexpr int kRunTimeoutMs = 90000;

long long MonotonicUs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

struct Run {
    bool ok = false;
    std::map<std::string, long long> lines;
    double startupMs = -1;   // process start to the first frame at the sink
    double cpuSeconds = -1;  // user + system at the end of the media
    double playbackCpu = -1; // the same from the first frame to the end
    double playbackSeconds = -1;
    double peakMb = -1;     // VmHWM
    double xServerCpu = -1; // what the X server spent meanwhile, when we know which it is
    std::string threads;    // where the CPU time went, by thread name
    std::string error;
};

// utime + stime of a process, in seconds.
double ProcessCpu(pid_t pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    const size_t close = all.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream rest(all.substr(close + 2));
    std::string field;
    unsigned long long utime = 0, stime = 0;
    // Fields after the name start at 3 (state); utime is 14, stime 15.
    for (int i = 3; i <= 15 && rest >> field; ++i) {
        if (i == 14) utime = std::stoull(field);
        if (i == 15) stime = std::stoull(field);
    }
    return double(utime + stime) / sysconf(_SC_CLK_TCK);
}

// The CPU seconds of each thread name, largest first: "name 1.23, other 0.45, ...".
std::string ThreadCpu(pid_t pid) {
    std::map<std::string, double> byName;
    const std::string dir = "/proc/" + std::to_string(pid) + "/task/";
    DIR* tasks = opendir(dir.c_str());
    if (!tasks) return {};
    while (const dirent* task = readdir(tasks)) {
        if (task->d_name[0] == '.') continue;
        std::ifstream f(dir + task->d_name + "/stat");
        if (!f) continue;
        std::string all((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        const size_t open = all.find('('), close = all.rfind(')');
        if (open == std::string::npos || close == std::string::npos) continue;
        std::string name = all.substr(open + 1, close - open - 1);
        // Numbered workers of one kind count together.
        while (!name.empty() &&
               (std::isdigit(static_cast<unsigned char>(name.back())) || name.back() == ':'))
            name.pop_back();
        std::istringstream rest(all.substr(close + 2));
        std::string field;
        unsigned long long utime = 0, stime = 0;
        for (int i = 3; i <= 15 && rest >> field; ++i) {
            if (i == 14) utime = std::stoull(field);
            if (i == 15) stime = std::stoull(field);
        }
        byName[name] += double(utime + stime) / sysconf(_SC_CLK_TCK);
    }
    closedir(tasks);
    std::vector<std::pair<double, std::string>> sorted;
    for (const auto& [name, cpu] : byName)
        sorted.emplace_back(cpu, name);
    std::sort(sorted.rbegin(), sorted.rend());
    std::string out;
    for (size_t i = 0; i < sorted.size() && i < 6; ++i) {
        char item[128];
        std::snprintf(item, sizeof item, "%s%s %.2f", i ? ", " : "", sorted[i].second.c_str(),
                      sorted[i].first);
        out += item;
    }
    return out;
}

double PeakMb(pid_t pid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
    return -1;
}

Run RunOnce(const std::vector<std::string>& argv, const std::string& home) {
    Run run;
    int err[2];
    if (pipe(err) != 0) return run;
    const long long spawned = MonotonicUs();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(err[1], STDERR_FILENO);
        close(err[0]);
        close(err[1]);
        const int devnull = open("/dev/null", O_WRONLY);
        if (devnull >= 0) dup2(devnull, STDOUT_FILENO);
        setenv("ORVANE_BENCH", "1", 1);
        setenv("ORVANE_HOME", home.c_str(), 1);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(err[1]);
    const char* xPid = std::getenv("ORVANE_BENCH_XSERVER_PID");
    const pid_t xServer = xPid ? pid_t(std::atoi(xPid)) : 0;
    const double xBefore = xServer > 0 ? ProcessCpu(xServer) : -1;
    std::string pending;
    bool ended = false;
    const long long deadline = spawned + kRunTimeoutMs * 1000LL;
    while (!ended && MonotonicUs() < deadline) {
        pollfd p{err[0], POLLIN, 0};
        if (poll(&p, 1, 200) <= 0) continue;
        char buffer[4096];
        const ssize_t n = read(err[0], buffer, sizeof buffer);
        if (n <= 0) break;
        pending.append(buffer, size_t(n));
        for (size_t nl; (nl = pending.find('\n')) != std::string::npos;) {
            const std::string line = pending.substr(0, nl);
            pending.erase(0, nl + 1);
            std::istringstream in(line);
            std::string key;
            long long value = 0;
            if (in >> key >> value && in.eof()) run.lines[key] = value;
            if (key == "eos-mono-us") {
                // Read at the end of the media, before shutting down counts.
                run.cpuSeconds = ProcessCpu(pid);
                run.peakMb = PeakMb(pid);
                run.threads = ThreadCpu(pid);
                if (xBefore >= 0) run.xServerCpu = ProcessCpu(xServer) - xBefore;
                ended = true;
                break;
            }
        }
    }
    kill(pid, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) break;
        if (i == 49) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        usleep(100000);
    }
    close(err[0]);
    if (!ended) {
        run.error = "no end of media within the time limit";
        return run;
    }
    const auto has = [&](const char* k) { return run.lines.count(k) > 0; };
    if (!has("first-frame-mono-us")) {
        run.error = "no first frame reported";
        return run;
    }
    run.startupMs = (run.lines["first-frame-mono-us"] - spawned) / 1000.0;
    if (has("first-frame-cpu-ms") && has("eos-cpu-ms")) {
        run.playbackCpu = (run.lines["eos-cpu-ms"] - run.lines["first-frame-cpu-ms"]) / 1000.0;
        run.playbackSeconds =
            (run.lines["eos-mono-us"] - run.lines["first-frame-mono-us"]) / 1000000.0;
    }
    run.ok = true;
    return run;
}

double Median(std::vector<double> v) {
    if (v.empty()) return -1;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

struct Summary {
    std::string name;
    double cpuPerSecond = -1;
    double playbackCpuPerSecond = -1;
    double peakMb = -1;
    double xServerCpu = -1;
    double startupMs = -1;
    long long dropped = -1;
    long long rendered = -1;
    long long unpainted = -1;
    int runs = 0;
};

Summary Measure(const std::string& name, const std::vector<std::string>& argv, int runs) {
    Summary s;
    s.name = name;
    std::vector<double> cpu, playCpu, peak, startup, xCpu;
    long long dropped = 0, rendered = 0, unpainted = 0;
    bool anyUnpainted = false;
    for (int i = 0; i < runs; ++i) {
        char pattern[] = "/tmp/orvane-bench-XXXXXX";
        const char* home = mkdtemp(pattern);
        const Run r = RunOnce(argv, home ? home : "/tmp");
        if (home) std::system(("rm -rf '" + std::string(home) + "'").c_str());
        if (!r.ok) {
            std::printf("  %s run %d failed: %s\n", name.c_str(), i + 1, r.error.c_str());
            continue;
        }
        ++s.runs;
        cpu.push_back(r.cpuSeconds / kMediaSeconds);
        if (r.playbackSeconds > 0) playCpu.push_back(r.playbackCpu / r.playbackSeconds);
        peak.push_back(r.peakMb);
        if (r.xServerCpu >= 0) xCpu.push_back(r.xServerCpu / kMediaSeconds);
        startup.push_back(r.startupMs);
        const auto get = [&](const char* k) {
            const auto it = r.lines.find(k);
            return it == r.lines.end() ? 0LL : it->second;
        };
        dropped = std::max(dropped, get("qos-dropped"));
        rendered = std::max(rendered, get("rendered"));
        if (r.lines.count("unpainted")) {
            anyUnpainted = true;
            unpainted = std::max(unpainted, get("unpainted"));
        }
        std::printf("  %-22s run %d: cpu %.3f s/s (playing %.3f), peak %.0f MB, first frame "
                    "%.0f ms, dropped %lld, rendered %lld%s\n",
                    name.c_str(), i + 1, r.cpuSeconds / kMediaSeconds,
                    r.playbackSeconds > 0 ? r.playbackCpu / r.playbackSeconds : -1.0, r.peakMb,
                    r.startupMs, get("qos-dropped"), get("rendered"),
                    r.lines.count("unpainted")
                        ? (", unpainted " + std::to_string(get("unpainted"))).c_str()
                        : "");
        for (const auto& [key, value] : r.lines)
            if (key.rfind("qos-dropped-by:", 0) == 0 && value > 0)
                std::printf("      dropped by %s: %lld\n", key.c_str() + 15, value);
        if (!r.threads.empty()) std::printf("      cpu s by thread: %s\n", r.threads.c_str());
        std::fflush(stdout);
    }
    s.cpuPerSecond = Median(cpu);
    s.playbackCpuPerSecond = Median(playCpu);
    s.peakMb = Median(peak);
    s.xServerCpu = Median(xCpu);
    s.startupMs = Median(startup);
    s.dropped = s.runs ? dropped : -1;
    s.rendered = s.runs ? rendered : -1;
    s.unpainted = anyUnpainted ? unpainted : -1;
    return s;
}

void Print(const Summary& s) {
    std::printf("%-24s %8.3f %10.3f %9.0f %10.0f %8lld %9lld %9.3f\n", s.name.c_str(),
                s.cpuPerSecond, s.playbackCpuPerSecond, s.peakMb, s.startupMs, s.dropped,
                s.rendered, s.xServerCpu);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s PLAYER BARE FILE [RUNS]\n", argv[0]);
        return 2;
    }
    const std::string player = argv[1], bare = argv[2], file = argv[3];
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 3;
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "bench-playback: needs a display (run bench/run.sh)\n");
        return 2;
    }
    std::printf("bench/playback: %s, %d run(s) each, medians\n", file.c_str(), runs);
    const Summary ov = Measure("Orvane Player", {player, file}, runs);
    const Summary x = Measure("playbin ! ximagesink", {bare, "ximagesink", file}, runs);
    const Summary a = Measure("playbin ! appsink", {bare, "appsink", file}, runs);

    std::printf("\n%-24s %8s %10s %9s %10s %8s %9s %9s\n", "", "cpu s/s", "cpu(play)", "peak MB",
                "1st frame", "dropped", "rendered", "X cpu s/s");
    Print(ov);
    Print(x);
    Print(a);
    std::printf("cpu s/s: the whole process to the end of the media, per second of media; "
                "cpu(play): from the first frame to the end, per second; 1st frame: ms from "
                "process start; X cpu: the X server's own, per second of media (-1: unknown)\n");
    if (ov.unpainted >= 0)
        std::printf("Orvane Player frames replaced before they were painted: %lld\n", ov.unpainted);
    const auto ratio = [](double a, double b) { return b > 0 ? a / b : -1; };
    std::printf("\nOrvane Player / playbin ! ximagesink: cpu %.2f, cpu(play) %.2f, peak %.2f, "
                "first frame %.2f\n",
                ratio(ov.cpuPerSecond, x.cpuPerSecond),
                ratio(ov.playbackCpuPerSecond, x.playbackCpuPerSecond), ratio(ov.peakMb, x.peakMb),
                ratio(ov.startupMs, x.startupMs));
    std::printf("Orvane Player / playbin ! appsink:    cpu %.2f, cpu(play) %.2f, peak %.2f, "
                "first frame %.2f\n",
                ratio(ov.cpuPerSecond, a.cpuPerSecond),
                ratio(ov.playbackCpuPerSecond, a.playbackCpuPerSecond), ratio(ov.peakMb, a.peakMb),
                ratio(ov.startupMs, a.startupMs));
    const bool met = ov.runs > 0 && x.runs > 0 && ov.dropped == 0 &&
                     ov.cpuPerSecond <= x.cpuPerSecond && ov.cpuPerSecond <= 0.30 &&
                     ov.startupMs <= 1.2 * x.startupMs && ov.peakMb < 250;
    std::printf("goals (no drops; cpu <= bare and <= 0.30; first frame <= 1.2 x bare; peak < 250 "
                "MB): %s\n",
                met ? "met" : "NOT met");
    return ov.runs > 0 && x.runs > 0 ? 0 : 1;
}
