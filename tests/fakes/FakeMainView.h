#pragma once
#include "core/app/MainView.h"

#include <QStringList>

namespace ov::test {

// Keeps the last model shown and counts what the core asked of the window.
class FakeMainView : public MainView {
public:
    void Render(const MainWindowModel& m) override {
        model = m;
        ++renders;
    }
    void HookApplicationEvents() override { calls << "HookApplicationEvents"; }
    void CloseWindow() override {
        calls << "CloseWindow";
        if (onClose) onClose();
    }
    bool IsMaximized() const override { return model.maximized; }
    Bounds CurrentBounds() const override { return model.bounds; }
    void StartWindowMove() override { calls << "StartWindowMove"; }

    MainWindowModel model;
    int renders = 0;
    QStringList calls;
    std::function<void()> onClose;
};

} // namespace ov::test
