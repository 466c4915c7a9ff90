#pragma once
#include <QDialog>

namespace ov {

// The about box: a bare window whose title carries the product and its version.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // A new box each time, shown modally, freed when closed. Fits ShowAboutBox.
    static void ShowModal(const QString& caption);
};

} // namespace ov
