#include "core/system/sys_SysUtils.h"

#include "core/system/cl_debugLog.h"
#include "ports/Dialogs.h"
#include "ports/SystemInfo.h"

#include <QRegularExpression>

namespace ov {

namespace {

const QString programCaption = QStringLiteral("Orvane Player");

// A kernel release such as "6.1.0-18-amd64": up to three leading numbers, then the rest.
struct KernelRelease {
    QString major = QStringLiteral("0");
    QString minor = QStringLiteral("0");
    QString build = QStringLiteral("0");
    QString extra;
};

KernelRelease SplitKernelRelease(const QString& release) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\d{1,9})(?:\.(\d{1,9}))?(?:\.(\d{1,9}))?[-.+_~]?(.*)$)"),
        QRegularExpression::DotMatchesEverythingOption);
    KernelRelease parts;
    const QRegularExpressionMatch match = pattern.match(release);
    if (!match.hasMatch()) {
        parts.extra = release;
        return parts;
    }
    const auto number = [&match](int group, QString& into) {
        if (match.capturedLength(group) > 0) into = QString::number(match.captured(group).toInt());
    };
    number(1, parts.major);
    number(2, parts.minor);
    number(3, parts.build);
    parts.extra = match.captured(4);
    // A bare "6.1.0" has nothing after the numbers; the whole release still says more than "".
    if (parts.extra.isEmpty()) parts.extra = release;
    return parts;
}

} // namespace

QString GetDirectXVersion(SystemInfo& system) {
    const QString version = system.MediaFrameworkVersion();
    return version.isEmpty() ? QStringLiteral("?") : version;
}

QString GetProgramVersion(SystemInfo& system, int form) {
    const std::optional<ProgramVersion> version = system.ProgramFileVersion();
    if (!version) return {};
    const QString majorMinor = QStringLiteral("%1.%2").arg(version->major).arg(version->minor);
    switch (form) {
    case 1:
        return majorMinor + QStringLiteral(" (build %1)").arg(version->build);
    case 2:
        return majorMinor + QStringLiteral(".%1").arg(version->build);
    default:
        return majorMinor;
    }
}

QString GetOSVersionText(SystemInfo& system) {
    const std::optional<OsRelease> os = system.OperatingSystem();
    if (!os) return {};
    const KernelRelease release = SplitKernelRelease(os->kernelRelease);
    return os->kernelName + QStringLiteral(" Version ") + release.major + QLatin1Char('.') +
           release.minor + QStringLiteral("\r\n") + QStringLiteral(" (Build ") + release.build +
           QStringLiteral(": ") + release.extra + QLatin1Char(')');
}

QString GetOSName(SystemInfo& system) {
    const std::optional<OsRelease> os = system.OperatingSystem();
    if (!os) return QStringLiteral("Not determined");
    // Same shape as "name edition service-pack ": each known part followed by one blank.
    QString name;
    for (const QString& part : {os->prettyName, os->kernelName, os->kernelRelease}) {
        if (!part.isEmpty()) name += part + QLatin1Char(' ');
    }
    return name.isEmpty() ? QStringLiteral("Not determined") : name;
}

void CheckSystemRequirements(SystemInfo& system, Dialogs& dialogs,
                             const std::function<void()>& closeMovie) {
    const auto report = [&](const QString& logLine, const QString& message) {
        DebugLog(logLine);
        dialogs.MessageBox(message, programCaption, MessageButtons::Ok);
        if (closeMovie) closeMovie();
    };
    if (!GetDirectXVersion(system).contains(QStringLiteral("4.09"))) {
        report(QStringLiteral("FAIL: DirectX version is lower than required!"),
               QStringLiteral("Orvane Player required Direct 9, not lower."));
    }
    if (system.SoundDeviceCount() <= 0) {
        report(QStringLiteral("FAIL: Sound card is not detected!"),
               QStringLiteral("No sound card detected!"));
    }
}

} // namespace ov
