#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

namespace ov {

class SystemInfo;

// Where diagnostic lines go. The player's own sink records nothing.
class LogSink {
public:
    virtual ~LogSink() = default;
    virtual void Write(const QString& text, int level) = 0;
};

// Keeps every line in memory; for tests that look at what the player said.
class RecordingLogSink : public LogSink {
public:
    void Write(const QString& text, int level) override;
    QStringList lines;
};

// Appends each line to a file, opened once.
class FileLogSink : public LogSink {
public:
    explicit FileLogSink(const QString& path);
    ~FileLogSink() override;
    void Write(const QString& text, int level) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Installs a sink for the process (null restores the silent one). Not owned.
void SetLogSink(LogSink* sink);
// The sink named by ORVANE_DEBUG_LOG when set, otherwise none; created once, kept for the process.
void InstallSinkFromEnvironment();

// Hands one line to the sink. Never fails, never blocks the caller for long.
void DebugLog(const QString& text, int level = 1);

// The header describing the program and the machine, written first at start-up.
void DebugLogHeader(SystemInfo& system);
// The closing line, written when the main window is destroyed.
void DebugLogStop();

// The process-wide date separator of date texts; "/" until start-up sets ".".
void SetDateSeparator(QChar separator);
// "hh:mm:ss, dd/mm/yyyy" with the current date separator.
QString LogTimestamp();

} // namespace ov
