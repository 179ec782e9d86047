#include "controls/NoteTab.h"

#include "core/Dc.h"
#include "core/GdiObject.h"
#include "core/UIParts.h"

#include <commctrl.h>

#include <algorithm>

DEFINE_RESPONSE_TABLE1(TNoteTab, TControl)
    EV_WM_SIZE,
    EV_WM_LBUTTONDOWN,
    YRT_ROW(WM_GETDLGCODE, 0, U_U, EvGetDlgCode),
    EV_WM_KEYDOWN,
    EV_WM_SETFOCUS,
    EV_WM_KILLFOCUS,
END_RESPONSE_TABLE;

TNoteTab::TNoteTab(TWindow *parent, int id, int x, int y, int w, int h, TWindow *buddy, int dialogFace,
                   TModule *module)
    : TWindow(parent, 0, module), TControl(parent, id, 0, x, y, w, h, module) {
    Init(buddy, dialogFace);
}

TNoteTab::TNoteTab(TWindow *parent, int resourceId, TWindow *buddy, int dialogFace, TModule *module)
    : TWindow(parent, 0, module), TControl(parent, resourceId, module) {
    Init(buddy, dialogFace);
}

void TNoteTab::Init(TWindow *buddy, int dialogFace) {
    windowFace_ = !dialogFace;
    style3d_ = TSystem::Has3dUI();
    frameSize_ = style3d_ ? ::GetSystemMetrics(SM_CYSIZEFRAME) : 0;
    font_ = 0;
    buddy_ = buddy ? buddy->GetHandle() : 0;
    firstVisible_ = 0;
    selection_ = -1;
    items_.reserve(5);
    SetBkgndColor(TColor(::GetSysColor(COLOR_BTNFACE)));
}

TNoteTab::~TNoteTab() {
    for (TNoteTabItem *item : items_)
        delete item;
    delete font_;
}

char const *TNoteTab::GetClassNameA() { return "Yrt_Notetab"; }

uint TNoteTab::Transfer(void *, TTransferDirection) { return 0; }

void TNoteTab::SetupWindow() {
    TControl::SetupWindow();
    HFONT parentFont = Parent && Parent->GetHandle() ? (HFONT)Parent->SendMessageA(WM_GETFONT) : 0;
    delete font_;
    font_ = new TFont(parentFont ? parentFont : (HFONT)::GetStockObject(ANSI_VAR_FONT));
    TEXTMETRICA metrics;
    {
        TScreenDC dc;
        HGDIOBJ old = ::SelectObject(dc, (HFONT)*font_);
        ::GetTextMetricsA(dc, &metrics);
        ::SelectObject(dc, old);
    }
    for (TNoteTabItem *item : items_)
        Measure(*item);
    TRect r = GetWindowRect();
    int height = std::max<int>(r.Height(), metrics.tmHeight);
    for (TNoteTabItem *item : items_)
        height = std::max<int>(height, item->LabelSize.cy + 4);
    if (style3d_)
        height += 6 * ::GetSystemMetrics(SM_CYBORDER) + ::GetSystemMetrics(SM_CYSIZEFRAME);
    SetTabRects(firstVisible_);
    SetWindowPos(0, 0, 0, r.Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TNoteTab::Measure(TNoteTabItem &item) {
    TScreenDC dc;
    HGDIOBJ old = font_ ? ::SelectObject(dc, (HFONT)*font_) : 0;
    SIZE size = {0, 0};
    ::GetTextExtentPointA(dc, item.Label.c_str(), (int)item.Label.GetLength(), &size);
    if (old)
        ::SelectObject(dc, old);
    item.LabelSize = TSize(size.cx, size.cy);
}

int TNoteTab::Add(char const *label, unsigned long clientData) { return Insert(label, GetCount(), clientData); }

int TNoteTab::Insert(char const *label, int index, unsigned long clientData) {
    if (index < 0 || index > GetCount())
        index = GetCount();  // beyond the end means at the end
    TNoteTabItem *item = new TNoteTabItem;
    item->Label = label ? label : "";
    item->ClientData = clientData;
    Measure(*item);
    items_.insert(items_.begin() + index, item);
    if (selection_ >= index)
        ++selection_;  // still the tab that was selected, so that it is repainted as it loses it
    SetTabRects(firstVisible_);
    SetSel(index);
    return index;
}

int TNoteTab::Delete(int index) {
    if (index < 0 || index >= GetCount())
        return 0;
    for (int i = index; i < GetCount(); ++i)
        if (IsVisible(i))
            InvalidateTab(items_[i]->Rect);
    delete items_[index];
    items_.erase(items_.begin() + index);
    if (index == firstVisible_ && index > 0)
        --firstVisible_;
    if (items_.empty()) {
        selection_ = -1;
    } else {
        // the selection keeps its index but never points past the end
        if (selection_ >= GetCount())
            selection_ = GetCount() - 1;
        SetTabRects(firstVisible_);
    }
    return 1;
}

int TNoteTab::DeleteAll() {
    while (GetCount())
        Delete(0);
    return 1;
}

int TNoteTab::SetSel(int index) {
    if (index < 0 || index >= GetCount())
        return -1;
    if (index == selection_)
        return index;
    if (selection_ >= 0 && selection_ < GetCount())
        InvalidateTab(items_[selection_]->Rect);
    InvalidateTab(items_[index]->Rect);
    selection_ = index;
    return index;
}

int TNoteTab::GetItem(int index, TNoteTabItem &item) const {
    if (index < 0 || index >= GetCount())
        return 0;
    item = *items_[index];
    return 1;
}

int TNoteTab::SetItem(int index, TNoteTabItem const &item) {
    if (index < 0 || index >= GetCount())
        return 0;
    *items_[index] = item;
    return 1;
}

int TNoteTab::IsVisible(int index) const {
    if (index < 0 || index >= GetCount())
        return 0;
    TRect const &r = items_[index]->Rect;
    return r.left || r.top || r.right || r.bottom;
}

void TNoteTab::InvalidateTab(TRect const &r) {
    if (GetHandle() && (r.left || r.top || r.right || r.bottom))
        InvalidateRect(TRect(r.left - 4, r.top - 1, r.right + 4, r.bottom + 1));
}

void TNoteTab::SetTabRects(int first) {
    TRect none(0, 0, 0, 0);
    for (int i = 0; i < first && i < GetCount(); ++i) {
        InvalidateTab(items_[i]->Rect);
        items_[i]->Rect = none;
    }
    TRect client = GetHandle() ? GetClientRect() : TRect(0, 0, Attr.W, Attr.H);
    TRect area(client.left + 5, client.top + 1 + frameSize_, client.right - 5, client.bottom - 1);
    int x = area.left, y = area.top;
    int extra = style3d_ ? 2 * ::GetSystemMetrics(SM_CYBORDER) : 0;
    int i = first;
    for (; i < GetCount() && x - 4 < area.right; ++i) {
        TNoteTabItem &item = *items_[i];
        TRect r(x + 4, y, x + 14 + item.LabelSize.cx, y + item.LabelSize.cy + extra + 2);
        if (r.left != item.Rect.left || r.top != item.Rect.top || r.right != item.Rect.right ||
            r.bottom != item.Rect.bottom) {
            InvalidateTab(item.Rect);
            item.Rect = r;
            InvalidateTab(r);
        }
        x = r.right;
    }
    for (; i < GetCount(); ++i) {
        InvalidateTab(items_[i]->Rect);
        items_[i]->Rect = none;
    }
}

void TNoteTab::Paint(TDC &dc, int, TRect &) {
    if (items_.empty())
        return;
    TRect client = GetClientRect();
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    COLORREF window = ::GetSysColor(COLOR_WINDOW);
    COLORREF outline = !style3d_ && windowFace_ ? window : face;
    HPEN outlinePen = ::CreatePen(PS_SOLID, 1, outline);
    HPEN hilite = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DHILIGHT));
    HPEN light = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DLIGHT));
    HPEN shadow = ::CreatePen(PS_SOLID, 1, ::GetSysColor(style3d_ ? COLOR_3DSHADOW : COLOR_WINDOWFRAME));
    HPEN dark = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
    HBRUSH faceBrush = ::CreateSolidBrush(face);
    HBRUSH windowBrush = ::CreateSolidBrush(window);
    HGDIOBJ oldPen = ::SelectObject(dc, outlinePen);
    HGDIOBJ oldBrush = ::SelectObject(dc, faceBrush);
    HGDIOBJ oldFont = font_ ? ::SelectObject(dc, (HFONT)*font_) : 0;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    auto line = [&](HPEN pen, int x1, int y1, int x2, int y2) {
        ::SelectObject(dc, pen);
        ::MoveToEx(dc, x1, y1, 0);
        ::LineTo(dc, x2, y2);
    };
    auto drawTab = [&](int i) {
        TRect r = items_[i]->Rect;
        if (!IsVisible(i))
            return;
        POINT shape[4] = {{r.left - 4, r.top - 1}, {r.left, r.bottom}, {r.right, r.bottom}, {r.right + 4, r.top - 1}};
        bool selected = i == selection_;
        if (style3d_) {
            ::SelectObject(dc, outlinePen);
            ::SelectObject(dc, faceBrush);
            ::Polygon(dc, shape, 4);
            line(light, r.left - 3, r.top - 1, r.left + 1, r.bottom - 1);
            line(shadow, r.left + 1, r.bottom - 1, r.right - 1, r.bottom - 1);
            line(shadow, r.right - 1, r.bottom - 1, r.right + 3, r.top - 1);
            line(hilite, r.left - 4, r.top - 1, r.left, r.bottom);
            line(dark, r.left, r.bottom, r.right, r.bottom);
            line(dark, r.right, r.bottom, r.right + 4, r.top - 1);
        } else {
            ::SelectObject(dc, selected && windowFace_ ? windowBrush : faceBrush);
            ::SelectObject(dc, shadow);
            ::Polygon(dc, shape, 4);
        }
        RECT text = r;
        ::DrawTextA(dc, items_[i]->Label.c_str(), -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        if (selected && ::GetFocus() == GetHandle()) {
            RECT focus = {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
            ::SetBkColor(dc, face);
            ::DrawFocusRect(dc, &focus);
        }
    };
    for (int i = GetCount() - 1; i >= 0; --i)
        if (i != selection_)
            drawTab(i);
    if (selection_ >= 0 && IsVisible(selection_)) {
        TRect r = items_[selection_]->Rect;
        if (style3d_) {
            TUIBorder(TRect(client.left, client.top + frameSize_, client.right, client.bottom), TUIBorder::WndRecessed)
                .Paint(dc);
        } else {
            line(shadow, client.left, r.top - 1, r.left - 4, r.top - 1);
            line(shadow, r.right + 4, r.top - 1, client.right, r.top - 1);
        }
        drawTab(selection_);
    }
    if (oldFont)
        ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    for (HGDIOBJ object : {(HGDIOBJ)outlinePen, (HGDIOBJ)hilite, (HGDIOBJ)light, (HGDIOBJ)shadow, (HGDIOBJ)dark,
                           (HGDIOBJ)faceBrush, (HGDIOBJ)windowBrush})
        ::DeleteObject(object);
}

int TNoteTab::NotifyAndSelect(int index) {
    if (!Parent || !Parent->GetHandle())
        return SetSel(index);
    NMHDR header = {GetHandle(), (UINT_PTR)Attr.Id, (UINT)TCN_SELCHANGING};
    if (Parent->SendMessageA(WM_NOTIFY, Attr.Id, (LPARAM)&header))
        return -1;
    SetSel(index);
    header.code = (UINT)TCN_SELCHANGE;
    Parent->SendMessageA(WM_NOTIFY, Attr.Id, (LPARAM)&header);
    return index;
}

void TNoteTab::EvLButtonDown(uint, TPoint &point) {
    for (int i = 0; i < GetCount(); ++i) {
        TRect const &r = items_[i]->Rect;
        if (IsVisible(i) && point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) {
            if (i != selection_)
                NotifyAndSelect(i);
            break;
        }
    }
    SetFocus();
}

uint TNoteTab::EvGetDlgCode(uint) { return (uint)DefaultProcessing() | DLGC_WANTARROWS; }

void TNoteTab::EvKeyDown(uint key, uint, uint) {
    if (key == VK_RIGHT && selection_ < GetCount() - 1)
        NotifyAndSelect(selection_ + 1);
    else if (key == VK_LEFT && selection_ > 0)
        NotifyAndSelect(selection_ - 1);
    else
        DefaultProcessing();
}

void TNoteTab::EvSize(uint sizeType, TSize &size) {
    TWindow::EvSize(sizeType, size);
    SetTabRects(firstVisible_);
}

void TNoteTab::EvSetFocus(WPARAM) {
    if (selection_ >= 0)
        InvalidateTab(items_[selection_]->Rect);
}

void TNoteTab::EvKillFocus(WPARAM) {
    if (selection_ >= 0 && selection_ < GetCount())
        InvalidateTab(items_[selection_]->Rect);
}
