#include "core/system/cl_debugLog.h"

#include "core/system/sys_CPUCaps.h"
#include "core/system/sys_SysUtils.h"
#include "ports/SystemInfo.h"

#include <QDateTime>
#include <QFile>

namespace ov {

namespace {
LogSink* g_sink = nullptr;
QChar g_dateSeparator = QLatin1Char('/');

const QString kTitleProduct = QStringLiteral("Orvane Player");
const QString kReleaseText = QStringLiteral("Release Candidate");
} // namespace

void RecordingLogSink::Write(const QString& text, int) { lines << text; }

struct FileLogSink::Impl {
    QFile file;
};

FileLogSink::FileLogSink(const QString& path) : impl_(std::make_unique<Impl>()) {
    impl_->file.setFileName(path);
    // A file that cannot be opened just leaves the sink silent.
    (void)impl_->file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

FileLogSink::~FileLogSink() = default;

void FileLogSink::Write(const QString& text, int) {
    if (!impl_->file.isOpen()) return;
    impl_->file.write(text.toUtf8());
    impl_->file.write("\n");
    impl_->file.flush();
}

void SetLogSink(LogSink* sink) { g_sink = sink; }

void InstallSinkFromEnvironment() {
    const QString path = qEnvironmentVariable("ORVANE_DEBUG_LOG");
    if (path.isEmpty()) return;
    static FileLogSink sink(path);
    SetLogSink(&sink);
}

void DebugLog(const QString& text, int level) {
    if (g_sink) g_sink->Write(text, level);
}

void SetDateSeparator(QChar separator) { g_dateSeparator = separator; }

QString LogTimestamp() {
    const QDateTime now = QDateTime::currentDateTime();
    const QString sep(g_dateSeparator);
    return now.toString(QStringLiteral("hh:mm:ss, dd")) + sep + now.toString(QStringLiteral("MM")) +
           sep + now.toString(QStringLiteral("yyyy"));
}

void DebugLogHeader(SystemInfo& system) {
    const QString title = kTitleProduct + " v" + GetProgramVersion(system, 1) + " " +
                          kReleaseText + " - Debug File";
    const ScreenProperties screen = system.PrimaryScreen();
    const QString rule(title.size(), QLatin1Char('-'));
    DebugLog(rule);
    DebugLog(title);
    DebugLog(rule);
    DebugLog("Starting: " + LogTimestamp());
    DebugLog("OS: " + GetOSName(system));
    DebugLog("DirectX: " + GetDirectXVersion(system));
    DebugLog(QStringLiteral("Screen Resolution: %1x%2x%3, %4Hz")
                 .arg(screen.width)
                 .arg(screen.height)
                 .arg(screen.bitsPerPixel)
                 .arg(screen.refreshHz));
    DebugLog("Monitor Count: " + QString::number(system.MonitorCount()));
    DebugLog("CPU Caps:" + CpuCapsText(ProgramCpuCaps()));
    DebugLog(QString(31, QLatin1Char('=')));
}

void DebugLogStop() { DebugLog("Execution stopped. Exit: " + LogTimestamp()); }

} // namespace ov
