#pragma once
#include <algorithm>
#include <cstdint>
#include <optional>

namespace ov {

// Colour value: $00BBGGRR for an RGB colour, or $FF0000nn for system colour nn.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clFuchsia = 0xFF00FF;

inline constexpr TColor SystemColor(int index) {
    return 0xFF000000u | static_cast<TColor>(index & 0xFF);
}
inline constexpr bool IsSystemColor(TColor c) {
    return (c & 0xFF000000u) == 0xFF000000u;
}

inline constexpr int SysColorHighlight = 13;
inline constexpr int SysColorBtnFace = 15;
inline constexpr int SysColorBtnShadow = 16;
inline constexpr int SysColorBtnHighlight = 20;

inline constexpr TColor clHighlight = SystemColor(SysColorHighlight);
inline constexpr TColor clBtnFace = SystemColor(SysColorBtnFace);
inline constexpr TColor clBtnShadow = SystemColor(SysColorBtnShadow);
inline constexpr TColor clBtnHighlight = SystemColor(SysColorBtnHighlight);

// Right and bottom are exclusive, as on the desktop the control was drawn for.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TRect&) const = default;
    // Wide enough for rectangles reaching far outside the control.
    std::int64_t Width() const { return std::int64_t{Right} - Left; }
    std::int64_t Height() const { return std::int64_t{Bottom} - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
};

// What the controls draw on. Colours reaching the primitives are already resolved to RGB.
class Canvas {
public:
    virtual ~Canvas() = default;

    // A one-pixel line from the first point towards the second, the end point left out.
    virtual void HorzLine(int x0, int x1, int y, TColor color) = 0;
    virtual void VertLine(int x, int y0, int y1, TColor color) = 0;

    // A one-pixel outline in pen and the inside in brush; no brush leaves the inside alone.
    // Corners may come in either order.
    virtual void Rectangle(const TRect& r, TColor pen, std::optional<TColor> brush) = 0;

    // RGB of a colour value; system colours come from the surface being drawn on.
    TColor Resolve(TColor c) const {
        return IsSystemColor(c) ? SystemColorRgb(static_cast<int>(c & 0xFF)) : c & 0x00FFFFFFu;
    }

protected:
    virtual TColor SystemColorRgb(int index) const = 0;
};

// Pixel spans shared by the canvases that rasterise, so they all agree on the edges.

inline TRect HorzLineSpan(int x0, int x1, int y) {
    if (x1 >= x0) return {x0, y, x1, y + 1};
    return {x1 + 1, y, x0 + 1, y + 1};
}

inline TRect VertLineSpan(int x, int y0, int y1) {
    if (y1 >= y0) return {x, y0, x + 1, y1};
    return {x, y1 + 1, x + 1, y0 + 1};
}

inline TRect NormalizedRect(const TRect& r) {
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

// Calls fill(rect, colour) for each piece of a rectangle: the inside, then the outline.
template <class Fill>
void RasterRectangle(const TRect& rect, TColor pen, std::optional<TColor> brush, Fill&& fill) {
    const TRect r = NormalizedRect(rect);
    if (r.IsEmpty()) return;
    if (brush && r.Width() > 2 && r.Height() > 2)
        fill(TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, *brush);
    fill(TRect{r.Left, r.Top, r.Right, r.Top + 1}, pen);
    fill(TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, pen);
    fill(TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, pen);
    fill(TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, pen);
}

} // namespace ov
