#pragma once
#include "ports/Dialogs.h"

class QWidget;

namespace ov {

// Message boxes and the open dialog over Qt's own dialogs.
class QtDialogs : public Dialogs {
public:
    void SetParentWindow(QWidget* parent) { parent_ = parent; }
    MessageAnswer MessageBox(const QString& text, const QString& caption,
                             MessageButtons buttons) override;
    QStringList OpenFiles(const OpenFilesRequest& request) override;

private:
    QWidget* parent_ = nullptr;
};

} // namespace ov
