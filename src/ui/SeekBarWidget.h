#pragma once
#include "core/app/MainWindowModel.h"

#include <QWidget>

namespace ov {

// The seek bar `zvTrackBar`: paints the look the core gives it.
class SeekBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit SeekBarWidget(QWidget* parent = nullptr);
    void SetLook(const SeekBarLook& look);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SeekBarLook look_;
};

} // namespace ov
