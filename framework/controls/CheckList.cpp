#include "controls/CheckList.h"

#include "core/Dc.h"
#include "core/GdiObject.h"

#include <memory>

DEFINE_RESPONSE_TABLE1(CheckBoxList, TControl)
    EV_WM_DRAWITEM,
    EV_WM_MEASUREITEM,
    EV_WM_LBUTTONDOWN,
END_RESPONSE_TABLE;

CheckBoxList::CheckBoxList(TWindow *parent, int resourceId, TIsChecked isChecked)
    : TListBox(parent, resourceId, 0), IsChecked(isChecked), ItemHeight(0), BoxWidth(0) {}

void CheckBoxList::EvMeasureItem(WPARAM, LPARAM measureInfo) {
    MEASUREITEMSTRUCT &measure = *(MEASUREITEMSTRUCT *)measureInfo;
    TIC ic("DISPLAY", 0, 0);
    HFONT font = HFONT(SendMessageA(WM_GETFONT));
    HGDIOBJ old = font ? ::SelectObject(ic.GetHDC(), font) : 0;
    TEXTMETRICA tm;
    ic.GetTextMetricsA(tm);
    if (old)
        ::SelectObject(ic.GetHDC(), old);
    measure.itemHeight = tm.tmHeight;
    ItemHeight = tm.tmHeight;
}

void CheckBoxList::EvDrawItem(WPARAM, LPARAM drawInfo) {
    DRAWITEMSTRUCT &draw = *(DRAWITEMSTRUCT *)drawInfo;
    BoxWidth = draw.rcItem.bottom - draw.rcItem.top + 1;
    switch (draw.itemAction) {
    case ODA_DRAWENTIRE:
    case ODA_SELECT:
        if (draw.itemID != UINT(-1))  // an empty list has no line to draw nor to ask about
            Draw(draw);
        break;
    case ODA_FOCUS:
        // the control draws the focus frame around the text only
        draw.rcItem.left = BoxWidth;
        DefaultProcessing();
        break;
    }
}

void CheckBoxList::Draw(DRAWITEMSTRUCT &draw) {
    int index = int(draw.itemID);
    int length = GetStringLen(index);
    std::unique_ptr<char[]> text(new char[length > 0 ? length + 1 : 1]);
    text[0] = 0;
    if (length > 0)
        GetString(text.get(), index);
    TDC dc(draw.hDC);
    TEXTMETRICA tm;
    dc.GetTextMetricsA(tm);

    bool selected = (draw.itemState & ODS_SELECTED) != 0;
    COLORREF oldBk = ::SetBkColor(draw.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    COLORREF oldText = ::SetTextColor(draw.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    TRect r(draw.rcItem);
    TRect textArea(BoxWidth, r.top, r.right, r.bottom);
    int y = r.top + (r.bottom - tm.tmHeight - r.top) / 2;
    ::ExtTextOutA(draw.hDC, BoxWidth + 1, y, ETO_OPAQUE | ETO_CLIPPED, &textArea, text.get(), lstrlenA(text.get()), 0);
    ::SetBkColor(draw.hDC, oldBk);
    ::SetTextColor(draw.hDC, oldText);

    TRect box;
    box.left = r.left + 1, box.top = r.top + 1, box.bottom = r.bottom - 1;
    box.right = box.left + (box.bottom - box.top);
    ::FrameRect(draw.hDC, &box, HBRUSH(::GetStockObject(BLACK_BRUSH)));
    if (IsChecked(this, unsigned(index))) {
        ::MoveToEx(draw.hDC, box.left, box.top, 0);
        ::LineTo(draw.hDC, box.right - 1, box.bottom - 1);
        ::MoveToEx(draw.hDC, box.right - 1, box.top, 0);
        ::LineTo(draw.hDC, box.left, box.bottom - 1);
    }
}

void CheckBoxList::EvLButtonDown(uint, TPoint &point) {
    DefaultProcessing();  // the list selects the item under the pointer first
    if (point.x >= BoxWidth)
        return;
    int i = GetSelIndex();
    if (i < 0)
        return;  // no line under the box column: nothing for the owner to flip
    if (TWindow *parent = GetParentO())
        parent->HandleMessage(WM_COMMAND, WPARAM(GetId()), LPARAM(i));
    TRect r;
    if (SendMessageA(LB_GETITEMRECT, i, LPARAM(&r)) != LB_ERR) {
        r.right = BoxWidth;
        InvalidateRect(r, true);
    }
}
