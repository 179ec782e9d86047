#include "bars/GadgetWindow.h"

#include "core/Dc.h"
#include "bars/DecoratedFrame.h"
#include "core/Dib.h"
#include "core/FrameWindow.h"
#include "core/LayoutWindow.h"

#include <algorithm>
#include <utility>

// ---- TGadgetList

void TGadgetList::Link(TGadget &gadget, TPlacement placement, TGadget *sibling) {
    TGadget **link = &Gadgets;
    if (sibling) {
        TGadget **at = &Gadgets;
        while (*at && *at != sibling)
            at = &(*at)->Next;
        if (*at)
            link = placement == Before ? at : &sibling->Next;
        else
            placement = After, sibling = 0;  // not in the list: last
    }
    if (!sibling && placement == After)
        while (*link)
            link = &(*link)->Next;
    gadget.Next = *link;
    *link = &gadget;
    ++NumGadgets;
}

TGadget *TGadgetList::Unlink(TGadget &gadget) {
    for (TGadget **at = &Gadgets; *at; at = &(*at)->Next) {
        if (*at == &gadget) {
            *at = gadget.Next;
            gadget.Next = 0;
            --NumGadgets;
            return &gadget;
        }
    }
    return 0;
}

void TGadgetList::Insert(TGadget &gadget, TPlacement placement, TGadget *sibling) {
    Link(gadget, placement, sibling);
    Inserted(gadget);
}

void TGadgetList::InsertFrom(TGadgetList &list, TPlacement placement, TGadget *sibling) {
    // The moved gadgets keep their order as one block at the place asked for.
    if (&list == this)
        return;  // would move the same gadgets round for ever
    TGadget *previous = 0;
    while (TGadget *gadget = list.Gadgets) {
        list.Unlink(*gadget);
        list.Removed(*gadget);
        if (previous)
            Link(*gadget, After, previous);
        else
            Link(*gadget, placement, sibling);
        Inserted(*gadget);
        previous = gadget;
    }
}

TGadget *TGadgetList::Remove(TGadget &gadget) {
    if (!Unlink(gadget))
        return 0;
    Removed(gadget);
    return &gadget;
}

void TGadgetList::Inserted(TGadget &) {}
void TGadgetList::Removed(TGadget &) {}

TGadget *TGadgetList::GadgetFromPoint(TPoint const &point) const {
    for (TGadget *g = Gadgets; g; g = g->Next)
        if (g->PtIn(TPoint(point.x - g->Bounds.left, point.y - g->Bounds.top)))
            return g;
    return 0;
}

TGadget *TGadgetList::GadgetWithId(int id) const {
    for (TGadget *g = Gadgets; g; g = g->Next)
        if (g->Id == id)
            return g;
    return 0;
}

TGadget *TGadgetList::operator[](unsigned index) const {
    TGadget *g = Gadgets;
    while (g && index--)
        g = g->Next;
    return g;
}

// ---- TGadgetWindowFont

namespace {
int PointsToHeight(int pointSize) {
    HDC screen = ::GetDC(0);
    int perInch = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ::ReleaseDC(0, screen);
    return -(pointSize * perInch / 72);
}
}  // namespace

TGadgetWindowFont::TGadgetWindowFont(int pointSize, int bold, int italic)
    : TFont("MS Sans Serif", PointsToHeight(pointSize), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
            VARIABLE_PITCH | FF_SWISS, uint8_t(italic ? 1 : 0), 0, 0, DEFAULT_CHARSET) {}

// ---- TGadgetWindow: construction

TGadgetWindow::TGadgetWindow(TWindow *parent, TTileDirection direction, TFont *font, TModule *module)
    : TWindow(parent, 0, module),
      Font(font ? font : new TGadgetWindowFont(6)),
      Capture(0),
      AtMouse(0),
      FontHeight(0),
      ShrinkWrapWidth(direction == Vertical),
      ShrinkWrapHeight(direction != Vertical),
      WideAsPossible(0),
      DirtyLayout(1),
      Direction(uint8_t(direction)),
      HintMode(PressHints),
      SharedCels(0),
      Tooltip(0),
      WantTooltip(0),
      RowWidth(0),
      RowMargin(4),
      WantTimer(0),
      TimerIdSet(0) {
    TWindow::Init(parent, 0, module);
    Attr.Style |= WS_CLIPCHILDREN;
    if (!TSystem::Has3dUI())
        Attr.Style |= WS_BORDER;
    TEXTMETRICA tm = Font->GetTextMetrics();
    FontHeight = uint8_t(tm.tmHeight + tm.tmExternalLeading);
    Attr.H = FontHeight;
    if (Attr.Style & WS_BORDER)
        Attr.H += 2 * ::GetSystemMetrics(SM_CYBORDER);
    SetBkgndColor(TColor::Sys3dFace);
}

TGadgetWindow::~TGadgetWindow() {
    while (TGadget *gadget = Gadgets) {
        Remove(*gadget);
        delete gadget;
    }
    delete Font;
    delete SharedCels;
}

// ---- list

void TGadgetWindow::Insert(TGadget &gadget, TPlacement placement, TGadget *sibling) {
    TGadgetList::Insert(gadget, placement, sibling);
    UseDesiredSize();
}

void TGadgetWindow::InsertFrom(TGadgetList &list, TPlacement placement, TGadget *sibling) {
    TGadgetList::InsertFrom(list, placement, sibling);
    UseDesiredSize();
}

TGadget *TGadgetWindow::Remove(TGadget &gadget) {
    if (gadget.Window != this)
        return 0;
    return TGadgetList::Remove(gadget);
}

void TGadgetWindow::Inserted(TGadget &gadget) {
    gadget.Window = this;
    gadget.Inserted();
    if (HWindow)
        gadget.Created();
    if (gadget.WideAsPossible)
        ++WideAsPossible;
}

void TGadgetWindow::Removed(TGadget &gadget) {
    if (gadget.WideAsPossible && WideAsPossible)
        --WideAsPossible;
    if (AtMouse == &gadget)
        AtMouse = 0;
    if (Capture == &gadget)
        GadgetReleaseCapture(gadget);
    gadget.Removed();
    gadget.Window = 0;
    gadget.Next = 0;
    gadget.Bounds = TRect(0, 0, gadget.Bounds.Width(), gadget.Bounds.Height());
}

// ---- sizes and layout

void TGadgetWindow::SetDirection(TTileDirection direction) {
    if (Direction != direction) {
        std::swap(ShrinkWrapWidth, ShrinkWrapHeight);
        Direction = uint8_t(direction);
        DirtyLayout = 1;
        UseDesiredSize();
        LayoutSession();
    } else if (DirtyLayout) {
        LayoutSession();
    }
}

void TGadgetWindow::SetMargins(TMargins const &margins) {
    Margins = margins;
    LayoutSession();
}

void TGadgetWindow::SetShrinkWrap(int width, int height) {
    ShrinkWrapWidth = uint8_t(width != 0);
    ShrinkWrapHeight = uint8_t(height != 0);
}

void TGadgetWindow::SetRectangularDimensions(int rowWidth, int, int rowMargin) {
    RowWidth = rowWidth;
    if (rowMargin >= 0)
        RowMargin = rowMargin;
    if (Direction == Rectangular)
        DirtyLayout = 1;
}

void TGadgetWindow::GadgetChangedSize(TGadget &) { LayoutSession(); }

void TGadgetWindow::GetDesiredSize(TSize &size) {
    size = TSize(Attr.W, Attr.H);
    if (!ShrinkWrapWidth && !ShrinkWrapHeight)
        return;
    TLayoutInfo layout;
    LayoutGadgets(TTileDirection(Direction), layout);
    int frameX = 0, frameY = 0;
    if (Attr.Style & WS_BORDER)
        frameX = 2 * ::GetSystemMetrics(SM_CXBORDER), frameY = 2 * ::GetSystemMetrics(SM_CYBORDER);
    if (ShrinkWrapWidth)
        size.cx = Gadgets ? layout.DesiredSize.cx + frameX : 0;
    if (ShrinkWrapHeight)
        size.cy = Gadgets ? layout.DesiredSize.cy + frameY : 0;
}

void TGadgetWindow::UseDesiredSize() {
    if (!ShrinkWrapWidth && !ShrinkWrapHeight)
        return;
    TSize size;
    GetDesiredSize(size);
    if (ShrinkWrapWidth)
        Attr.W = size.cx;
    if (ShrinkWrapHeight)
        Attr.H = size.cy;
}

void TGadgetWindow::GetInnerRect(TRect &rect) {
    int left = 0, right = 0, top = 0, bottom = 0;
    Margins.GetPixels(left, right, top, bottom, FontHeight);
    int frameX = 0, frameY = 0;
    if (Attr.Style & WS_BORDER)
        frameX = 2 * ::GetSystemMetrics(SM_CXBORDER), frameY = 2 * ::GetSystemMetrics(SM_CYBORDER);
    rect.left = Attr.W ? left : 0;
    rect.right = Attr.W ? Attr.W - right - frameX : 0;
    rect.top = Attr.H ? top : 0;
    rect.bottom = Attr.H ? Attr.H - bottom - frameY : 0;
}

void TGadgetWindow::PositionGadget(TGadget *previous, TGadget *next, TPoint &point) {
    if (previous->GetBorderStyle() != TGadget::Plain || next->GetBorderStyle() != TGadget::Plain)
        return;
    if (Direction == Horizontal)
        point.x -= ::GetSystemMetrics(SM_CXBORDER);
    else
        point.y -= ::GetSystemMetrics(SM_CYBORDER);
}

void TGadgetWindow::LayoutGadgets(TTileDirection direction, TLayoutInfo &layout) {
    layout.DesiredSize = TSize(0, 0);
    layout.GadgetBounds.assign(NumGadgets, TRect(0, 0, 0, 0));
    if (!Gadgets)
        return;
    if (direction == Horizontal)
        LayoutHorizontally(layout);
    else if (direction == Vertical)
        LayoutVertically(layout);
    else
        LayoutRectangularly(layout);
}

void TGadgetWindow::StartLayout(TLayoutStart &start) {
    GetInnerRect(start.Inner);
    Margins.GetPixels(start.Left, start.Right, start.Top, start.Bottom, FontHeight);
    // Without a size attribute the inner rectangle is empty: the margins are the origin.
    start.Origin = TPoint(Attr.W ? start.Inner.left : start.Left, Attr.H ? start.Inner.top : start.Top);
    start.Sizes.assign(NumGadgets, TSize(0, 0));
    start.Largest = TSize(0, 0);
    int i = 0;
    for (TGadget *g = Gadgets; g; g = g->Next, ++i) {
        g->GetDesiredSize(start.Sizes[i]);
        start.Largest.cx = std::max<int>(start.Largest.cx, start.Sizes[i].cx);
        start.Largest.cy = std::max<int>(start.Largest.cy, start.Sizes[i].cy);
    }
}

void TGadgetWindow::LayoutHorizontally(TLayoutInfo &layout) {
    TLayoutStart start;
    StartLayout(start);
    std::vector<TSize> const &sizes = start.Sizes;
    int wideWidth = 0;
    if (WideAsPossible) {
        int rest = start.Inner.Width();
        int i = 0;
        for (TGadget *g = Gadgets; g; g = g->Next, ++i) {
            if (!g->WideAsPossible)
                rest -= sizes[i].cx;
            if (g->Next) {
                TPoint adjust(0, 0);
                PositionGadget(g, g->Next, adjust);
                rest -= adjust.x;  // an overlap frees width, a spacing takes some
            }
        }
        wideWidth = rest > 0 ? rest / WideAsPossible : 0;
    }

    PlaceInLine(layout, start, true, wideWidth);
}

void TGadgetWindow::LayoutVertically(TLayoutInfo &layout) {
    TLayoutStart start;
    StartLayout(start);
    PlaceInLine(layout, start, false, 0);
}

void TGadgetWindow::PlaceInLine(TLayoutInfo &layout, TLayoutStart const &start, bool horizontal, int wideWidth) {
    std::vector<TSize> const &sizes = start.Sizes;
    TPoint at = start.Origin;
    int const left = at.x;
    int right = 0, bottom = 0, i = 0;
    for (TGadget *g = Gadgets; g; g = g->Next, ++i) {
        TRect &r = layout.GadgetBounds[i];
        if (horizontal) {
            int width = g->WideAsPossible ? std::max<int>(sizes[i].cx, wideWidth) : sizes[i].cx;
            r.SetWH(at.x, at.y + (start.Largest.cy - sizes[i].cy) / 2, width, sizes[i].cy);
            at.x = r.right;
        } else {
            r.SetWH(left + (start.Largest.cx - sizes[i].cx) / 2, at.y, sizes[i].cx, sizes[i].cy);
            at.y = r.bottom;
        }
        if (g->Next)
            PositionGadget(g, g->Next, at);
        right = std::max<int>(right, r.right);
        bottom = std::max<int>(bottom, r.bottom);
    }
    layout.DesiredSize = TSize(right + start.Right, bottom + start.Bottom);
}

void TGadgetWindow::LayoutRectangularly(TLayoutInfo &layout) {
    TLayoutStart start;
    StartLayout(start);
    std::vector<TSize> const &sizes = start.Sizes;
    std::vector<TGadget *> list;
    for (TGadget *g = Gadgets; g; g = g->Next)
        list.push_back(g);
    int const rowWidth = std::max<int>(RowWidth - start.Right, start.Largest.cx + start.Left + start.Right);
    int const count = int(list.size());
    TPoint const origin = start.Origin;

    int y = origin.y, height = 0, widthUsed = 0;
    // Finishes the row of gadgets first..last: centred vertically in the row, its
    // width measured up to its last visible gadget.
    auto finishRow = [&](int first, int last) {
        int rowHeight = 0;
        for (int k = first; k <= last; ++k)
            rowHeight = std::max<int>(rowHeight, sizes[k].cy);
        for (int k = first; k <= last; ++k) {
            TRect &r = layout.GadgetBounds[k];
            r.SetWH(r.left, y + (rowHeight - sizes[k].cy) / 2, sizes[k].cx, sizes[k].cy);
            height = std::max<int>(height, r.bottom);
            if (list[k]->IsVisible())
                widthUsed = std::max<int>(widthUsed, r.right);
        }
        return rowHeight;
    };

    int rowStart = 0, candidate = -1, x = origin.x;
    bool brokeAtVisible = false, separatorAfterBreak = false;
    for (int i = 0; i < count; ++i) {
        TGadget *g = list[i];
        g->SetEndOfRow(0);
        bool visible = g->IsVisible() != 0;
        if (visible && i > rowStart && (x + sizes[i].cx > rowWidth || separatorAfterBreak)) {
            int breakAt = candidate >= rowStart ? candidate : i - 1;
            list[breakAt]->SetEndOfRow(1);
            bool atSeparator = !list[breakAt]->IsVisible();
            y += finishRow(rowStart, breakAt) + (atSeparator ? RowMargin : 0);
            brokeAtVisible = !atSeparator;
            separatorAfterBreak = false;
            x = origin.x;
            rowStart = breakAt + 1;
            candidate = -1;
            i = breakAt;  // placement goes on with the gadget after the break
            continue;
        }
        layout.GadgetBounds[i].SetWH(x, 0, sizes[i].cx, sizes[i].cy);
        TPoint at(layout.GadgetBounds[i].right, 0);
        if (g->Next)
            PositionGadget(g, g->Next, at);
        x = at.x;
        if (!visible) {
            candidate = i;
            if (brokeAtVisible)
                separatorAfterBreak = true;
        } else if (candidate < rowStart || list[candidate]->IsVisible()) {
            candidate = i;
        }
    }
    finishRow(rowStart, count - 1);
    layout.DesiredSize = TSize(widthUsed + start.Right, height + start.Bottom);
}

TRect TGadgetWindow::TileGadgets() {
    TLayoutInfo layout;
    LayoutGadgets(TTileDirection(Direction), layout);
    TRect area(0, 0, 0, 0);
    int i = 0;
    for (TGadget *g = Gadgets; g; g = g->Next, ++i)
        TileGadget(*g, layout.GadgetBounds[i], area);
    DirtyLayout = 0;
    return area;
}

void TGadgetWindow::TileGadget(TGadget &gadget, TRect const &bounds, TRect &area) {
    TRect old = gadget.GetBounds();
    if (old == bounds)
        return;
    gadget.SetBounds(bounds);
    area |= bounds;
    if (old.left != 0 || old.top != 0)
        area |= old;
}

void TGadgetWindow::LayoutSession() {
    if (!HWindow)
        return;
    TRect area = TileGadgets();
    if (!area.IsEmpty())
        InvalidateRect(area, true);
    FollowDesiredSize();
}

void TGadgetWindow::FollowDesiredSize() {
    TSize desired;
    GetDesiredSize(desired);
    if ((!ShrinkWrapWidth || desired.cx == Attr.W) && (!ShrinkWrapHeight || desired.cy == Attr.H))
        return;
    if (ShrinkWrapWidth)
        Attr.W = desired.cx;
    if (ShrinkWrapHeight)
        Attr.H = desired.cy;
    TRect area = TileGadgets();
    if (!area.IsEmpty())
        InvalidateRect(area, true);
    SetWindowPos(0, 0, 0, Attr.W, Attr.H, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // a bar placed by its frame's constraints moves there too (a bottom bar keeps its bottom)
    if (TLayoutWindow *frame = dynamic_cast<TLayoutWindow *>(GetParentO()))
        frame->ChildResized(*this);
}

// ---- window

int TGadgetWindow::Create() {
    UseDesiredSize();
    return TWindow::Create();
}

void TGadgetWindow::SetupWindow() {
    TWindow::SetupWindow();
    if (WantTooltip)
        EnableTooltip(1);
    if (WantTimer)
        EnableTimer();
    if (DirtyLayout)
        LayoutSession();
    FollowDesiredSize();
    for (TGadget *g = Gadgets; g; g = g->Next)
        g->Created();
}

void TGadgetWindow::CleanupWindow() {
    if (TimerIdSet) {
        KillTimer(TimerId);
        TimerIdSet = 0;
    }
    TWindow::CleanupWindow();
}

int TGadgetWindow::EnableTimer() {
    WantTimer = 1;  // also for a window made again
    if (!HWindow)
        return 0;
    if (!TimerIdSet)
        TimerIdSet = SetTimer(TimerId, 1000) != 0;
    return TimerIdSet;
}

void TGadgetWindow::SetCelArray(TCelArray *cels) {
    delete SharedCels;
    SharedCels = cels;
}

TCelArray &TGadgetWindow::GetCelArray(int cx, int cy) {
    if (!SharedCels)
        SharedCels = new TCelArray(TSize(cx ? cx : 10, cy ? cy : 10), 1, 10, 5);
    return *SharedCels;
}

int TGadgetWindow::GadgetSetCapture(TGadget &gadget) {
    if (Capture)
        return 0;
    Capture = &gadget;
    if (HWindow)
        SetCapture();
    return 1;
}

void TGadgetWindow::GadgetReleaseCapture(TGadget &gadget) {
    if (Capture != &gadget)
        return;
    Capture = 0;
    if (HWindow && ::GetCapture() == HWindow)
        ReleaseCapture();
}

void TGadgetWindow::SetHintCommand(int id) {
    TWindow *frame = Parent;
    while (frame && !dynamic_cast<TDecoratedFrame *>(frame))
        frame = frame->GetParentO();
    if (!frame || !frame->GetHandle())
        return;
    WPARAM item = id > 0 ? WPARAM(id) : MAKEWPARAM(0, 0xFFFF);
    frame->SendMessageA(WM_MENUSELECT, item, 0);
    frame->SendMessageA(WM_ENTERIDLE, MSGF_MENU, 0);
}

// ---- painting

void TGadgetWindow::Paint(TDC &dc, int erase, TRect &rect) {
    dc.SelectObject(*Font);
    PaintGadgets(dc, erase, rect);
    dc.RestoreFont();
}

void TGadgetWindow::PaintGadgets(TDC &dc, int, TRect &rect) {
    TPoint origin = dc.GetViewportOrg();
    for (TGadget *g = Gadgets; g; g = g->Next) {
        TRect const &bounds = g->GetBounds();
        if (!bounds.Touches(rect))
            continue;
        dc.SetViewportOrg(TPoint(origin.x + bounds.left, origin.y + bounds.top));
        if (g->Clip) {
            TRegion saved;
            bool hadClip = dc.GetClipRgn(saved) == 1;
            dc.IntersectClipRect(TRect(0, 0, bounds.Width(), bounds.Height()));
            g->Paint(dc);
            ::SelectClipRgn(dc, hadClip ? HRGN(saved) : HRGN(0));
        } else {
            g->Paint(dc);
        }
    }
    dc.SetViewportOrg(origin);
}

// ---- mouse

void TGadgetWindow::RouteButton(TButton button, uint modKeys, TPoint const &point) {
    TGadget *g = Capture ? Capture : GadgetFromPoint(point);
    if (!g || !(g->GetEnabled() || g == Capture))
        return;
    TPoint at(point.x - g->GetBounds().left, point.y - g->GetBounds().top);
    switch (button) {
    case LeftDown: g->LButtonDown(modKeys, at); break;
    case LeftUp: g->LButtonUp(modKeys, at); break;
    case RightDown: g->RButtonDown(modKeys, at); break;
    case RightUp: g->RButtonUp(modKeys, at); break;
    }
}

void TGadgetWindow::EvLButtonDown(uint modKeys, TPoint &point) {
    RouteButton(LeftDown, modKeys, point);
    TWindow::EvLButtonDown(modKeys, point);
}

void TGadgetWindow::EvLButtonUp(uint modKeys, TPoint &point) {
    RouteButton(LeftUp, modKeys, point);
    DefaultProcessing();
}

void TGadgetWindow::EvLButtonDblClk(uint modKeys, TPoint &point) {
    RouteButton(LeftUp, modKeys, point);
    RouteButton(LeftDown, modKeys, point);
    DefaultProcessing();
}

void TGadgetWindow::EvRButtonDown(uint modKeys, TPoint &point) {
    RouteButton(RightDown, modKeys, point);
    DefaultProcessing();
}

void TGadgetWindow::EvRButtonUp(uint modKeys, TPoint &point) {
    RouteButton(RightUp, modKeys, point);
    DefaultProcessing();
}

void TGadgetWindow::EvCaptureChanged(LPARAM newCapture) {
    if (TGadget *holder = Capture) {
        if (HWND(newCapture) != HWindow) {
            Capture = 0;
            holder->CaptureLost();
        }
    }
    DefaultProcessing();
}

void TGadgetWindow::EvMouseMove(uint modKeys, TPoint &point) {
    if (Capture) {
        Capture->MouseMove(modKeys, TPoint(point.x - Capture->GetBounds().left, point.y - Capture->GetBounds().top));
    } else {
        TGadget *g = GadgetFromPoint(point);
        if (g != AtMouse) {
            if (TGadget *left = AtMouse)
                left->MouseLeave(modKeys, TPoint(point.x - left->GetBounds().left, point.y - left->GetBounds().top));
            AtMouse = g;
            if (g)
                g->MouseEnter(modKeys, TPoint(point.x - g->GetBounds().left, point.y - g->GetBounds().top));
        }
    }
    DefaultProcessing();
}

// ---- idle, size, colours

int TGadgetWindow::IdleAction(long idleCount) {
    if (idleCount == 0 && AtMouse && HWindow) {
        POINT cursor;
        ::GetCursorPos(&cursor);
        if (::WindowFromPoint(cursor) != HWindow)
            HandleMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-1, -1));
    }
    for (TGadget *g = Gadgets, *next; g; g = next) {
        next = g->Next;
        g->IdleAction(idleCount);
    }
    return TWindow::IdleAction(idleCount);
}

void TGadgetWindow::EvWindowPosChanging(void *p) {
    DefaultProcessing();
    WINDOWPOS &pos = *static_cast<WINDOWPOS *>(p);
    if (pos.flags & SWP_NOSIZE)
        return;
    Attr.W = pos.cx;
    Attr.H = pos.cy;
    if (DirtyLayout || WideAsPossible) {
        TRect area = TileGadgets();
        if (!area.IsEmpty())
            InvalidateRect(area, true);
    }
    UseDesiredSize();
    if (ShrinkWrapWidth)
        pos.cx = Attr.W;
    if (ShrinkWrapHeight)
        pos.cy = Attr.H;
}

void TGadgetWindow::EvSysColorChange() {
    for (TGadget *g = Gadgets; g; g = g->Next)
        g->SysColorChange();
    DefaultProcessing();
}

// ---- commands

LRESULT TGadgetWindow::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    if (hWndCtl)
        return TWindow::EvCommand(id, hWndCtl, notifyCode);
    TEventInfo info(0, id);
    if (Find(info))
        return Dispatch(info, id, 0);
    // Gadget commands belong to the frame, unless the frame would hand them back here.
    TWindow *target = Parent;
    while (target && !dynamic_cast<TFrameWindow *>(target) && target->GetParentO())
        target = target->GetParentO();
    if (target && target->GetHandle()) {
        TFrameWindow *frame = dynamic_cast<TFrameWindow *>(target);
        if (!frame || frame->GetCommandTarget() != HWindow)
            return target->HandleMessage(WM_COMMAND, MAKEWPARAM(id, notifyCode), 0);
    }
    return TWindow::EvCommand(id, 0, notifyCode);
}

void TGadgetWindow::EvCommandEnable(TCommandEnabler &ce) {
    TEventInfo info(0x7FFF, ce.GetId());
    if (Find(info)) {
        Dispatch(info, 0, LPARAM(&ce));
        return;
    }
    if (ce.IsReceiver(HWindow) && Parent) {
        ce.SetReceiver(Parent->GetHandle());
        Parent->EvCommandEnable(ce);
        return;
    }
    TWindow::EvCommandEnable(ce);
}

DEFINE_RESPONSE_TABLE1(TGadgetWindow, TWindow)
    EV_WM_LBUTTONDOWN,
    EV_WM_LBUTTONUP,
    EV_WM_LBUTTONDBLCLK,
    EV_WM_RBUTTONDOWN,
    EV_WM_RBUTTONUP,
    EV_WM_MOUSEMOVE,
    EV_MESSAGE(WM_CAPTURECHANGED, EvCaptureChanged, v_LPARAM),
    EV_MESSAGE(WM_WINDOWPOSCHANGING, EvWindowPosChanging, v_POINTER),
    EV_MESSAGE(WM_SYSCOLORCHANGE, EvSysColorChange, v),
END_RESPONSE_TABLE;

// ---- TGadgetControl

TGadgetControl::TGadgetControl(TWindow *parent, TGadget *gadget, TFont *font, TModule *module)
    : TWindow(parent, 0, module), TGadgetWindow(parent, Horizontal, font, module) {
    ShrinkWrapWidth = ShrinkWrapHeight = 0;
    Margins = TMargins(TMargins::Pixels, 0, 0, 0, 0);
    if (gadget)
        Insert(*gadget, After);
}
