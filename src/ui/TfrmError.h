#pragma once
#include "core/app/ui_Error.h"

#include <QDialog>
#include <memory>

class QFrame;
class QPlainTextEdit;
class QPushButton;

namespace ov {

// The error report dialog "CRASH? :'(": the report, and copy, continue and terminate.
class TfrmError : public QDialog {
    Q_OBJECT
public:
    explicit TfrmError(std::shared_ptr<ErrorReport> report, QWidget* parent = nullptr);

    // Opens a new dialog over the report, centred on the screen, alongside the main window;
    // it frees itself when closed. Fits ShowErrorReport.
    static void Open(std::shared_ptr<ErrorReport> report);

    const ErrorReport& Report() const { return *report_; }

    QPlainTextEdit* memInfo = nullptr;
    QFrame* bvlFooter = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnTerminate = nullptr;

protected:
    // Esc continues.
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void btnCopyClick();
    void btnOkClick();
    void btnTerminateClick();

    std::shared_ptr<ErrorReport> report_;
};

} // namespace ov
