#include "ui/TForm2.h"

namespace ov {

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form2"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(380, 177);
}

void TForm2::ShowModal(const QString& caption) {
    auto* box = new TForm2;
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(caption);
    box->exec();
}

} // namespace ov
