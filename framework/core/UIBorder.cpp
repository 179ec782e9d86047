#include "core/UIParts.h"
#include "core/UISystemDrawing.h"

#include <utility>

namespace UISystemDrawing {
bool EdgeAvailable = true;
bool StateAvailable = true;
bool FrameControlAvailable = true;
}  // namespace UISystemDrawing

void SetUISystemDrawing(bool available) {
    UISystemDrawing::EdgeAvailable = available;
    UISystemDrawing::StateAvailable = available;
    UISystemDrawing::FrameControlAvailable = available;
}

// --- TUIBorder ---

namespace {
struct TStyleEdge {
    unsigned Edge;
    unsigned Flags;
};
const TStyleEdge StyleEdges[] = {
    {0, 0},
    {0, 0},
    {TUIBorder::RaisedOuter, 0},
    {TUIBorder::SunkenOuter, 0},
    {TUIBorder::EdgeBump, 0},
    {TUIBorder::EdgeEtched, 0},
    {TUIBorder::EdgeRaised, TUIBorder::Soft},
    {TUIBorder::EdgeSunken, TUIBorder::Soft},
    {TUIBorder::EdgeRaised, 0},
    {TUIBorder::EdgeSunken, 0},
    {TUIBorder::EdgeEtched, 0},
};

unsigned WithSides(unsigned flags) { return flags & TUIBorder::Sides ? flags : flags | TUIBorder::Sides; }

// The (top-left, bottom-right) colours of one edge.
struct TEdgeColors {
    TColor TopLeft;
    TColor BottomRight;
};

TEdgeColors OuterColors(bool sunken, bool soft) {
    if (sunken)
        return soft ? TEdgeColors{TColor::Sys3dDkShadow, TColor::Sys3dHilight}
                    : TEdgeColors{TColor::Sys3dShadow, TColor::Sys3dHilight};
    return soft ? TEdgeColors{TColor::Sys3dHilight, TColor::Sys3dDkShadow}
                : TEdgeColors{TColor::Sys3dLight, TColor::Sys3dDkShadow};
}

TEdgeColors InnerColors(bool sunken, bool soft) {
    if (sunken)
        return soft ? TEdgeColors{TColor::Sys3dShadow, TColor::Sys3dLight}
                    : TEdgeColors{TColor::Sys3dDkShadow, TColor::Sys3dLight};
    return soft ? TEdgeColors{TColor::Sys3dLight, TColor::Sys3dShadow}
                : TEdgeColors{TColor::Sys3dHilight, TColor::Sys3dShadow};
}

void PatStrip(TDC &dc, int x, int y, int w, int h) {
    if (w > 0 && h > 0)
        dc.PatBlt(x, y, w, h, PATCOPY);
}
}  // namespace

TUIBorder::TUIBorder(const TRect &frame, TStyle style, unsigned flags)
    : Frame(frame), Edge(0), Flags(0) {
    const TStyleEdge &entry = StyleEdges[unsigned(style) < 11 ? style : 0];
    Edge = entry.Edge;
    Flags = WithSides(flags) | entry.Flags;
}

TUIBorder::TUIBorder(const TRect &frame, TEdge edge, unsigned flags)
    : Frame(frame), Edge(edge), Flags(WithSides(flags)) {}

TRect TUIBorder::GetClientRect() const {
    int inset = (Edge & EdgeOuter ? 1 : 0) + (Edge & EdgeInner ? 1 : 0);
    return Frame.InflatedBy(-inset, -inset);
}

void TUIBorder::Paint(TDC &dc) const { DrawEdge(dc, Frame, Edge, Flags); }

bool TUIBorder::DrawEdge(TDC &dc, const TRect &frame, unsigned edge, unsigned flags) {
    RECT system = frame;
    switch (UISystemDrawing::Call(UISystemDrawing::EdgeAvailable,
                                  [&] { return ::DrawEdge(dc, &system, edge, flags) != 0; })) {
    case UISystemDrawing::Done: return true;
    case UISystemDrawing::Failed: return false;
    case UISystemDrawing::NotImplemented: break;
    }

    TRect r = frame;
    if (flags & (Mono | Flat)) {
        TColor line = flags & Mono ? TColor::SysWindowFrame : TColor::Sys3dShadow;
        if (edge & EdgeOuter) {
            PaintFrame(dc, r, flags, line, line);
            r.Inflate(-1, -1);
        }
        if (flags & Middle)
            dc.FillRect(r, TBrush(flags & Mono ? TColor::SysWindow : TColor::Sys3dFace));
        return true;
    }
    bool soft = (flags & Soft) != 0;
    if (edge & EdgeOuter) {
        TEdgeColors colors = OuterColors((edge & SunkenOuter) != 0, soft);
        PaintFrame(dc, r, flags, colors.TopLeft, colors.BottomRight);
        r.Inflate(-1, -1);
    }
    if (edge & EdgeInner) {
        TEdgeColors colors = InnerColors((edge & SunkenInner) != 0, soft);
        PaintFrame(dc, r, flags, colors.TopLeft, colors.BottomRight);
        r.Inflate(-1, -1);
    }
    if (flags & Middle)
        dc.FillRect(r, TBrush(TColor::Sys3dFace));
    return true;
}

void TUIBorder::PaintFrame(TDC &dc, const TRect &r, unsigned flags, const TColor &tlColor,
                           const TColor &brColor) {
    if (flags & (Top | Left)) {
        TBrush brush(tlColor);
        dc.SelectObject(brush);
        if (flags & Top)
            PatStrip(dc, r.left, r.top, r.Width() - 1, 1);
        if (flags & Left)
            PatStrip(dc, r.left, r.top + 1, 1, r.Height() - 2);
        dc.RestoreBrush();
    }
    if (flags & (Bottom | Right)) {
        TBrush brush(brColor);
        dc.SelectObject(brush);
        if (flags & Bottom)
            PatStrip(dc, r.left, r.bottom - 1, r.Width(), 1);
        if (flags & Right)
            PatStrip(dc, r.right - 1, r.top, 1, r.Height() - 1);
        dc.RestoreBrush();
    }
}

void TUIBorder::PaintFrameC(TDC &dc, const TRect &r, unsigned flags, const TColor &tlColor,
                            const TColor &brColor, const TColor &bcColor) {
    if (flags & (Top | Left)) {
        TBrush brush(tlColor);
        dc.SelectObject(brush);
        if (flags & Top) {
            PatStrip(dc, r.left, r.top, r.Width() - 2, 1);
            dc.SetPixel(r.right - 1, r.top, bcColor);
        }
        if (flags & Left)
            PatStrip(dc, r.left, r.top + 1, 1, r.Height() - 2);
        dc.RestoreBrush();
    }
    if (flags & (Bottom | Right)) {
        TBrush brush(brColor);
        dc.SelectObject(brush);
        if (flags & Bottom) {
            dc.SetPixel(r.left, r.bottom - 1, bcColor);
            // Starts one in from the corner pixel and stops at the right edge.
            PatStrip(dc, r.left + 1, r.bottom - 1, r.Width() - 1, 1);
        }
        if (flags & Right)
            PatStrip(dc, r.right - 1, r.top, 1, r.Height() - 1);
        dc.RestoreBrush();
    }
}

// --- TUIPart ---

bool TUIPart::DrawFrameControl(TDC &dc, TRect &rect, TType type, TState state) {
    return UISystemDrawing::Call(UISystemDrawing::FrameControlAvailable, [&] {
               return ::DrawFrameControl(dc, &rect, type, state) != 0;
           }) == UISystemDrawing::Done;
}

// --- Edge strips ---

bool DrawEdgeStrips(TDC &dc, TRect &rect, unsigned sides, const TColor &tlColor, const TColor &brColor) {
    const TRect entry = rect;
    bool result = true;
    auto strip = [&](const TColor &color, int l, int t, int r, int b) {
        dc.SetBkColor(color);
        result = dc.TextRect(l, t, r, b);
    };
    if (sides & TUIBorder::Left) {
        strip(tlColor, entry.left, entry.top, entry.left + 1, entry.bottom);
        ++rect.left;
    }
    if (sides & TUIBorder::Top) {
        strip(tlColor, entry.left, entry.top, entry.right, entry.top + 1);
        ++rect.top;
    }
    if (sides & TUIBorder::Right) {
        strip(brColor, entry.right - 1, entry.top, entry.right, entry.bottom);
        --rect.right;
    }
    if (sides & TUIBorder::Bottom) {
        strip(brColor, entry.left, entry.bottom - 1, entry.right, entry.bottom);
        --rect.bottom;
    }
    return result;
}

void DrawButtonEdge(TDC &dc, TRect &rect, unsigned edge, unsigned options) {
    TColor face = TColor::Sys3dFace.Rgb(), shadow = TColor::Sys3dShadow.Rgb();
    TColor highlight = TColor::Sys3dHilight.Rgb(), frame = TColor::SysWindowFrame.Rgb();
    TColor outerTl, outerBr, innerTl, innerBr;
    if (edge & TUIBorder::RaisedInner)
        outerTl = face, outerBr = frame;
    else
        outerTl = shadow, outerBr = highlight;
    if (edge & TUIBorder::RaisedOuter)
        innerTl = highlight, innerBr = shadow;
    else
        innerTl = frame, innerBr = face;
    if (options & 0x80)
        std::swap(outerTl, innerTl);

    TColor oldBk = dc.GetBkColor();
    TRect r = rect;
    unsigned sides = options & TUIBorder::Sides;
    if (edge & TUIBorder::EdgeInner)
        DrawEdgeStrips(dc, r, sides, outerTl, outerBr);
    if (edge & TUIBorder::EdgeOuter)
        DrawEdgeStrips(dc, r, sides, innerTl, innerBr);
    if (options & 0x10)
        dc.TextRect(r, TColor::SysWindow.Rgb());
    dc.SetBkColor(oldBk);
    if (options & 0x20)
        rect = r;
}

// --- TUIMetric ---

const TUIMetric TUIMetric::CxScreen(SM_CXSCREEN), TUIMetric::CyScreen(SM_CYSCREEN),
    TUIMetric::CxVScroll(SM_CXVSCROLL), TUIMetric::CyHScroll(SM_CYHSCROLL), TUIMetric::CyCaption(SM_CYCAPTION),
    TUIMetric::CxBorder(SM_CXBORDER), TUIMetric::CyBorder(SM_CYBORDER), TUIMetric::CxFixedFrame(SM_CXFIXEDFRAME),
    TUIMetric::CyFixedFrame(SM_CYFIXEDFRAME), TUIMetric::CyVThumb(SM_CYVTHUMB), TUIMetric::CxHThumb(SM_CXHTHUMB),
    TUIMetric::CxIcon(SM_CXICON), TUIMetric::CyIcon(SM_CYICON), TUIMetric::CxCursor(SM_CXCURSOR),
    TUIMetric::CyCursor(SM_CYCURSOR), TUIMetric::CyMenu(SM_CYMENU), TUIMetric::CxFullScreen(SM_CXFULLSCREEN),
    TUIMetric::CyFullScreen(SM_CYFULLSCREEN), TUIMetric::CyKanjiWindow(SM_CYKANJIWINDOW),
    TUIMetric::MousePresent(SM_MOUSEPRESENT), TUIMetric::CyVScroll(SM_CYVSCROLL), TUIMetric::CxHScroll(SM_CXHSCROLL),
    TUIMetric::Debug(SM_DEBUG), TUIMetric::SwapButton(SM_SWAPBUTTON), TUIMetric::Reserved1(SM_RESERVED1),
    TUIMetric::Reserved2(SM_RESERVED2), TUIMetric::Reserved3(SM_RESERVED3), TUIMetric::Reserved4(SM_RESERVED4),
    TUIMetric::CxMin(SM_CXMIN), TUIMetric::CyMin(SM_CYMIN), TUIMetric::CxSize(SM_CXSIZE), TUIMetric::CySize(SM_CYSIZE),
    TUIMetric::CxSizeFrame(SM_CXSIZEFRAME), TUIMetric::CySizeFrame(SM_CYSIZEFRAME),
    TUIMetric::CxMinTrack(SM_CXMINTRACK), TUIMetric::CyMinTrack(SM_CYMINTRACK),
    TUIMetric::CxDoubleClk(SM_CXDOUBLECLK), TUIMetric::CyDoubleClk(SM_CYDOUBLECLK),
    TUIMetric::CxIconSpacing(SM_CXICONSPACING), TUIMetric::CyIconSpacing(SM_CYICONSPACING),
    TUIMetric::MenuDropAlignment(SM_MENUDROPALIGNMENT), TUIMetric::PenWindows(SM_PENWINDOWS),
    TUIMetric::DbcsEnabled(SM_DBCSENABLED), TUIMetric::CMouseButtons(SM_CMOUSEBUTTONS), TUIMetric::Secure(SM_SECURE),
    TUIMetric::CxEdge(SM_CXEDGE), TUIMetric::CyEdge(SM_CYEDGE), TUIMetric::CxMinSpacing(SM_CXMINSPACING),
    TUIMetric::CyMinSpacing(SM_CYMINSPACING), TUIMetric::CxSmIcon(SM_CXSMICON), TUIMetric::CySmIcon(SM_CYSMICON),
    TUIMetric::CySmCaption(SM_CYSMCAPTION), TUIMetric::CxSmSize(SM_CXSMSIZE), TUIMetric::CySmSize(SM_CYSMSIZE),
    TUIMetric::CxMenuSize(SM_CXMENUSIZE), TUIMetric::CyMenuSize(SM_CYMENUSIZE), TUIMetric::Arrange(SM_ARRANGE),
    TUIMetric::CxMinimized(SM_CXMINIMIZED), TUIMetric::CyMinimized(SM_CYMINIMIZED),
    TUIMetric::CxMaxTrack(SM_CXMAXTRACK), TUIMetric::CyMaxTrack(SM_CYMAXTRACK),
    TUIMetric::CxMaximized(SM_CXMAXIMIZED), TUIMetric::CyMaximized(SM_CYMAXIMIZED),
    TUIMetric::ShowSounds(SM_SHOWSOUNDS),
    // These three have no metric of their own: the indexes between the network and clean-boot ones.
    TUIMetric::KeyboardPref(64), TUIMetric::HighContrast(65), TUIMetric::ScreenReader(66),
    TUIMetric::CleanBoot(SM_CLEANBOOT), TUIMetric::CxDrag(SM_CXDRAG), TUIMetric::CyDrag(SM_CYDRAG),
    TUIMetric::Network(SM_NETWORK), TUIMetric::CxMenuCheck(SM_CXMENUCHECK), TUIMetric::CyMenuCheck(SM_CYMENUCHECK),
    TUIMetric::SlowMachine(SM_SLOWMACHINE), TUIMetric::MideastEnabled(SM_MIDEASTENABLED);
