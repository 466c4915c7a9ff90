#include "core/app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ov {

namespace {
QString WithSlash(QString path) {
    if (!path.endsWith('/')) path += '/';
    return path;
}
} // namespace

QString ProgramFolder() {
    QString folder = qEnvironmentVariable("ORVANE_HOME");
    if (folder.isEmpty()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        if (!exeDir.isEmpty() && QFileInfo(exeDir).isWritable()) {
            folder = exeDir;
        } else {
            folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     "/orvane-player";
        }
    }
    QDir().mkpath(folder);
    return WithSlash(QDir(folder).absolutePath());
}

} // namespace ov
