#pragma once
#include "ports/Dialogs.h"

#include <QList>

namespace ov::test {

// Records every message and answers from a script (Ok when the script runs out).
class FakeDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        QString caption;
        MessageButtons buttons;
    };
    MessageAnswer MessageBox(const QString& text, const QString& caption,
                             MessageButtons buttons) override {
        messages.append({text, caption, buttons});
        return answers.isEmpty() ? MessageAnswer::Ok : answers.takeFirst();
    }
    QStringList OpenFiles(const OpenFilesRequest& request) override {
        openRequests.append(request);
        return openAnswers.isEmpty() ? QStringList() : openAnswers.takeFirst();
    }
    QStringList Texts() const {
        QStringList texts;
        for (const Message& m : messages) texts << m.text;
        return texts;
    }

    QList<Message> messages;
    QList<MessageAnswer> answers;
    QList<OpenFilesRequest> openRequests;
    QList<QStringList> openAnswers;
};

} // namespace ov::test
