// The window that owns a list of gadgets: it lays them out in a row, a column or
// wrapped rows, paints them, routes the mouse to them, gives each a tooltip tool and
// passes their commands to the frame.
#pragma once

#include "bars/Gadget.h"

#include "core/GdiObject.h"
#include "core/Window.h"

#include <vector>

class TCelArray;
class TTooltip;

// A singly linked list of gadgets; copying copies the two words (the gadgets are shared).
class VELTRANE_API TGadgetList {
public:
    enum TPlacement { Before, After };

    TGadgetList() : Gadgets(0), NumGadgets(0) {}
    virtual ~TGadgetList() {}

    // Virtual operations, in their slot order.
    virtual void Insert(TGadget &gadget, TPlacement placement = After, TGadget *sibling = 0);
    virtual void InsertFrom(TGadgetList &list, TPlacement placement = After, TGadget *sibling = 0);
    virtual TGadget *Remove(TGadget &gadget);
    virtual void Inserted(TGadget &gadget);
    virtual void Removed(TGadget &gadget);

    // The first gadget, in list order, whose PtIn takes the point.
    TGadget *GadgetFromPoint(TPoint const &point) const;
    TGadget *GadgetWithId(int id) const;
    TGadget *operator[](unsigned index) const;
    unsigned GadgetCount() const { return NumGadgets; }
    TGadget *FirstGadget() const { return Gadgets; }
    TGadget *NextGadget(TGadget &gadget) const { return gadget.Next; }

protected:
    // Links without announcing.
    void Link(TGadget &gadget, TPlacement placement, TGadget *sibling);
    TGadget *Unlink(TGadget &gadget);

    TGadget *Gadgets;
    unsigned NumGadgets;
};

// "MS Sans Serif" of a point size on the screen.
class VELTRANE_API TGadgetWindowFont : public TFont {
public:
    TGadgetWindowFont(int pointSize = 10, int bold = 0, int italic = 0);
};

class VELTRANE_API TGadgetWindow : public TGadgetList, virtual public TWindow {
public:
    enum TTileDirection { Horizontal, Vertical, Rectangular };
    // When button gadgets show their command's hint: never, while pressed, on entering.
    enum THintMode { NoHints, PressHints, EnterHints };
    enum { TimerId = 47818 };

    struct TLayoutInfo {
        TSize DesiredSize;
        std::vector<TRect> GadgetBounds;  // one per gadget, in list order
    };

    // A null font gets a 6-point gadget font; the window owns the font either way.
    TGadgetWindow(TWindow *parent = 0, TTileDirection direction = Horizontal, TFont *font = new TGadgetWindowFont,
                  TModule *module = 0);
    ~TGadgetWindow() override;

    // TGadgetList
    void Insert(TGadget &gadget, TPlacement placement = After, TGadget *sibling = 0) override;
    void InsertFrom(TGadgetList &list, TPlacement placement = After, TGadget *sibling = 0) override;
    TGadget *Remove(TGadget &gadget) override;
    void Inserted(TGadget &gadget) override;
    void Removed(TGadget &gadget) override;

    // Virtual operations added, in their slot order.
    virtual void SetDirection(TTileDirection direction);
    virtual void SetCelArray(TCelArray *cels);
    virtual TCelArray &GetCelArray(int cx = 0, int cy = 0);
    virtual void LayoutSession();
    virtual void GetDesiredSize(TSize &size);
    virtual void PaintGadgets(TDC &dc, int erase, TRect &rect);
    virtual void GetInnerRect(TRect &rect);
    virtual void LayoutGadgets(TTileDirection direction, TLayoutInfo &layout);
    virtual TRect TileGadgets();
    // Adjusts the running position between two neighbours.
    virtual void PositionGadget(TGadget *previous, TGadget *next, TPoint &point);

    // TWindow
    int Create() override;
    int IdleAction(long idleCount) override;
    int PreProcessMsg(MSG &msg) override;
    void SetupWindow() override;
    void CleanupWindow() override;
    void Paint(TDC &dc, int erase, TRect &rect) override;
    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    LRESULT EvNotify(uint id, TNotify &info) override;
    void EvCommandEnable(TCommandEnabler &ce) override;

    TTileDirection GetDirection() const { return TTileDirection(Direction); }
    void SetMargins(TMargins const &margins);
    TMargins const &GetMargins() const { return Margins; }
    void SetShrinkWrap(int width, int height);
    void SetHintMode(THintMode mode) { HintMode = uint8_t(mode); }
    THintMode GetHintMode() const { return THintMode(HintMode); }
    TFont &GetFont() const { return *Font; }
    int GetFontHeight() const { return FontHeight; }
    int LayoutUnitsToPixels(int units) const { return (units * FontHeight + 4) / 8; }
    // A negative row margin keeps the old one.
    void SetRectangularDimensions(int rowWidth, int ignored = -1, int rowMargin = -1);
    int IsLayoutDirty() const { return DirtyLayout; }
    int GetWideAsPossibleCount() const { return WideAsPossible; }
    TGadget *GetCapture() const { return Capture; }
    TGadget *GetAtMouse() const { return AtMouse; }

    // 0 when another gadget already holds the mouse.
    int GadgetSetCapture(TGadget &gadget);
    void GadgetReleaseCapture(TGadget &gadget);
    void GadgetChangedSize(TGadget &gadget);
    // Shows (or, when not positive, clears) a command's hint in the nearest decorated frame.
    void SetHintCommand(int id);

    void EnableTooltip(int enable = 1);
    void SetTooltip(TTooltip *tooltip);
    TTooltip *GetTooltip() const { return Tooltip; }
    // Non-zero when the idle timer runs.
    int EnableTimer();
    // Writes the shrink-wrapped dimensions of the desired size into the attributes.
    void UseDesiredSize();
    // A shrink-wrapped dimension that differs from the desired size is written, the
    // gadgets are laid out again and the window is resized in place.
    void FollowDesiredSize();

    // Tooltip tools of the gadgets (the ids 0, -1 and 30000 to 30999 have none).
    static int HasTool(TGadget const &gadget);
    void AddTool(TGadget &gadget);
    void MoveTool(TGadget &gadget);
    void RemoveTool(TGadget &gadget);
    // Relays a mouse message of this window or a child to the tooltip.
    void RelayToTooltip(MSG &msg);

    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvLButtonUp(uint modKeys, TPoint &point);
    void EvLButtonDblClk(uint modKeys, TPoint &point);
    void EvRButtonDown(uint modKeys, TPoint &point);
    void EvRButtonUp(uint modKeys, TPoint &point);
    void EvMouseMove(uint modKeys, TPoint &point);
    // Another window took the mouse: the gadget that held it is told.
    void EvCaptureChanged(LPARAM newCapture);
    void EvWindowPosChanging(void *windowPos);
    void EvSysColorChange();

protected:
    // Gives a gadget its tiled bounds, collecting the new and the old place (an old
    // one at the origin was never shown) into the area to repaint.
    static void TileGadget(TGadget &gadget, TRect const &bounds, TRect &area);
    enum TButton { LeftDown, LeftUp, RightDown, RightUp };
    // The capture gadget, else the one under the point, when enabled or capturing.
    void RouteButton(TButton button, uint modKeys, TPoint const &point);
    // What every layout starts from: the inner rectangle, the margins in pixels, where
    // the first gadget goes, and each gadget's desired size with the largest of them.
    struct TLayoutStart {
        TRect Inner;
        int Left = 0, Right = 0, Top = 0, Bottom = 0;
        TPoint Origin;
        std::vector<TSize> Sizes;
        TSize Largest;
    };
    void StartLayout(TLayoutStart &start);
    void LayoutHorizontally(TLayoutInfo &layout);
    void LayoutVertically(TLayoutInfo &layout);
    // Places the gadgets one after another on a row (centred in its height, wide
    // gadgets at least wideWidth) or down a column (centred in its width).
    void PlaceInLine(TLayoutInfo &layout, TLayoutStart const &start, bool horizontal, int wideWidth);
    void LayoutRectangularly(TLayoutInfo &layout);

    TFont *Font;
    TGadget *Capture;
    TGadget *AtMouse;
    TMargins Margins;
    uint8_t FontHeight;
    uint8_t ShrinkWrapWidth;
    uint8_t ShrinkWrapHeight;
    uint8_t WideAsPossible;
    uint8_t DirtyLayout;
    uint8_t Direction;
    uint8_t HintMode;
    TCelArray *SharedCels;
    TTooltip *Tooltip;
    int WantTooltip;
    int RowWidth;
    int RowMargin;
    int WantTimer;
    int TimerIdSet;

private:
    DECLARE_RESPONSE_TABLE(TGadgetWindow);
};

// A gadget window that sits like a control inside another window.
class VELTRANE_API TGadgetControl : public TGadgetWindow {
public:
    TGadgetControl(TWindow *parent = 0, TGadget *gadget = 0, TFont *font = new TGadgetWindowFont,
                   TModule *module = 0);
};
