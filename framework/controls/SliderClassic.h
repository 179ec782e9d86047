// The framework's classic slider: the system trackbar where the common controls are
// there and allowed, else a slider that draws itself (window class "Yrt_Slider") with a
// thumb of two halves (normal; pressed or disabled), a sunken slot and a tick ruler.
// It reports to the parent like a scroll bar (code 9 when a drag begins).
#pragma once

#include "controls/ScrollBar.h"

#include <vector>

class TDC;
class TRegion;

class VELTRANE_API TSlider : public TScrollBar {
public:
    TSlider(TWindow *parent, int id, int x, int y, int w, int h, TResId thumbResId, TModule *module = 0);
    TSlider(TWindow *parent, int resourceId, TResId thumbResId, TModule *module = 0);
    ~TSlider() override;

    // A slider built afterwards is native when the value is above 1 and the common controls exist.
    static void SetNativeUse(TNativeUse use) { ClassNativeUse = use; }
    int IsNative() const;

    void SetRange(int min, int max) override;
    void GetRange(int &min, int &max) const override;
    void SetPosition(int position) override { SetPosition(position, 1); }
    void SetPosition(int position, int redraw);
    int GetPosition() const override;
    // Regular ticks every step; custom ticks outside the range are dropped.
    void SetRuler(int tickStep, int snap = 1);
    void SetRuler(int const *ticks, int count, int snap = 1);
    void SetSel(int start, int end, int redraw = 1);
    void GetSel(int &start, int &end);
    int SnapPosition(int position) const;
    TRect const &GetThumbRect() const { return Thumb; }

    virtual int PointToPos(TPoint const &point) = 0;
    virtual TPoint PosToPoint(int position) = 0;
    virtual void NotifyParent(int code, int position) = 0;
    virtual void SetupThumbRgn();
    // 5 thumb, 4 track, 2 before the thumb, 3 after it, -1 nothing.
    virtual int HitTest(TPoint &point) = 0;
    virtual void SlideThumb(TDC &dc, int position);
    virtual void PaintRuler(TDC &dc) = 0;
    virtual void PaintSlot(TDC &dc) = 0;
    virtual void PaintThumb(TDC &dc);

    char const *GetClassNameA() override;
    void GetWindowClass(WNDCLASSA &wc) override;
    void SetupWindow() override;
    void CleanupWindow() override;
    void Paint(TDC &dc, int erase, TRect &rect) override;

    static TNativeUse ClassNativeUse;
    static TSize MouseOffset;
    static TDC *SlideDC;

protected:
    void Init(TResId thumbResId);
    // The thumb picture's half (0 normal, 1 pressed or disabled) at the thumb.
    void DrawThumbImage(TDC &dc, int half);
    TColor ParentBackground(TDC &dc);
    std::vector<int> TicPositions() const;
    void PaintSlotRect(TDC &dc, TRect const &slot);

    void EvPaint();
    uint EvGetDlgCode(uint);
    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvMouseMove(uint modKeys, TPoint &point);
    void EvLButtonUp(uint modKeys, TPoint &point);
    void EvLButtonDblClk(uint modKeys, TPoint &point);
    void EvKeyDown(uint key, uint repeatCount, uint flags);
    void EvSetFocus(WPARAM lost);
    void EvKillFocus(WPARAM got);
    void EvCaptureChanged(LPARAM newCapture);

    int Min;
    int Max;
    int Range;
    int Pos;
    TRect Thumb;
    TRegion *ThumbRgn;
    TResId ThumbResId;
    int TicStep;
    int Snap;
    int *Tics;
    int TicCount;
    int SelStart;
    int SelEnd;
    int SlotThick;
    int Sliding;
    TNativeUse SliderNativeUse;
    HBITMAP ThumbBitmap;

private:
    void EndDrag(TPoint const &point);

    DECLARE_RESPONSE_TABLE(TSlider);
};

class VELTRANE_API THSlider : public TSlider {
public:
    // Height 0 gives 32.
    THSlider(TWindow *parent, int id, int x, int y, int w, int h, TResId thumbResId = TResId(), TModule *module = 0);
    THSlider(TWindow *parent, int resourceId, TResId thumbResId = TResId(), TModule *module = 0);
    int PointToPos(TPoint const &point) override;
    TPoint PosToPoint(int position) override;
    void NotifyParent(int code, int position) override;
    int HitTest(TPoint &point) override;
    void PaintRuler(TDC &dc) override;
    void PaintSlot(TDC &dc) override;
};

// The top is the minimum.
class VELTRANE_API TVSlider : public TSlider {
public:
    // Width 0 gives 32.
    TVSlider(TWindow *parent, int id, int x, int y, int w, int h, TResId thumbResId = TResId(), TModule *module = 0);
    TVSlider(TWindow *parent, int resourceId, TResId thumbResId = TResId(), TModule *module = 0);
    int PointToPos(TPoint const &point) override;
    TPoint PosToPoint(int position) override;
    void NotifyParent(int code, int position) override;
    int HitTest(TPoint &point) override;
    void PaintRuler(TDC &dc) override;
    void PaintSlot(TDC &dc) override;
};
