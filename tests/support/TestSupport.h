#pragma once
#include <QString>
#include <QStringList>
#include <ostream>

// Readable test failures for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (const QString& s : l) *os << " \"" << s.toStdString() << '"';
    *os << " }";
}

// Skips a test whose generated clip is missing (the fixtures target makes them).
#define REQUIRE_FIXTURE(var, name)                                                                 \
    const QString var = test::Fixture(name);                                                       \
    if (var.isEmpty()) GTEST_SKIP() << name << " missing: build the fixtures target"

namespace ov::test {

// The temp folder every test process uses as the program's folder (ORVANE_HOME).
QString Home();
// Prepares a test process: a fresh ORVANE_HOME, no debug log file.
void PrepareProcess();
// A generated clip in the build's fixture folder; the test is skipped by the caller when empty.
QString Fixture(const QString& name);

} // namespace ov::test
