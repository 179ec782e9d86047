// Window-less elements of a gadget window (text fields, bitmaps, buttons,
// separators, hosted controls) and the margins they and their windows use.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/BorderStyle.h"
#include "core/Geometry.h"

#include <windows.h>

#include <cstdint>

class TDC;
class TGadgetWindow;

typedef unsigned int uint;

// Space around content, in pixels, in eighths of the font height or in system borders.
class VELTRANE_API TMargins {
public:
    enum TUnits { Pixels, LayoutUnits, BorderUnits };

    TMargins() : Units(LayoutUnits), Left(0), Right(0), Top(0), Bottom(0) {}
    TMargins(TUnits units, int left, int right, int top, int bottom)
        : Units(units), Left(int8_t(left)), Right(int8_t(right)), Top(int8_t(top)), Bottom(int8_t(bottom)) {}

    void GetPixels(int &left, int &right, int &top, int &bottom, int fontHeight) const;

    TUnits Units;
    int8_t Left;
    int8_t Right;
    int8_t Top;
    int8_t Bottom;
};

class VELTRANE_API TGadget : public TBorderStyles {
public:
    // Styles Raised and above are painted by TUIBorder.
    typedef TStyle TBorderStyle;
    // Thickness of the border on each side, in system borders.
    struct TBorders {
        uint8_t Left = 0, Right = 0, Top = 0, Bottom = 0;
    };
    enum TFlag { Enabled = 0x01, Visible = 0x02, EndOfRow = 0x04 };

    TGadget(int id = 0, TBorderStyle style = None);
    virtual ~TGadget();
    // A gadget is linked into one window and owns what it shows: no copies.
    TGadget(TGadget const &) = delete;
    TGadget &operator=(TGadget const &) = delete;

    // Virtual operations, in their slot order.
    virtual void SetEnabled(int enabled);
    virtual void GetDesiredSize(TSize &size);
    virtual void SetBounds(TRect const &rect);
    virtual int IdleAction(long idleCount);
    virtual void CommandEnable();
    virtual void SysColorChange();
    virtual void Created();
    virtual void Inserted();
    virtual void Moved();
    virtual void Removed();
    virtual int PtIn(TPoint const &point);
    virtual void Paint(TDC &dc);
    virtual void PaintBorder(TDC &dc);
    virtual void MouseEnter(uint modKeys, TPoint const &point);
    virtual void MouseMove(uint modKeys, TPoint const &point);
    virtual void MouseLeave(uint modKeys, TPoint const &point);
    virtual void LButtonDown(uint modKeys, TPoint const &point);
    virtual void RButtonDown(uint modKeys, TPoint const &point);
    virtual void LButtonUp(uint modKeys, TPoint const &point);
    virtual void RButtonUp(uint modKeys, TPoint const &point);
    // The window lost the mouse while this gadget held it (another window took it: a box,
    // a task switch); the gadget no longer holds it.
    virtual void CaptureLost();

    int GetId() const { return Id; }
    TRect const &GetBounds() const { return Bounds; }
    TBorders const &GetBorders() const { return Borders; }
    TMargins const &GetMargins() const { return Margins; }
    TBorderStyle GetBorderStyle() const { return BorderStyle; }
    int GetEnabled() const { return (Flags & Enabled) != 0; }
    int IsVisible() const { return (Flags & Visible) != 0; }
    int IsEndOfRow() const { return (Flags & EndOfRow) != 0; }
    TGadget *NextGadget() const { return Next; }
    TGadgetWindow *GetGadgetWindow() const { return Window; }
    int GetTrackMouse() const { return TrackMouse; }
    void SetTrackMouse(int track) { TrackMouse = track; }

    void SetVisible(int visible);
    void SetEndOfRow(int end);
    void SetShrinkWrap(int width, int height);
    void SetSize(TSize const &size);
    void SetBorders(TBorders const &borders);
    void SetMargins(TMargins const &margins);
    void SetBorderStyle(TBorderStyle style);

    // Margins in pixels plus borders, per side; all 0 outside a window.
    void GetOuterSizes(int &left, int &right, int &top, int &bottom);
    // The area inside borders and margins, with 0, 0 at the gadget's top-left.
    void GetInnerRect(TRect &rect);

    void Invalidate(int erase = 1);
    void InvalidateRect(TRect const &rect, int erase = 1);
    void Update();

    int Clip;
    int WideAsPossible;
    int ShrinkWrapWidth;
    int ShrinkWrapHeight;

protected:
    TGadgetWindow *Window;
    TRect Bounds;
    TBorderStyle BorderStyle;
    TBorders Borders;
    TMargins Margins;
    int TrackMouse;
    int Id;

private:
    friend class TGadgetList;
    friend class TGadgetWindow;
    TGadget *Next;

protected:
    uint16_t Flags;
};

// An empty, disabled and invisible square; a row break in the rectangular layout.
class VELTRANE_API TSeparatorGadget : public TGadget {
public:
    // Size 0: twice the sizing-frame width.
    TSeparatorGadget(int size = 0, int id = 0);
    void Inserted() override;
};

// The size grip at the right end of a status bar.
class VELTRANE_API TSizeGripGadget : public TSeparatorGadget {
public:
    enum { DefaultId = 30007 };
    TSizeGripGadget(int id = DefaultId);
    void Paint(TDC &dc) override;
};
