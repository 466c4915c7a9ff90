#include "core/controls/sys_zvProgressBar.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ov {

namespace {

// Far enough outside any control that clipping hides it, and safe to add a marker width to.
constexpr long double kCoordinateLimit = 1 << 30;

long double RoundHalfEven(long double v) {
    const long double down = std::floor(v);
    const long double fraction = v - down;
    if (fraction > 0.5L) return down + 1;
    if (fraction < 0.5L) return down;
    return std::fmod(down, 2.0L) == 0 ? down : down + 1;
}

// x of a percentage across [left, left + width); positions that are not numbers stay at left.
std::int64_t XOf(long double percent, std::int64_t left, std::int64_t width) {
    long double offset = static_cast<long double>(width) * percent / 100;
    if (std::isnan(offset)) offset = 0;
    offset = std::clamp(RoundHalfEven(offset), -kCoordinateLimit, kCoordinateLimit);
    return left + static_cast<std::int64_t>(offset);
}

// Every setter leaves an unchanged value alone: no redraw, no OnChange. Floats compare exactly.
template <class T> bool Assign(T& field, T value) {
    if (field == value) return false;
    field = value;
    return true;
}

int ToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

} // namespace

void zvProgressBar::Invalidate() {
    if (OnRedraw) OnRedraw(Redraw::Invalidate);
}

void zvProgressBar::Repaint() {
    if (OnRedraw) OnRedraw(Redraw::Repaint);
}

void zvProgressBar::Change() {
    if (OnChange) OnChange(*this);
}

void zvProgressBar::SetColorBackground(TColor value) {
    if (Assign(FColorBackground, value)) Invalidate();
}

void zvProgressBar::SetColorBar(TColor value) {
    if (Assign(FColorBar, value)) Invalidate();
}

void zvProgressBar::SetColorLBegin(TColor value) {
    if (Assign(FColorLBegin, value)) Invalidate();
}

void zvProgressBar::SetColorLEnd(TColor value) {
    if (Assign(FColorLEnd, value)) Invalidate();
}

void zvProgressBar::SetColorLoop(TColor value) {
    if (Assign(FColorLoop, value)) Invalidate();
}

void zvProgressBar::SetColorBorder(TColor value) {
    if (Assign(FColorBorder, value)) Invalidate();
}

void zvProgressBar::SetColorBevelSingle(TColor value) {
    if (Assign(FColorBevelSingle, value)) Invalidate();
}

void zvProgressBar::SetBorderWidth(int value) {
    if (Assign(FBorderWidth, value)) Invalidate();
}

void zvProgressBar::SetBevelOuterWidth(int value) {
    if (Assign(FBevelOuterWidth, value)) Invalidate();
}

void zvProgressBar::SetBevelInnerWidth(int value) {
    if (Assign(FBevelInnerWidth, value)) Invalidate();
}

void zvProgressBar::SetBevelInner(TCatBevelStyle value) {
    if (Assign(FBevelInner, value)) Invalidate();
}

void zvProgressBar::SetBevelOuter(TCatBevelStyle value) {
    if (Assign(FBevelOuter, value)) Invalidate();
}

void zvProgressBar::SetMarkerWidth(int value) {
    if (Assign(FMarkerWidth, value)) Invalidate();
}

void zvProgressBar::SetPosition(long double value) {
    if (!Assign(FPosition, value)) return;
    Repaint();
    Change();
}

void zvProgressBar::SetMin(long double value) {
    if (!Assign(FMin, value)) return;
    Repaint();
    Change();
}

void zvProgressBar::SetMax(long double value) {
    if (Assign(FMax, value)) Repaint();
}

void zvProgressBar::SetLoopBegin(long double value) {
    if (!Assign(FLoopBegin, value)) return;
    Repaint();
    Change();
}

void zvProgressBar::SetLoopEnd(long double value) {
    if (!Assign(FLoopEnd, value)) return;
    Repaint();
    Change();
}

void zvProgressBar::SetLoopBEnabled(bool value) {
    if (Assign(FLoopBEnabled, value)) Repaint();
}

void zvProgressBar::SetLoopEEnabled(bool value) {
    if (Assign(FLoopEEnabled, value)) Repaint();
}

void zvProgressBar::SetPositionDefault(long double value) {
    if (Assign(FPositionDefault, value)) Repaint();
}

void zvProgressBar::SetShowDefault(bool value) {
    if (Assign(FShowDefault, value)) Repaint();
}

void zvProgressBar::SetStep(long double value) {
    FStep = value;
}

void zvProgressBar::SetWidth(int value) {
    SetBounds(value, FHeight);
}

void zvProgressBar::SetHeight(int value) {
    SetBounds(FWidth, value);
}

void zvProgressBar::SetBounds(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    if (OnResize) OnResize();
    Invalidate();
}

void zvProgressBar::SetEnabled(bool value) {
    FEnabled = value;
}

void zvProgressBar::MouseEnter() {
    if (FEnabled && OnMouseEnter) OnMouseEnter(*this);
}

void zvProgressBar::MouseExit() {
    if (FEnabled && OnMouseExit) OnMouseExit(*this);
}

void zvProgressBar::Paint(Canvas& canvas) {
    DrawBar(canvas, TRect{0, 0, FWidth, FHeight}, false);
}

void zvProgressBar::DrawFrameRings(Canvas& canvas, TRect& r, int count, TColor topLeft,
                                   TColor bottomRight) {
    // Rings stop once nothing is left inside them, so a frame wider than the control
    // neither spills outside it nor spins through millions of rings.
    for (int i = 0; i < count && !r.IsEmpty(); ++i) {
        canvas.HorzLine(r.Left, r.Right, r.Top, topLeft);
        canvas.VertLine(r.Left, r.Top, r.Bottom, topLeft);
        canvas.HorzLine(r.Left, r.Right, r.Bottom - 1, bottomRight);
        canvas.VertLine(r.Right - 1, r.Top, r.Bottom, bottomRight);
        r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
}

void zvProgressBar::DrawRings(Canvas& canvas, TRect& r, int count, TCatBevelStyle style) {
    TColor topLeft = clBtnShadow;
    TColor bottomRight = clBtnHighlight;
    if (style == TCatBevelStyle::bsRaised) std::swap(topLeft, bottomRight);
    if (style == TCatBevelStyle::bsSingle) topLeft = bottomRight = FColorBevelSingle;
    DrawFrameRings(canvas, r, count, canvas.Resolve(topLeft), canvas.Resolve(bottomRight));
}

void zvProgressBar::DrawBar(Canvas& canvas, const TRect& rect, bool transparent) {
    TRect r = rect;
    DrawRings(canvas, r, FBevelOuterWidth, FBevelOuter);
    const TColor border = canvas.Resolve(FColorBorder);
    DrawFrameRings(canvas, r, FBorderWidth, border, border);
    DrawRings(canvas, r, FBevelInnerWidth, FBevelInner);
    if (r.IsEmpty()) return;

    const TColor background = canvas.Resolve(FColorBackground);
    canvas.Rectangle(r, background, transparent ? std::nullopt : std::optional(background));
    DrawContent(canvas, r);
}

void zvProgressBar::DrawContent(Canvas& canvas, const TRect& r) {
    // Painting keeps the stored position in range without telling anyone.
    if (FMin > FPosition) FPosition = FMin;
    if (FMax < FPosition) FPosition = FMax;

    long double lb = FMin;
    if (FLoopBEnabled && FLoopBegin >= FMin) lb = FLoopBegin;
    long double le = FMax;
    if (FLoopEEnabled && FLoopEnd <= FMax) le = FLoopEnd;

    const long double d = FMax - FMin;
    long double p = 100;
    long double b = 100;
    long double e = 100;
    if (d != 0) {
        p = (FPosition - FMin) / d * 100;
        b = (lb - FMin) / d * 100;
        e = (le - FMin) / d * 100;
    }

    const std::int64_t w = r.Width();
    const auto x = [&](long double q) { return XOf(q, r.Left, w); };

    if (FLoopBEnabled || FLoopEEnabled) {
        const TColor loop = canvas.Resolve(FColorLoop);
        canvas.Rectangle(TRect{ToInt(x(b)), r.Top, ToInt(x(e)), r.Bottom}, loop, loop);
    }

    const TColor bar = canvas.Resolve(FColorBar);
    const TRect barRect = p >= 100 ? r : TRect{r.Left, r.Top, ToInt(x(p)), r.Bottom};
    canvas.Rectangle(barRect, bar, bar);

    if (FLoopBEnabled) {
        const std::int64_t xb = x(b);
        canvas.Rectangle(TRect{ToInt(xb - FMarkerWidth), r.Top, ToInt(xb + FMarkerWidth), r.Bottom},
                         canvas.Resolve(FColorBevelSingle), canvas.Resolve(FColorLBegin));
    }
}

} // namespace ov
