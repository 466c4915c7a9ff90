#include "adapters/qt/QtDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace ov {

MessageAnswer QtDialogs::MessageBox(const QString& text, const QString& caption,
                                    MessageButtons buttons) {
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    if (buttons == MessageButtons::YesNo) set = QMessageBox::Yes | QMessageBox::No;
    if (buttons == MessageButtons::OkCancel) set = QMessageBox::Ok | QMessageBox::Cancel;
    QMessageBox box(QMessageBox::NoIcon, caption, text, set, parent_);
    switch (box.exec()) {
    case QMessageBox::Yes: return MessageAnswer::Yes;
    case QMessageBox::No: return MessageAnswer::No;
    case QMessageBox::Cancel: return MessageAnswer::Cancel;
    default: return MessageAnswer::Ok;
    }
}

QStringList QtDialogs::OpenFiles(const OpenFilesRequest& request) {
    // "Name|pattern" pairs become Qt's "Name (pattern)" filters.
    QStringList filters;
    const QStringList parts = request.filter.split('|');
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    QFileDialog dialog(parent_, QString(), request.startFolder, filters.join(";;"));
    dialog.setFileMode(request.multiSelect ? QFileDialog::ExistingFiles
                                           : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

} // namespace ov
