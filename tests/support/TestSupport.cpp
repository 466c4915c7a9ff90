#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

namespace ov::test {

namespace {
std::unique_ptr<QTemporaryDir>& HomeDir() {
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}
} // namespace

QString Home() { return HomeDir() ? HomeDir()->path() : QString(); }

void PrepareProcess() {
    HomeDir() = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/orvane-test-XXXXXX");
    qputenv("ORVANE_HOME", HomeDir()->path().toUtf8());
    qunsetenv("ORVANE_DEBUG_LOG");
}

QString Fixture(const QString& name) {
    const QString path = QStringLiteral(ORVANE_FIXTURES) + "/" + name;
    return QFileInfo::exists(path) ? path : QString();
}

} // namespace ov::test
