// The library's own sliders: a thumb drawn from a bitmap of three images (normal,
// pressed, disabled), a sunken slot with an optional tick ruler and plus/minus marks,
// end zones that repeat like arrow buttons, and a keyboard caret inside the thumb. They
// report to the parent exactly like a scroll bar (WM_HSCROLL / WM_VSCROLL; code 9 when a
// drag of the thumb begins) and move their thumb only through SetPosition.
#pragma once

#include "controls/ScrollBar.h"

#include "foundation/Lists.h"

class TDC;
class TDib;
class TRegion;

// Sent once when a drag of the thumb begins.
#define SB_BEGINDRAG 9

class VELTRANE_API Slider : public TScrollBar, public ListElement {
public:
    // Thumb colours (the pop-up slider picks the bitmap by them).
    enum Color { Default = 0, Color1 = 1, Color2, Color3, Color4, Color5, Color6 };

    Slider(TWindow *parent, int id, int x, int y, int w, int h, int thumbBitmapId, TModule *module = 0);
    ~Slider() override;

    void SetRange(int min, int max) override;
    void GetRange(int &low, int &high) const override;
    void SetPosition(int position) override;
    int GetPosition() const override { return Pos; }
    virtual int GetValue() const { return BaseOffset + Pos; }
    void SetValue(int value) { SetPosition(value - BaseOffset); }
    int GetBaseOffset() const { return BaseOffset; }
    int GetRangeLength() const { return Range; }
    // Tick step in positions (0 none), snapping, an unused value, tick length in percent.
    void SetRuler(int tickStep, int snap, int unused, int tickPercent);
    // Style bits (1 second slot look, 2 first look, 4 frame round the client), thickness, margins.
    void SetSlotStyle(int style, int thickness, int startMargin, int endMargin);
    void SetPlusMinus(int show, int distance);
    virtual void SetCaretSize(int w, int h);
    // Scroll codes 0-3, 6 and 7 go to the parent with position 0.
    void SendCommand(uint code);
    void SetKeyboardOff(int off) { KeyboardOff = off; }
    TRect const &GetThumbRect() const { return Thumb; }
    int SnapPosition(int position) const;

    virtual int PointToPos(TPoint &point) = 0;
    virtual TPoint PosToPoint(int position) = 0;
    virtual void NotifyParent(int code, int position) = 0;
    virtual void SetupThumbRgn();
    // 5 thumb, 0 decrease end, 1 increase end, 4 track (the point moved back by half a thumb).
    virtual int HitTest(TPoint &point) = 0;
    virtual void SlideThumb(TDC &dc, int position);
    virtual void PaintSlot(TDC &dc) = 0;
    virtual void PaintThumb(TDC &dc);

    char const *GetClassNameA() override;
    void SetupWindow() override;
    void CleanupWindow() override;
    void Paint(TDC &dc, int erase, TRect &rect) override;

    static TSize MouseOffset;

protected:
    // Along the slider's axis: the room the thumb's corner travels.
    int Span() const;
    int Length() const;
    int ThumbLength() const;
    void PaintSlotAcross(TDC &dc, int horizontal);
    void PaintMarksAndRuler(TDC &dc, TRect const &slot, int horizontal);
    void PlaceThumb();

    void EvSize(uint sizeType, TSize &size);
    uint EvGetDlgCode(uint);
    int EvEraseBkgnd(WPARAM);
    void EvPaint();
    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvMouseMove(uint modKeys, TPoint &point);
    void EvLButtonUp(uint modKeys, TPoint &point);
    void EvLButtonDblClk(uint modKeys, TPoint &point);
    void EvKeyDown(uint key, uint repeatCount, uint flags);
    void EvSetFocus(WPARAM lost);
    void EvKillFocus(WPARAM got);
    void EvTimer(WPARAM id);
    void EvEnable(int enabled);
    void EvCaptureChanged(LPARAM newCapture);

    int BaseOffset;
    int MinPos;
    int MaxPos;
    int Range;
    int Pos;
    TRect Thumb;
    TRegion *ThumbRgn;
    int ThumbBitmapId;
    TDib *ThumbDib;
    TRect Caret;
    int KeyboardOff;
    int SlotStyle;
    int SlotThickness;
    int StartMargin;
    int EndMargin;
    int TickStep;
    int Snap;
    int TickPercent;
    int PlusMinus;
    int PlusMinusDistance;
    int HeldCode;
    UINT_PTR HeldTimer;
    int Dragging;
    int TrackClicked;
    int ForceRedraw;
    TColor Background;

private:
    void EndHeld();

    DECLARE_RESPONSE_TABLE(Slider);
};

class VELTRANE_API HorizontalSlider : public Slider {
public:
    HorizontalSlider(TWindow *parent, int id, int x, int y, int w, int h, int thumbBitmapId, TModule *module = 0);
    int PointToPos(TPoint &point) override;
    TPoint PosToPoint(int position) override;
    void NotifyParent(int code, int position) override;
    int HitTest(TPoint &point) override;
    void PaintSlot(TDC &dc) override;
};

// The top is the maximum.
class VELTRANE_API VerticalSlider : public Slider {
public:
    VerticalSlider(TWindow *parent, int id, int x, int y, int w, int h, int thumbBitmapId, TModule *module = 0);
    int PointToPos(TPoint &point) override;
    TPoint PosToPoint(int position) override;
    void NotifyParent(int code, int position) override;
    int HitTest(TPoint &point) override;
    void PaintSlot(TDC &dc) override;
};
