#include "adapters/qt/QtShell.h"

#include <QFileDialog>
#include <QProcess>
#include <QStandardPaths>

namespace ov {

QString QtShell::PicturesFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
}

QString QtShell::BrowseForFolder(const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(nullptr, title, start);
}

void QtShell::AssociationsChanged() {
    // Desktops re-read their MIME defaults from the database the update tool rebuilds.
    QProcess::startDetached(QStringLiteral("update-desktop-database"), {});
}

} // namespace ov
