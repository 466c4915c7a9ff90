#pragma once
#include <QByteArray>
#include <QString>
#include <memory>

namespace ov {

// Replaces a file so that a crash or a full disk never leaves it half written: the bytes go
// to a temporary file beside it, which is flushed to disk and then renamed over the old one.
// Until Commit succeeds the old file stays as it was; dropping the object without committing
// removes the temporary file.
class AtomicFile {
public:
    explicit AtomicFile(const QString& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Opens the temporary file; false with ErrorText() when the folder cannot take it.
    bool Open();
    bool Write(const QByteArray& bytes);
    // Flush, sync, rename. False with ErrorText() when any step fails.
    bool Commit();
    QString ErrorText() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The whole replacement in one call; throws ov::Error naming the file when it fails.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace ov
