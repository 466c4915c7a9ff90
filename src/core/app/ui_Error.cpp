#include "core/app/ui_Error.h"

#include "core/app/ui_About.h"
#include "core/system/sys_SysUtils.h"
#include "ports/Clipboard.h"

#include <algorithm>
#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

namespace ov {

ErrorDetails DescribeException(const std::exception& error, const QString& senderClass) {
    ErrorDetails details;
    details.message = QString::fromUtf8(error.what());
    details.senderClass = senderClass;
    details.exceptionClass = ExceptionClassName(error);
    return details;
}

QString ExceptionClassName(const std::exception& error) {
    const char* mangled = typeid(error).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    const QString name = QString::fromUtf8(status == 0 && demangled ? demangled : mangled);
    std::free(demangled);
    return name;
}

QString SupportAddress() {
    const QString configured = qEnvironmentVariable("ORVANE_SUPPORT_EMAIL").trimmed();
    return configured.isEmpty() ? QStringLiteral("support@orvane-player.org") : configured;
}

QStringList ErrorReportLines(const QString& programVersion, const QString& supportAddress,
                             const ErrorDetails& details) {
    QStringList lines;
    lines << ProductName() + QStringLiteral(" v") + programVersion + QLatin1Char(' ') +
                 ReleaseTag() + QStringLiteral(" has detected a problem and will be terminated...");
    lines << QString();
    lines << QStringLiteral("Please report this info to the ") + supportAddress +
                 QStringLiteral(", with detailed description what were you doing. Error message:");
    lines << QString();
    lines << details.message;
    if (!details.senderClass.isEmpty()) lines << details.senderClass;
    lines << details.exceptionClass;
    return lines;
}

void EndProcessNow(int exitCode) {
    std::_Exit(exitCode);
}

ErrorReport::ErrorReport(QStringList lines, Clipboard* clipboard, TerminateProcess terminate)
    : lines_(std::move(lines)), clipboard_(clipboard), terminate_(std::move(terminate)) {}

QString ErrorReport::Text() const {
    return lines_.join(QLatin1Char('\n'));
}

void ErrorReport::Copy() {
    if (clipboard_) clipboard_->SetText(Text());
}

void ErrorReport::Continue() {
    closed_ = true;
}

void ErrorReport::Terminate() {
    if (terminate_) terminate_(kTerminateExitCode);
}

ErrorReporter::ErrorReporter(SystemInfo& system, Clipboard* clipboard, ShowErrorReport show,
                             TerminateProcess terminate)
    : system_(system), clipboard_(clipboard), show_(std::move(show)),
      terminate_(std::move(terminate)) {}

std::shared_ptr<ErrorReport> ErrorReporter::Report(const std::exception& error,
                                                   const QString& senderClass) {
    QStringList lines = ErrorReportLines(GetProgramVersion(system_, 1), SupportAddress(),
                                         DescribeException(error, senderClass));
    std::erase_if(open_, [](const std::weak_ptr<ErrorReport>& weak) {
        const auto report = weak.lock();
        return !report || report->Closed();
    });
    for (const auto& weak : open_)
        if (weak.lock()->Lines() == lines) return nullptr;
    auto report = std::make_shared<ErrorReport>(std::move(lines), clipboard_, terminate_);
    open_.push_back(report);
    if (show_) show_(report);
    return report;
}

} // namespace ov
