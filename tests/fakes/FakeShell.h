#pragma once
#include "ports/Shell.h"

#include <QStringList>

namespace ov::test {

class FakeShell : public Shell {
public:
    QString PicturesFolder() override { return pictures; }
    QString BrowseForFolder(const QString& title, const QString& start) override {
        browseCalls << title + "|" + start;
        return browseAnswer;
    }
    void AssociationsChanged() override { ++associationNotices; }

    QString pictures = QStringLiteral("/home/user/Pictures");
    QString browseAnswer;
    QStringList browseCalls;
    int associationNotices = 0;
};

} // namespace ov::test
