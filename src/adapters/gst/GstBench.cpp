#include "adapters/gst/GstBench.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <unistd.h>

namespace ov {

namespace {

qint64 ClockUs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return qint64(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

} // namespace

bool BenchEnabled() {
    static const bool enabled = [] {
        const char* value = std::getenv("ORVANE_BENCH");
        return value && std::strcmp(value, "1") == 0;
    }();
    return enabled;
}

void BenchLine(const char* key, qint64 value) {
    if (!BenchEnabled()) return;
    std::fprintf(stderr, "%s %lld\n", key, static_cast<long long>(value));
    std::fflush(stderr);
}

qint64 MsSinceProcessStart() {
    // Field 22 of /proc/self/stat: the start time in clock ticks after boot. The command name
    // (field 2) may hold spaces, so fields are counted after its closing parenthesis.
    std::FILE* f = std::fopen("/proc/self/stat", "r");
    if (!f) return -1;
    char buffer[1024] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
    std::fclose(f);
    buffer[n] = 0;
    const char* p = std::strrchr(buffer, ')');
    if (!p) return -1;
    unsigned long long start = 0;
    int field = 2;
    for (const char* token = std::strtok(const_cast<char*>(p + 1), " "); token;
         token = std::strtok(nullptr, " ")) {
        if (++field == 22) {
            start = std::strtoull(token, nullptr, 10);
            break;
        }
    }
    const long ticks = sysconf(_SC_CLK_TCK);
    if (field != 22 || ticks <= 0) return -1;
    return ClockUs(CLOCK_BOOTTIME) / 1000 - qint64(start * 1000 / ticks);
}

qint64 MonotonicUs() {
    return ClockUs(CLOCK_MONOTONIC);
}

qint64 ProcessCpuMs() {
    return ClockUs(CLOCK_PROCESS_CPUTIME_ID) / 1000;
}

} // namespace ov
