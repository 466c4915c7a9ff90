#pragma once
#include <QString>

namespace ov::test {

// The temp folder every test process uses as the program's folder (ORVANE_HOME).
QString Home();
// Prepares a test process: a fresh ORVANE_HOME, no debug log file.
void PrepareProcess();
// A generated clip in the build's fixture folder; the test is skipped by the caller when empty.
QString Fixture(const QString& name);

} // namespace ov::test
