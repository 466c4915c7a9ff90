#include "core/system/AtomicFile.h"

#include "core/app/Error.h"

#include <QFileInfo>
#include <QSaveFile>
#include <fcntl.h>
#include <unistd.h>

namespace ov {

struct AtomicFile::Impl {
    explicit Impl(const QString& path) : file(path) {}
    QSaveFile file;
    QString error;
};

AtomicFile::AtomicFile(const QString& path) : impl_(std::make_unique<Impl>(path)) {
    // Writing in place would defeat the point; fail instead.
    impl_->file.setDirectWriteFallback(false);
}

AtomicFile::~AtomicFile() = default;

bool AtomicFile::Open() {
    if (impl_->file.open(QIODevice::WriteOnly)) return true;
    impl_->error = impl_->file.errorString();
    return false;
}

bool AtomicFile::Write(const QByteArray& bytes) {
    if (impl_->file.write(bytes) == bytes.size()) return true;
    impl_->error = impl_->file.errorString();
    return false;
}

bool AtomicFile::Commit() {
    QSaveFile& file = impl_->file;
    if (!file.flush()) {
        impl_->error = file.errorString();
        file.cancelWriting();
        return false;
    }
    // The data must be on disk before the rename makes it the file.
    if (file.handle() >= 0 && ::fsync(file.handle()) != 0) {
        impl_->error = QStringLiteral("cannot flush to disk");
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        impl_->error = file.errorString();
        return false;
    }
    // And the rename itself, so the new name survives a power cut.
    const QByteArray folder = QFile::encodeName(QFileInfo(file.fileName()).absolutePath());
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

QString AtomicFile::ErrorText() const {
    return impl_->error;
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    AtomicFile file(path);
    if (!file.Open() || !file.Write(bytes) || !file.Commit())
        throw Error(QStringLiteral("Cannot write %1: %2").arg(path, file.ErrorText()));
}

} // namespace ov
