#pragma once
#include <QtGlobal>

namespace ov {

// Opt-in measurement lines for bench/playback: with ORVANE_BENCH=1 the adapters print
// "KEY VALUE" lines to stderr. Off, each call site costs one test of a cached flag.
bool BenchEnabled();
void BenchLine(const char* key, qint64 value);
// Milliseconds since this process started (to the kernel's clock tick, 10 ms here).
qint64 MsSinceProcessStart();
// CLOCK_MONOTONIC in microseconds: comparable with the clock of the process that started us.
qint64 MonotonicUs();
// CPU time this process used so far (user and system), in milliseconds.
qint64 ProcessCpuMs();

} // namespace ov
