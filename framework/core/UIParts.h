// The 3-D look of the user interface: borders, button faces, grab handles,
// frame controls and named system metrics. Each part tries the system's own
// drawing first and draws by itself where the system lacks the service.
#pragma once

#include "core/BorderStyle.h"
#include "core/Dc.h"

class VELTRANE_API TUIBorder : public TBorderStyles {
public:
    enum TEdge {
        RaisedOuter = 0x01,
        SunkenOuter = 0x02,
        RaisedInner = 0x04,
        SunkenInner = 0x08,
        EdgeOuter = 0x03,
        EdgeInner = 0x0C,
        EdgeRaised = RaisedOuter | RaisedInner,
        EdgeSunken = SunkenOuter | SunkenInner,
        EdgeEtched = SunkenOuter | RaisedInner,
        EdgeBump = RaisedOuter | SunkenInner,
    };
    enum TFlag {
        Left = 0x0001,
        Top = 0x0002,
        Right = 0x0004,
        Bottom = 0x0008,
        TopLeft = Top | Left,
        TopRight = Top | Right,
        BottomLeft = Bottom | Left,
        BottomRight = Bottom | Right,
        Rect = Left | Top | Right | Bottom,
        Sides = Rect,
        Middle = 0x0800,
        Soft = 0x1000,
        Adjust = 0x2000,
        Flat = 0x4000,
        Mono = 0x8000,
    };
    TUIBorder(const TRect &frame, TStyle style, unsigned flags = 0);
    TUIBorder(const TRect &frame, TEdge edge, unsigned flags = 0);

    void Move(int dx, int dy) { Frame.Offset(dx, dy); }
    void MoveTo(int x, int y) { Frame.MoveTo(x, y); }
    void Size(int w, int h) { Frame.right = Frame.left + w, Frame.bottom = Frame.top + h; }
    TRect GetBoundingRect() const { return Frame; }
    TRect GetClientRect() const;
    unsigned GetEdge() const { return Edge; }
    unsigned GetFlags() const { return Flags; }

    void Paint(TDC &dc) const;
    static bool DrawEdge(TDC &dc, const TRect &frame, unsigned edge, unsigned flags);
    static void PaintFrame(TDC &dc, const TRect &frame, unsigned flags, const TColor &tlColor,
                           const TColor &brColor);
    static void PaintFrameC(TDC &dc, const TRect &frame, unsigned flags, const TColor &tlColor,
                            const TColor &brColor, const TColor &bcColor);

private:
    TRect Frame;
    unsigned Edge;
    unsigned Flags;
};

class VELTRANE_API TUIFace {
public:
    enum TState { Normal, Down, Indeterm, Disabled, Default };

    TUIFace(const TRect &faceRect, const TBitmap &bm, const TColor &maskColor = TColor::LtGray,
            const TColor &fillColor = TColor::Sys3dFace);
    TUIFace(const TRect &faceRect, const char *text, const TColor &fillColor = TColor::Sys3dFace);
    TUIFace(const TRect &faceRect, const TIcon &icon, const TColor &maskColor = TColor::LtGray,
            const TColor &fillColor = TColor::Sys3dFace);

    void Paint(TDC &dc, const TPoint &offset, TState state, bool pressed, bool fillFace = true);
    void Paint(TDC &dc, const TRect &srcRect, const TPoint &offset, TState state, bool pressed,
               bool fillFace = true);
    void PaintMask(TDC &dc, const TPoint &point);

    static void PaintBm(const TBitmap &glyph, const TRect &srcRect, TDC &dc, const TRect &faceRect,
                        const TPoint &offset, TState state, bool pressed, bool fillFace, const TColor &maskColor,
                        const TColor &fillColor);
    static void PaintMaskBm(const TBitmap &glyph, TDC &dc, const TPoint &point, const TColor &maskColor);
    static void BuildMask(TDC &maskDC, const TPoint &maskDst, const TSize &maskSize, TDC &glyphDC,
                          const TRect &glyphRect, const TColor &maskColor);
    static void FillBackground(TDC &dc, TDC &maskDC, const TRect &dstRect, const TBrush &brush);
    static void DitherBackground(TDC &dc, TDC &maskDC, const TRect &dstRect);
    static TBrush &GetDitherBrush();
    static TBitmap &GetGlyphMask(const TSize &minSize);
    static int DrawTextEtched(TDC &dc, const char *text, int count, const TRect &rect, unsigned short format);
    static bool Draw(TDC &dc, HBRUSH brush, LPARAM data, WPARAM data2, int x, int y, int cx, int cy,
                     unsigned flags);

private:
    void PaintText(TDC &dc, const TPoint &offset, TState state, bool pressed, bool fillFace);

    TRect Face;
    const char *Text;
    const TBitmap *Bm;
    const TIcon *Icon;
    TColor MaskColor;
    TColor FillColor;
};

class VELTRANE_API TUIHandle {
public:
    enum TStyle {
        HandlesOut = 0x01,
        Framed = 0x02,
        DashFramed = 0x04,
        Grapples = 0x08,
        HatchBorder = 0x10,
        HatchRect = 0x20,
        InsideSpecial = 0x40,
    };
    enum TWhere {
        Nowhere = -1,
        Inside = -2,
        TopLeft = 0,
        TopCenter = 1,
        TopRight = 2,
        MidLeft = 3,
        MidCenter = 4,
        MidRight = 5,
        BottomLeft = 6,
        BottomCenter = 7,
        BottomRight = 8,
    };

    TUIHandle(const TRect &frame, unsigned style, int thickness = 5);

    void Move(int dx, int dy) { Frame.Offset(dx, dy); }
    void MoveTo(int x, int y) { Frame.MoveTo(x, y); }
    void Size(int w, int h) { Frame.right = Frame.left + w, Frame.bottom = Frame.top + h; }
    TRect GetBoundingRect() const;
    TWhere HitTest(const TPoint &point) const;
    static unsigned GetCursorId(TWhere where);
    void Paint(TDC &dc) const;

private:
    TRect Frame;
    unsigned Style;
    TSize HandleBox;
};

class VELTRANE_API TUIPart {
public:
    enum TType { Caption = DFC_CAPTION, Menu = DFC_MENU, Scroll = DFC_SCROLL, Button = DFC_BUTTON };
    enum TState {
        // caption
        CaptionClose = DFCS_CAPTIONCLOSE,
        CaptionMin = DFCS_CAPTIONMIN,
        CaptionMax = DFCS_CAPTIONMAX,
        CaptionRestore = DFCS_CAPTIONRESTORE,
        CaptionHelp = DFCS_CAPTIONHELP,
        // menu
        MenuArrow = DFCS_MENUARROW,
        MenuCheck = DFCS_MENUCHECK,
        MenuBullet = DFCS_MENUBULLET,
        // scroll
        ScrollUp = DFCS_SCROLLUP,
        ScrollDown = DFCS_SCROLLDOWN,
        ScrollLeft = DFCS_SCROLLLEFT,
        ScrollRight = DFCS_SCROLLRIGHT,
        ScrollCombo = DFCS_SCROLLCOMBOBOX,
        ScrollSizeGrip = DFCS_SCROLLSIZEGRIP,
        // button
        ButtonCheck = DFCS_BUTTONCHECK,
        ButtonRadioImage = DFCS_BUTTONRADIOIMAGE,
        ButtonRadioMask = DFCS_BUTTONRADIOMASK,
        ButtonRadio = DFCS_BUTTONRADIO,
        Button3State = DFCS_BUTTON3STATE,
        ButtonPush = DFCS_BUTTONPUSH,
        // modifiers
        Inactive = DFCS_INACTIVE,
        Pushed = DFCS_PUSHED,
        Checked = DFCS_CHECKED,
        AdjustRect = DFCS_ADJUSTRECT,
        Flat = DFCS_FLAT,
        Mono = DFCS_MONO,
    };

    bool Paint(TDC &dc, TRect &rect, TType type, TState state) { return DrawFrameControl(dc, rect, type, state); }
    static bool DrawFrameControl(TDC &dc, TRect &rect, TType type, TState state);
};

class VELTRANE_API TUIMetric {
public:
    explicit TUIMetric(int index) : Index(index) {}
    int Get() const { return ::GetSystemMetrics(Index); }
    operator int() const { return Get(); }
    static int Get(int index) { return ::GetSystemMetrics(index); }

    static const TUIMetric CxScreen, CyScreen, CxVScroll, CyHScroll, CyCaption, CxBorder, CyBorder, CxFixedFrame,
        CyFixedFrame, CyVThumb, CxHThumb, CxIcon, CyIcon, CxCursor, CyCursor, CyMenu, CxFullScreen, CyFullScreen,
        CyKanjiWindow, MousePresent, CyVScroll, CxHScroll, Debug, SwapButton, Reserved1, Reserved2, Reserved3,
        Reserved4, CxMin, CyMin, CxSize, CySize, CxSizeFrame, CySizeFrame, CxMinTrack, CyMinTrack, CxDoubleClk,
        CyDoubleClk, CxIconSpacing, CyIconSpacing, MenuDropAlignment, PenWindows, DbcsEnabled, CMouseButtons, Secure,
        CxEdge, CyEdge, CxMinSpacing, CyMinSpacing, CxSmIcon, CySmIcon, CySmCaption, CxSmSize, CySmSize, CxMenuSize,
        CyMenuSize, Arrange, CxMinimized, CyMinimized, CxMaxTrack, CyMaxTrack, CxMaximized, CyMaximized, ShowSounds,
        KeyboardPref, HighContrast, ScreenReader, CleanBoot, CxDrag, CyDrag, Network, CxMenuCheck, CyMenuCheck,
        SlowMachine, MideastEnabled;

private:
    int Index;
};

// Whether the system's edge, state and frame-control drawing are used. A
// service that answers "not implemented" is switched off for the process;
// tests switch all three off to check the framework's own drawing.
VELTRANE_API void SetUISystemDrawing(bool available);

// One-pixel strips drawn by opaque text output. The sides use the border
// flags (left 1, top 2, right 4, bottom 8); each drawn side moves in by one.
VELTRANE_API bool DrawEdgeStrips(TDC &dc, TRect &rect, unsigned sides, const TColor &tlColor,
                                 const TColor &brColor);
// The hand-drawn edge of tool-bar buttons. Options: the sides (as above),
// 0x10 fill the inside with the window colour, 0x20 hand back the inner
// rectangle, 0x80 swap the two top-left colours.
VELTRANE_API void DrawButtonEdge(TDC &dc, TRect &rect, unsigned edge, unsigned options);
