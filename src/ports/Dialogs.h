#pragma once
#include <QString>
#include <QStringList>

namespace ov {

enum class MessageButtons { Ok, YesNo, OkCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct OpenFilesRequest {
    QString filter;          // "Name|pattern" pairs
    bool multiSelect = true;
    bool existingOnly = true;
    QString startFolder;
};

// Message boxes and the open dialog.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer MessageBox(const QString& text, const QString& caption,
                                     MessageButtons buttons = MessageButtons::Ok) = 0;
    // The chosen files in the order the dialog gives them; empty when cancelled.
    virtual QStringList OpenFiles(const OpenFilesRequest& request) = 0;
};

} // namespace ov
