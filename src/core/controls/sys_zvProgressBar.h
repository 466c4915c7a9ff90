#pragma once
#include "core/controls/Canvas.h"

#include <functional>

namespace ov {

enum class TCatBevelStyle { bsLowered, bsRaised, bsSingle };

// The seek bar: a framed bar filled up to a position between Min and Max, an optional
// loop region and a marker at the loop begin. It holds no pixels; whatever shows it
// connects OnRedraw and OnResize and calls Paint.
class zvProgressBar {
public:
    using NotifyEvent = std::function<void(zvProgressBar& sender)>;

    // Invalidate: draw again when convenient. Repaint: draw again before returning.
    enum class Redraw { Invalidate, Repaint };

    zvProgressBar() = default;
    virtual ~zvProgressBar() = default;
    zvProgressBar(const zvProgressBar&) = delete;
    zvProgressBar& operator=(const zvProgressBar&) = delete;

    TColor ColorBackground() const { return FColorBackground; }
    TColor ColorBar() const { return FColorBar; }
    TColor ColorLBegin() const { return FColorLBegin; }
    TColor ColorLEnd() const { return FColorLEnd; }
    TColor ColorLoop() const { return FColorLoop; }
    TColor ColorBorder() const { return FColorBorder; }
    TColor ColorBevelSingle() const { return FColorBevelSingle; }
    int BorderWidth() const { return FBorderWidth; }
    int BevelOuterWidth() const { return FBevelOuterWidth; }
    int BevelInnerWidth() const { return FBevelInnerWidth; }
    TCatBevelStyle BevelInner() const { return FBevelInner; }
    TCatBevelStyle BevelOuter() const { return FBevelOuter; }
    long double Step() const { return FStep; }
    long double Position() const { return FPosition; }
    long double Min() const { return FMin; }
    long double Max() const { return FMax; }
    long double LoopBegin() const { return FLoopBegin; }
    long double LoopEnd() const { return FLoopEnd; }
    bool LoopBEnabled() const { return FLoopBEnabled; }
    bool LoopEEnabled() const { return FLoopEEnabled; }
    int MarkerWidth() const { return FMarkerWidth; }
    long double PositionDefault() const { return FPositionDefault; }
    bool ShowDefault() const { return FShowDefault; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool Enabled() const { return FEnabled; }

    void SetColorBackground(TColor value);
    void SetColorBar(TColor value);
    void SetColorLBegin(TColor value);
    void SetColorLEnd(TColor value);
    void SetColorLoop(TColor value);
    void SetColorBorder(TColor value);
    void SetColorBevelSingle(TColor value);
    void SetBorderWidth(int value);
    void SetBevelOuterWidth(int value);
    void SetBevelInnerWidth(int value);
    void SetBevelInner(TCatBevelStyle value);
    void SetBevelOuter(TCatBevelStyle value);
    void SetStep(long double value);
    void SetPosition(long double value);
    void SetMin(long double value);
    void SetMax(long double value);
    void SetLoopBegin(long double value);
    void SetLoopEnd(long double value);
    void SetLoopBEnabled(bool value);
    void SetLoopEEnabled(bool value);
    void SetMarkerWidth(int value);
    void SetPositionDefault(long double value);
    void SetShowDefault(bool value);
    // Size of the control; negative sizes are taken as 0.
    void SetWidth(int value);
    void SetHeight(int value);
    void SetBounds(int width, int height);
    // Follows the widget's enabled state; only affects the enter and exit notifications.
    void SetEnabled(bool value);

    // The whole control at (0, 0, Width, Height), opaque.
    void Paint(Canvas& canvas);
    virtual void DrawBar(Canvas& canvas, const TRect& rect, bool transparent);

    // The pointer came over the control or left it.
    void MouseEnter();
    void MouseExit();

    NotifyEvent OnChange;
    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseExit;

    // For the widget that shows the control.
    std::function<void(Redraw)> OnRedraw;
    std::function<void()> OnResize;

protected:
    virtual void Change();

private:
    void Invalidate();
    void Repaint();
    void DrawRings(Canvas& canvas, TRect& r, int count, TCatBevelStyle style);
    void DrawFrameRings(Canvas& canvas, TRect& r, int count, TColor topLeft, TColor bottomRight);
    void DrawContent(Canvas& canvas, const TRect& r);

    TColor FColorBackground = clWhite;
    TColor FColorBar = clHighlight;
    TColor FColorLBegin = clGreen;
    TColor FColorLEnd = clRed;
    TColor FColorLoop = clBlack;
    TColor FColorBorder = clBtnFace;
    TColor FColorBevelSingle = clBlack;
    int FBorderWidth = 0;
    int FBevelOuterWidth = 1;
    int FBevelInnerWidth = 0;
    TCatBevelStyle FBevelInner = TCatBevelStyle::bsRaised;
    TCatBevelStyle FBevelOuter = TCatBevelStyle::bsLowered;
    long double FStep = 0;
    long double FPosition = 0;
    long double FMin = 0;
    long double FMax = 100;
    long double FLoopBegin = 0;
    long double FLoopEnd = 100;
    bool FLoopBEnabled = false;
    bool FLoopEEnabled = false;
    int FMarkerWidth = 3;
    long double FPositionDefault = 50;
    bool FShowDefault = false;
    int FWidth = 200;
    int FHeight = 10;
    bool FEnabled = true;
};

} // namespace ov
