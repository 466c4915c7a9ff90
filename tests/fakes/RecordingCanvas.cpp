#include "fakes/RecordingCanvas.h"

#include <algorithm>
#include <ios>
#include <iterator>

namespace ov::test {

RecordingCanvas::RecordingCanvas(int width, int height)
    : width_(width), height_(height),
      pixels_(static_cast<size_t>(std::max(width, 0) * std::max(height, 0)), kUnpainted),
      systemColors_{{SysColorHighlight, kHighlight},
                    {SysColorBtnFace, kBtnFace},
                    {SysColorBtnShadow, kBtnShadow},
                    {SysColorBtnHighlight, kBtnHighlight}} {}

void RecordingCanvas::HorzLine(int x0, int x1, int y, TColor color) {
    ops_.push_back({Kind::HorzLine, {x0, y, x1, y}, color, std::nullopt});
    Fill(HorzLineSpan(x0, x1, y), color);
}

void RecordingCanvas::VertLine(int x, int y0, int y1, TColor color) {
    ops_.push_back({Kind::VertLine, {x, y0, x, y1}, color, std::nullopt});
    Fill(VertLineSpan(x, y0, y1), color);
}

void RecordingCanvas::Rectangle(const TRect& r, TColor pen, std::optional<TColor> brush) {
    ops_.push_back({Kind::Rectangle, r, pen, brush});
    RasterRectangle(r, pen, brush, [this](const TRect& piece, TColor c) { Fill(piece, c); });
}

std::vector<RecordingCanvas::Op> RecordingCanvas::Rectangles() const {
    std::vector<Op> result;
    std::copy_if(ops_.begin(), ops_.end(), std::back_inserter(result),
                 [](const Op& op) { return op.kind == Kind::Rectangle; });
    return result;
}

TColor RecordingCanvas::SystemColorRgb(int index) const {
    const auto it = systemColors_.find(index);
    return it == systemColors_.end() ? 0 : it->second;
}

void RecordingCanvas::Fill(const TRect& r, TColor color) {
    const int left = std::max(r.Left, 0);
    const int right = std::min(r.Right, width_);
    const int top = std::max(r.Top, 0);
    const int bottom = std::min(r.Bottom, height_);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            pixels_[static_cast<size_t>(y * width_ + x)] = color;
}

std::vector<std::string> RecordingCanvas::Picture(const std::map<TColor, char>& legend) const {
    std::vector<std::string> rows;
    for (int y = 0; y < height_; ++y) {
        std::string row;
        for (int x = 0; x < width_; ++x) {
            const auto it = legend.find(Pixel(x, y));
            row += it == legend.end() ? '?' : it->second;
        }
        rows.push_back(row);
    }
    return rows;
}

std::ostream& operator<<(std::ostream& os, const RecordingCanvas::Op& op) {
    static const char* const kNames[] = {"HorzLine", "VertLine", "Rectangle"};
    os << kNames[static_cast<int>(op.kind)] << op.r << " pen " << std::hex << op.pen;
    if (op.brush) os << " brush " << *op.brush;
    return os << std::dec;
}

} // namespace ov::test

namespace ov {

std::ostream& operator<<(std::ostream& os, const TRect& r) {
    return os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

} // namespace ov
