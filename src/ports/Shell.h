#pragma once
#include <QString>

namespace ov {

// The desktop shell: special folders, folder browsing, the association-changed notice.
class Shell {
public:
    virtual ~Shell() = default;
    // The user's pictures folder; empty when the shell cannot say.
    virtual QString PicturesFolder() = 0;
    // Empty when the user cancels.
    virtual QString BrowseForFolder(const QString& title, const QString& start) = 0;
    // Tells the desktop that file associations changed.
    virtual void AssociationsChanged() = 0;
};

} // namespace ov
