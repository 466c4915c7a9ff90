#pragma once
#include "ports/InstanceGuard.h"

#include <QStringList>

namespace ov::test {

// Answers BringRunningToFront as scripted and remembers what it was asked.
class FakeInstanceGuard : public InstanceGuard {
public:
    void RaisePriority() override { calls << QStringLiteral("RaisePriority"); }
    bool BringRunningToFront(const QString& windowClass, const QString& caption) override {
        calls << QStringLiteral("BringRunningToFront(%1,%2)").arg(windowClass, caption);
        return anotherIsRunning;
    }
    // Plays a later start asking this one to come to the front.
    void Activate() {
        if (OnActivateRequest) OnActivateRequest();
    }

    bool anotherIsRunning = false;
    QStringList calls;
};

} // namespace ov::test
