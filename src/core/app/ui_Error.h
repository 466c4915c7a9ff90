#pragma once
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace ov {

class Clipboard;
class SystemInfo;

// What the report tells about one exception.
struct ErrorDetails {
    QString message;
    // The class of the object that raised the event; empty when the handler got no sender.
    QString senderClass;
    QString exceptionClass;
};

// The exception's message and its class name as the compiler names it ("ov::Error").
ErrorDetails DescribeException(const std::exception& error, const QString& senderClass = {});
QString ExceptionClassName(const std::exception& error);

// Where users are asked to send reports: ORVANE_SUPPORT_EMAIL when set, else the project's
// address.
QString SupportAddress();

// The report's lines in order: six without a sender, seven with one.
QStringList ErrorReportLines(const QString& programVersion, const QString& supportAddress,
                             const ErrorDetails& details);

// Ends the process with the code given, now: nothing is saved, no shutdown step runs.
using TerminateProcess = std::function<void(int exitCode)>;
[[noreturn]] void EndProcessNow(int exitCode);
// The user ends the player because of an error, so the exit status says it failed.
inline constexpr int kTerminateExitCode = 1;

// One error report, as its dialog shows it. The dialog holds it until the dialog is freed.
class ErrorReport {
public:
    ErrorReport(QStringList lines, Clipboard* clipboard, TerminateProcess terminate);

    const QStringList& Lines() const { return lines_; }
    // The whole report as plain text, one line each.
    QString Text() const;

    // "&Copy To Clipboard": the whole report, all lines; the dialog stays open.
    void Copy();
    // "&Continue" (also Esc and closing the dialog): the report is done with and the player
    // goes on with its next event.
    void Continue();
    // "&Terminate" (also Enter): the process ends at once.
    void Terminate();

    bool Closed() const { return closed_; }

private:
    QStringList lines_;
    Clipboard* clipboard_;
    TerminateProcess terminate_;
    bool closed_ = false;
};

// Opens a dialog over a new report, alongside the main window.
using ShowErrorReport = std::function<void(std::shared_ptr<ErrorReport>)>;

// The application-wide exception handler's work: each exception that escapes an event handler
// gets a report of its own. A repeat of a report that is still open is not opened again, so an
// exception thrown on every timer tick cannot bury the desktop in dialogs.
class ErrorReporter {
public:
    ErrorReporter(SystemInfo& system, Clipboard* clipboard, ShowErrorReport show,
                  TerminateProcess terminate = EndProcessNow);

    // The report opened; null when the same report is still open.
    std::shared_ptr<ErrorReport> Report(const std::exception& error,
                                        const QString& senderClass = {});

private:
    SystemInfo& system_;
    Clipboard* clipboard_;
    ShowErrorReport show_;
    TerminateProcess terminate_;
    std::vector<std::weak_ptr<ErrorReport>> open_;
};

} // namespace ov
