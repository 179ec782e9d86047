// Tool bars: control bars that dock in rows at the four edges of the main frame (in its
// dock stations) or float in a small frame of their own, are dragged between those
// places, hidden and shown from a context menu listing every tool bar, and keep their
// place in the "Main" settings store.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/SysInfo.h"
#include "bars/ControlBar.h"
#include "bars/ToolbarList.h"

class TContextMenu;
class TDecoratedFrame;
class TDockStation;
class TToolbarFrame;

class VELTRANE_API TToolbar : public TControlBar {
public:
    // Style bits. The dock edge stays while the bar floats or is hidden and names the
    // edge it docks at.
    enum {
        DockLeft = 0x1000,
        DockTop = 0x2000,
        DockRight = 0x4000,
        DockBottom = 0x8000,
        DockEdges = 0xF000,
        Floating = 0x0010,
        Hidden = 0x0020,
        Look3D = 0x0080,
        LineLeft = 0x0100,
        LineTop = 0x0200,
        LineRight = 0x0400,
        LineBottom = 0x0800,
        Lines = 0x0F00,
        // the bits a stored style may change
        PlaceBits = DockEdges | Floating | Hidden
    };
    enum { MaxCases = 32, FirstCommandId = 20310, LastCommandId = 20399, CmToolbarsId = 20304, DragTextId = 19011 };

    TToolbar(TDecoratedFrame *frame, char const *name, unsigned short style, int newRow, TFont *font = new TGadgetWindowFont,
             TModule *module = 0);
    ~TToolbar() override;

    // ---- place
    void SetStyle(unsigned short style, int rememberPosition);
    unsigned short GetStyle() const { return Style; }
    void Show() { SetStyle(Style & ~Hidden, 1); }
    void Hide() { SetStyle(Style | Hidden, 1); }
    void Maximize() { SetStyle(Style | Floating, 1); }
    void Minimize() { SetStyle(Style & ~Floating, 1); }
    int IsHidden() const { return (Style & Hidden) != 0; }
    int IsFloating() const { return (Style & Floating) != 0; }
    static TDockStation *GetDockedStation(unsigned short style);
    TToolbarFrame *GetFloatingFrame() const { return FloatingFrame; }
    void SetFloatingFrame(TToolbarFrame *frame) { FloatingFrame = frame; }

    // ---- floating shapes: case 0 is one row, the last has the most rows
    void SetCaseNo(int n);
    int GetFloatingSize() const { return CurrentCase; }
    // While its frame is being sized: the case only, the frame follows on release.
    void SetCurrentCase(int n) { CurrentCase = n; }
    int GetCaseCount() const { return CaseCount; }
    TSize GetCaseSize(int i) const;
    void CreateCases();

    // ---- accessors
    int GetCommandId() const { return CommandId; }
    unsigned short GetValidAlignment() const { return ValidAlignment; }
    void SetValidAlignment(unsigned short alignment) { ValidAlignment = alignment; }
    TToolbar *GetNextToolbar() const { return NextToolbar; }
    TToolbar *GetPrevToolbar() const { return PrevToolbar; }
    void SetNextToolbar(TToolbar *bar) { NextToolbar = bar; }
    void SetPrevToolbar(TToolbar *bar) { PrevToolbar = bar; }
    int GetNewRow() const { return NewRow; }
    void SetNewRow(int newRow) { NewRow = newRow; }
    int GetDockPosition() const { return DockPosition; }
    void SetDockPosition(int position) { DockPosition = position; }
    int GetFollowerRow() const { return FollowerRow; }
    void SetFollowerRow(int on) { FollowerRow = on; }
    int GetShowDisabled() const { return ShowDisabled; }
    void SetShowDisabled(int show) { ShowDisabled = show; }
    int GetKeepBorders() const { return KeepBorders; }
    void SetKeepBorders(int keep) { KeepBorders = keep; }
    TPoint GetDockedPos() const { return DockedPos; }
    TPoint GetFloatingPos() const { return FloatingPos; }
    void SetFloatingPos(TPoint const &p) { FloatingPos = p; }
    int GetFrameWidth() const { return FrameWidth; }
    int GetFrameHeight() const { return FrameHeight; }
    int GetCaptionHeight() const { return CaptionHeight; }
    char const *GetSettingsKey() const { return SettingsKey; }
    int IsDragging() const { return Dragging; }
    unsigned short GetDragStyle() const { return DragStyle; }
    TRect GetDragRect() const { return DragRect; }
    bool operator==(TToolbar const &other) const { return this == &other; }

    virtual void GetContextMenu(TContextMenu &menu);
    // False while the main window is disabled (a modal run).
    virtual int IsEnabled();

    // The window size for a style and a number of rows (0: as many as the width
    // limit gives); with apply the gadgets are placed.
    TSize Compose(unsigned short style, int rows, int *rowCount, int apply);
    void GetGadgetTotals(unsigned short style, int &total, TSize &smallest, TSize &largest);

    // ---- window
    char const *GetClassNameA() override;
    void GetWindowClass(WNDCLASSA &wc) override;
    void SetupWindow() override;
    void CleanupWindow() override;
    void Paint(TDC &dc, int erase, TRect &rect) override;
    int PreProcessMsg(MSG &msg) override;
    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void EvCommandEnable(TCommandEnabler &ce) override;
    void GetDesiredSize(TSize &size) override;
    void GetInnerRect(TRect &rect) override;
    TRect TileGadgets() override;

    void EvLButtonDown(uint modKeys, TPoint &point);
    void EvLButtonUp(uint modKeys, TPoint &point);
    void EvLButtonDblClk(uint modKeys, TPoint &point);
    void EvMouseMove(uint modKeys, TPoint &point);
    void EvSysColorChange();
    void EvCaptureChanged(LPARAM newCapture);
    void CmToolbars();

    // ---- dragging
    void DrawDragRect(TRect const &rect, unsigned short style, int eraseOld);
    void DrawFocus(HDC dc, TRect const &rect, unsigned short style);

    // ---- the process's tool bars
    static TDockStation *LeftDock;
    static TDockStation *TopDock;
    static TDockStation *RightDock;
    static TDockStation *BottomDock;
    static TDecoratedFrame *MainWindow;
    static TToolbarArray ToolbarArray;
    static int CreationCount;
    static int CascadeOffset;

protected:
    // The row of a drag move; with control set no docking is tried.
    void DragTo(TPoint const &screen, int control);
    TRect GetDockingArea() const;
    // Takes the drag frame and the drag's status text away.
    void EndDrag();
    // Rows of the current floating case; 0 when docked or outside the cases.
    int CurrentRows() const;

    int CommandId = FirstCommandId + CreationCount;
    unsigned short ValidAlignment = DockEdges;
    TWindow *HintedControl = 0;
    TToolbarFrame *FloatingFrame = 0;
    TToolbar *NextToolbar = 0;
    TToolbar *PrevToolbar = 0;
    int NewRow;
    int DockPosition = -1;
    int Dragging = 0;
    HBITMAP DragBitmap = 0;
    HBRUSH DragBrush = 0;
    unsigned short DragStyle;
    TPoint LastPoint;
    TRect DragRect{0, 0, 0, 0};
    TSize HorzSize{0, 0};
    TSize VertSize{0, 0};
    TRect DockingArea{0, 0, 0, 0};
    int FrameWidth = ::GetSystemMetrics(SM_CXFRAME);
    int FrameHeight = ::GetSystemMetrics(SM_CYFRAME);
    int CaptionHeight = ::GetSystemMetrics(SM_CYCAPTION) / 2 + 4 - (_win95 ? 0 : 2);
    unsigned short Style;
    int CaseCount = 0;
    // the first CaseCount are set by CreateCases
    TSize CaseSizes[MaxCases];
    int CaseRows[MaxCases];
    int CurrentCase = 0;
    TPoint DockedPos;
    TPoint FloatingPos{-1, -1};
    char *SettingsKey;
    int ShowDisabled = 1;
    int FollowerRow = 0;
    int KeepBorders = 0;

private:
    // The place kept in the "Main" store overrides the place asked for.
    void LoadPlace(unsigned short style, int newRow);
    // A stored floating position off the present screen is forgotten.
    void ForgetOffscreenFloatingPos();

    // the last frame drawn by DrawDragRect, to erase it
    TRect ShownDragRect{0, 0, 0, 0};
    unsigned short ShownDragStyle = 0;
    int DragShown = 0;

    DECLARE_RESPONSE_TABLE(TToolbar);
};

// All four borders of every gadget of the window become `width` border units.
VELTRANE_API void ResizeBorders(TGadgetWindow &window, int width);

// Border lines of bars and dock stations (style bits 0x0F00, etched with 0x0080).
VELTRANE_API void DrawBarEdges(TDC &dc, TRect r, unsigned short style);
// Shrinks r by the non-client room of a bar or station: edges shared with the frame's
// client area and the border lines of the style.
VELTRANE_API void CalcBarNonClient(TWindow *bar, TRect &r, unsigned short style, int empty);
