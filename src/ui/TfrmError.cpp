#include "ui/TfrmError.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

namespace ov {

namespace {

QFont PixelFont(const QString& family, int pixels, bool bold = false) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

TfrmError::TfrmError(std::shared_ptr<ErrorReport> report, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      report_(std::move(report)) {
    setObjectName(QStringLiteral("frmError"));
    setWindowTitle(QStringLiteral("CRASH? :'("));
    setFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    setFixedSize(362, 315);

    memInfo = new QPlainTextEdit(this);
    memInfo->setObjectName(QStringLiteral("memInfo"));
    memInfo->setGeometry(4, 5, 351, 270);
    memInfo->setReadOnly(true);
    memInfo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPalette pal = memInfo->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Button));
    memInfo->setPalette(pal);
    memInfo->setPlainText(report_->Text());

    bvlFooter = new QFrame(this);
    bvlFooter->setObjectName(QStringLiteral("bvlFooter"));
    bvlFooter->setGeometry(4, 282, 362, 2);
    bvlFooter->setFrameShape(QFrame::HLine);
    bvlFooter->setFrameShadow(QFrame::Sunken);

    btnCopy = new QPushButton(QStringLiteral("&Copy To Clipboard"), this);
    btnCopy->setObjectName(QStringLiteral("btnCopy"));
    btnCopy->setGeometry(4, 288, 109, 25);
    btnOk = new QPushButton(QStringLiteral("&Continue"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(180, 288, 85, 25);
    btnTerminate = new QPushButton(QStringLiteral("&Terminate"), this);
    btnTerminate->setObjectName(QStringLiteral("btnTerminate"));
    btnTerminate->setGeometry(271, 288, 85, 25);
    btnTerminate->setFont(PixelFont(QStringLiteral("Tahoma"), 11, true));
    // Enter presses Terminate unless another button has the focus.
    btnTerminate->setDefault(true);

    connect(btnCopy, &QPushButton::clicked, this, &TfrmError::btnCopyClick);
    connect(btnOk, &QPushButton::clicked, this, &TfrmError::btnOkClick);
    connect(btnTerminate, &QPushButton::clicked, this, &TfrmError::btnTerminateClick);
    memInfo->setFocus();
}

void TfrmError::Open(std::shared_ptr<ErrorReport> report) {
    auto* dialog = new TfrmError(std::move(report));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        dialog->move(area.center() - dialog->rect().center());
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void TfrmError::btnCopyClick() {
    memInfo->selectAll();
    report_->Copy();
}

void TfrmError::btnOkClick() {
    close();
}

void TfrmError::btnTerminateClick() {
    report_->Terminate();
}

void TfrmError::reject() {
    close();
}

void TfrmError::closeEvent(QCloseEvent* event) {
    // Not QDialog's own handling: that would reject, and rejecting closes here.
    report_->Continue();
    event->accept();
}

} // namespace ov
