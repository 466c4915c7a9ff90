#pragma once
#include "core/controls/Canvas.h"

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ov::test {

// Records every drawing call and paints it into a small pixel array as the desktop would.
class RecordingCanvas : public Canvas {
public:
    // Pixels nothing has painted keep this value; no RGB colour has its high byte set.
    static constexpr TColor kUnpainted = 0x01000000;

    // Distinct stand-ins for the desktop's system colours.
    static constexpr TColor kHighlight = 0x00C08040;
    static constexpr TColor kBtnFace = 0x00D0D0D0;
    static constexpr TColor kBtnShadow = 0x00808080;
    static constexpr TColor kBtnHighlight = 0x00F0F0F0;

    enum class Kind { HorzLine, VertLine, Rectangle };
    struct Op {
        Kind kind = Kind::Rectangle;
        // Lines: (x0, y, x1, y) or (x, y0, x, y1) as asked; rectangles as asked.
        TRect r;
        TColor pen = 0;
        std::optional<TColor> brush;
        bool operator==(const Op&) const = default;
    };

    RecordingCanvas(int width, int height);

    void HorzLine(int x0, int x1, int y, TColor color) override;
    void VertLine(int x, int y0, int y1, TColor color) override;
    void Rectangle(const TRect& r, TColor pen, std::optional<TColor> brush) override;

    void SetSystemColor(int index, TColor rgb) { systemColors_[index] = rgb; }

    const std::vector<Op>& Ops() const { return ops_; }
    std::vector<Op> Rectangles() const;
    void ClearOps() { ops_.clear(); }

    int Width() const { return width_; }
    int Height() const { return height_; }
    TColor Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }

    // One string per row, each pixel as the letter `legend` gives its colour ('?' if none).
    std::vector<std::string> Picture(const std::map<TColor, char>& legend) const;

protected:
    TColor SystemColorRgb(int index) const override;

private:
    void Fill(const TRect& r, TColor color);

    int width_;
    int height_;
    std::vector<TColor> pixels_;
    std::vector<Op> ops_;
    std::map<int, TColor> systemColors_;
};

std::ostream& operator<<(std::ostream& os, const RecordingCanvas::Op& op);

} // namespace ov::test

namespace ov {
std::ostream& operator<<(std::ostream& os, const TRect& r);
} // namespace ov
