#pragma once
#include "ports/Shell.h"

namespace ov {

class QtShell : public Shell {
public:
    QString PicturesFolder() override;
    QString BrowseForFolder(const QString& title, const QString& start) override;
    void AssociationsChanged() override;
};

} // namespace ov
