#include "controls/PropertyTab.h"

#include "core/Application.h"
#include "core/CommonControls.h"
#include "core/Dc.h"
#include "core/GdiObject.h"
#include "core/ImageList.h"

#include <cstring>

DEFINE_RESPONSE_TABLE1(PropertyTab, TControl)
    EV_WM_LBUTTONDOWN,
    EV_WM_RBUTTONDOWN,
    EV_WM_SIZE,
    EV_WM_SETFOCUS,
    EV_WM_KILLFOCUS,
    EV_WM_KEYDOWN,
    YRT_ROW(WM_GETDLGCODE, 0, U_U, EvGetDlgCode),
END_RESPONSE_TABLE;

namespace {

// The system's scroll arrow bitmaps, enabled and disabled.
enum { LeftArrow = 32750, LeftArrowOff = 32734, RightArrow = 32751, RightArrowOff = 32735 };

// The first page change of the process asks nobody: no page has been seen yet.
int selectionMade;

unsigned long Normalised(unsigned long style) {
    if (style & Tab::WizardFrame)
        style &= ~(Tab::DoubleHeight | Tab::Stacked | Tab::Justified);
    if (style & Tab::Stacked)
        style = (style & ~Tab::Collapsing) | Tab::Justified;
    return style;
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
    HPEN pen = ::CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, x1, y1, 0);
    ::LineTo(dc, x2, y2);
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}

void Fill(HDC dc, TRect const &r, COLORREF color) {
    ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, 0, 0, 0);
}

}  // namespace

PropertyTab::PropertyTab(TWindow *dialog, Tab::Style style, int bitmapId, int showImages)
    : TWindow(dialog, "", 0), TControl(dialog, ControlId, "", 0, 0, 1, 1), activeColor_(RGB(255, 255, 255)),
      selected_(0), openPage_(0), style_(Normalised(style)), tabHeight_(0), textHeight_(0), fixedWidth_(64),
      wideMargin_(6), pageRect_(0, 0, 0, 0), laidOut_(0), bitmapId_(bitmapId), rows_(1), origin_(0),
      leftScroll_(0), rightScroll_(0), tabLimit_(0), leftArrow_(0), rightArrow_(0), images_(0),
      showImages_(showImages), lastSelected_(-1), normalFont_(0), boldFont_(0) {
    entries_.reserve(11);
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    if (!(style_ & Tab::WizardFrame))
        Attr.Style |= WS_TABSTOP;
    for (int i = 0; i < MaxRows; ++i)
        rowOrder_[i] = i, rowRange_[i][0] = rowRange_[i][1] = 0;
    SetFixedTabWidth(64);
    SetWideMarginWidth(6);
    TabColorChange();
}

// The pages whose windows are left go with the strip's other children.
PropertyTab::~PropertyTab() {
    delete leftArrow_;
    delete rightArrow_;
    delete images_;
    delete normalFont_;
    delete boldFont_;
}

char const *PropertyTab::GetClassNameA() { return "tbProperty"; }

void PropertyTab::GetWindowClass(WNDCLASSA &wc) {
    TWindow::GetWindowClass(wc);
    wc.hbrBackground = 0;
    wc.style = CS_PARENTDC | CS_HREDRAW | CS_VREDRAW;
}

PropertyDialog *PropertyTab::Owner() const { return dynamic_cast<PropertyDialog *>(Parent); }

void PropertyTab::Add(char const *label, PropertyPage *page, int enabled) {
    entries_.push_back(PropertyEntry{String(label ? label : ""), page, 0, enabled});
}

PropertyPage *PropertyTab::GetPage(int index) const {
    return index >= 0 && index < GetEntryCount() ? entries_[index].Page : 0;
}

// ---- set-up and clean-up

void PropertyTab::SetupWindow() {
    TControl::SetupWindow();
    delete normalFont_;
    delete boldFont_;
    normalFont_ = new TFont((HFONT)::GetStockObject(ANSI_VAR_FONT));
    LOGFONTA face = {};
    ::GetObjectA(::GetStockObject(ANSI_VAR_FONT), sizeof face, &face);
    face.lfWeight = 700;
    boldFont_ = new TFont(&face);
    {
        TClientDC dc(GetHandle());
        HGDIOBJ old = ::SelectObject(dc, (HFONT)*boldFont_);
        RECT r = {0, 0, 0, 0};
        textHeight_ = ::DrawTextA(dc, "(|&y#", -1, &r, DT_CALCRECT | DT_CENTER);
        ::SelectObject(dc, old);
    }
    tabHeight_ = textHeight_ + ((style_ & Tab::DoubleHeight) ? textHeight_ : 2) + 9;
    if ((style_ & Tab::UseTabBitmaps) && !images_ && bitmapId_) {
        try {
            images_ = new ImageList(GetModule() ? GetModule()->GetHandle() : 0, bitmapId_, RGB(128, 0, 0), 16, 16,
                                    GetEntryCount(), ILC_COLOR4 | ILC_MASK, 1);
        } catch (...) {
            images_ = 0;  // the tabs keep their room without pictures
        }
    }
    for (int i = 0; i < GetEntryCount(); ++i) {
        PropertyPage *page = entries_[i].Page;
        if (!page || ((style_ & Tab::AllowDupPages) && page->GetHandle()))
            continue;
        page->SetParent(this);
        if (!(style_ & (Tab::CreateOnDemand | Tab::CreateOnDemandAndKeepIt)))
            CreatePage(i);
    }
    int n = GetEntryCount();
    selected_ = 0;
    if (openPage_ >= 0 && openPage_ < n && IsTabVisible(openPage_) && IsTabEnabled(openPage_))
        selected_ = openPage_;
    else
        for (int i = 0; i < n; ++i)
            if (IsTabVisible(i) && IsTabEnabled(i)) {
                selected_ = i;
                break;
            }
    CalculateTabWidths();
    if (PropertyDialog *owner = Owner())
        owner->AfterSelected(selected_);
    if (PropertyPage *page = GetPage(selected_))
        page->AfterSelected();
    SetPageFocus(0);
}

int PropertyTab::CreatePage(int index) {
    PropertyPage *page = GetPage(index);
    if (!page)
        return 0;
    if (!page->GetHandle()) {
        if (page->GetParentO() != this)
            page->SetParent(this);
        try {
            if (!page->Create())
                return 0;
        } catch (...) {
            return 0;  // left without a window; the sweeps that need one skip it
        }
        page->SetWindowPos(0, pageRect_.left, pageRect_.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (style_ & Tab::UseSmallFont)
            PropertyDialog::UseSmallFont(page->GetHandle());
    }
    return 1;
}

void PropertyTab::CleanupWindow() {
    openPage_ = selected_;  // a dialog executed again reopens here
    delete normalFont_;
    delete boldFont_;
    delete images_;
    normalFont_ = boldFont_ = 0;
    images_ = 0;
    TControl::CleanupWindow();
}

// ---- entries

int PropertyTab::IsTabVisible(int index) const {
    if (index < 0 || index >= GetEntryCount())
        return 0;
    return (style_ & Tab::Collapsing) ? entries_[index].Enabled : 1;
}

int PropertyTab::IsTabEnabled(int index) const {
    return index >= 0 && index < GetEntryCount() ? entries_[index].Enabled : 0;
}

void PropertyTab::EnableTab(int index, int enable) {
    if (index < 0 || index >= GetEntryCount() || !entries_[index].Enabled == !enable)
        return;
    entries_[index].Enabled = enable ? 1 : 0;
    if (!GetHandle())
        return;
    if (style_ & Tab::Collapsing) {
        AdjustOrigin(selected_);
        CalculateTabWidths();
        Invalidate(false);
    } else {
        InvalidateTab(index);
    }
}

String PropertyTab::GetTabText(int index) const {
    return index >= 0 && index < GetEntryCount() ? entries_[index].Label : String();
}

void PropertyTab::SetTabText(int index, char const *text) {
    if (index < 0 || index >= GetEntryCount())
        return;
    entries_[index].Label = text ? text : "";
    if (!GetHandle())
        return;
    int rows = rows_;
    CalculateTabWidths();
    if ((style_ & Tab::Stacked) && rows != rows_)
        RedrawDialogs();
    Invalidate(false);
}

// ---- layout

int PropertyTab::CalcTabWidth(int index) {
    char const *label = entries_[index].Label.c_str();
    int width;
    if (style_ & Tab::FixedWidth) {
        width = fixedWidth_;
    } else {
        TClientDC dc(GetHandle());
        HGDIOBJ old = boldFont_ ? ::SelectObject(dc, (HFONT)*boldFont_) : 0;
        RECT r = {0, 0, 0, 0};
        if ((style_ & Tab::DoubleHeight) && std::strpbrk(label, " \r\n")) {
            int w = fixedWidth_;
            for (;;) {
                r = {0, 0, w, 0};
                int h = ::DrawTextA(dc, label, -1, &r, DT_CALCRECT | DT_WORDBREAK);
                if (h < 3 * textHeight_)
                    break;
                w += 8;
            }
        } else {
            ::DrawTextA(dc, label, -1, &r, DT_CALCRECT);
        }
        width = r.right - r.left;
        if (old)
            ::SelectObject(dc, old);
    }
    width += 9;
    if (style_ & Tab::WideMargins)
        width += 2 * wideMargin_;
    if (style_ & Tab::UseTabBitmaps)
        width += 28;
    return width > fixedWidth_ ? width : fixedWidth_;
}

void PropertyTab::CalculateBasicTabWidths() {
    int n = GetEntryCount();
    for (int i = 0; i < n; ++i)
        entries_[i].Width = GetHandle() ? CalcTabWidth(i) : 0;
    TRect client = GetClientRect();
    rows_ = 1;
    rowRange_[0][0] = 0;
    rowRange_[0][1] = n - 1;
    if (style_ & Tab::Stacked) {
        int x = 0;
        for (int i = 0; i < n; ++i) {
            if (!IsTabVisible(i))
                continue;
            if (x > 0 && x + entries_[i].Width > client.right && rows_ < MaxRows) {
                rowRange_[rows_ - 1][1] = i - 1;
                rowRange_[rows_][0] = i;
                rowRange_[rows_][1] = n - 1;
                ++rows_;
                x = 0;
            }
            x += entries_[i].Width;
        }
    }
}

void PropertyTab::CalculateTabWidths() {
    CalculateBasicTabWidths();
    AssessScroll();
    if (!(style_ & Tab::Justified) || (!(style_ & Tab::Stacked) && (leftScroll_ || rightScroll_)))
        return;
    int width = GetClientRect().right;
    for (int row = 0; row < rows_; ++row) {
        int sum = 0, count = 0;
        for (int i = rowRange_[row][0]; i <= rowRange_[row][1]; ++i)
            if (IsTabVisible(i))
                sum += entries_[i].Width, ++count;
        int spare = width - sum;
        if (spare < 0 || !count)
            continue;
        for (int i = rowRange_[row][0]; i <= rowRange_[row][1]; ++i)
            if (IsTabVisible(i)) {
                int share = spare / count--;
                entries_[i].Width += share;
                spare -= share;
            }
    }
}

int PropertyTab::RowOf(int index) const {
    for (int row = 0; row < rows_; ++row)
        if (index >= rowRange_[row][0] && index <= rowRange_[row][1])
            return row;
    return 0;
}

TRect PropertyTab::GetTabRect(int index) const {
    TRect none(0, 0, 0, 0);
    if (index < 0 || index >= GetEntryCount() || !IsTabVisible(index))
        return none;
    int row = RowOf(index), position = 0;
    for (int d = 0; d < rows_; ++d)
        if (rowOrder_[d] == row)
            position = d;
    int first = (style_ & Tab::Stacked) ? rowRange_[row][0] : origin_;
    if (index < first)
        return none;
    int x = 0;
    for (int i = first; i < index; ++i)
        if (IsTabVisible(i))
            x += entries_[i].Width;
    int top = (rows_ - position - 1) * tabHeight_;
    return TRect(x, top, x + entries_[index].Width - 1, top + tabHeight_ - 1);
}

int PropertyTab::GetMouseTab(TPoint const &point) const {
    for (int i = (style_ & Tab::Stacked) ? 0 : origin_; i < GetEntryCount(); ++i) {
        TRect r = GetTabRect(i);
        if (r.IsEmpty() || r.left >= tabLimit_)
            continue;
        if (point.x >= r.left && point.x <= r.right && point.y >= r.top && point.y <= r.bottom)
            return IsTabEnabled(i) ? i : -1;
    }
    return -1;
}

TRect PropertyTab::ArrowArea() const {
    int cx = ::GetSystemMetrics(SM_CXHSCROLL), cy = ::GetSystemMetrics(SM_CYHSCROLL);
    int right = GetClientRect().right;
    return TRect(right - 2 * cx, tabHeight_ - cy, right, tabHeight_);
}

void PropertyTab::AssessScroll() {
    int oldLeft = leftScroll_, oldRight = rightScroll_;
    int width = GetClientRect().right;
    if (style_ & Tab::Stacked) {
        leftScroll_ = rightScroll_ = 0;
    } else {
        leftScroll_ = origin_ > 0;
        int x = 0;
        for (int i = origin_; i < GetEntryCount(); ++i)
            if (IsTabVisible(i))
                x += entries_[i].Width;
        rightScroll_ = x > width;
    }
    tabLimit_ = (leftScroll_ || rightScroll_) ? ArrowArea().left - PropertyDialog::ScrollGap() : width;
    if (oldLeft != leftScroll_ || oldRight != rightScroll_ || !leftArrow_) {
        delete leftArrow_;
        delete rightArrow_;
        leftArrow_ = rightArrow_ = 0;
        if (leftScroll_ || rightScroll_) {
            leftArrow_ = new TBitmap(::LoadBitmapA(0, MAKEINTRESOURCEA(leftScroll_ ? LeftArrow : LeftArrowOff)),
                                     AutoDelete);
            rightArrow_ = new TBitmap(::LoadBitmapA(0, MAKEINTRESOURCEA(rightScroll_ ? RightArrow : RightArrowOff)),
                                      AutoDelete);
        }
        if (GetHandle() && (oldLeft != leftScroll_ || oldRight != rightScroll_)) {
            InvalidateRect(ArrowArea(), false);
            if ((style_ & Tab::Justified) && !leftScroll_ && !rightScroll_)
                CalculateTabWidths();
        }
    }
}

void PropertyTab::AdjustOrigin(int index) {
    if (style_ & Tab::Stacked || index < 0)
        return;
    if (index < origin_) {
        origin_ = index;
        return;
    }
    while (origin_ < index) {
        AssessScroll();
        TRect r = GetTabRect(index);
        if (r.right < tabLimit_)
            break;
        ++origin_;
    }
}

void PropertyTab::NextOrigin(int step) {
    int n = GetEntryCount();
    do
        origin_ += step;
    while (origin_ > 0 && origin_ < n - 1 && !IsTabEnabled(origin_));
    if (origin_ < 0)
        origin_ = 0;
    if (origin_ > n - 1)
        origin_ = n - 1;
    Invalidate(false);
    AssessScroll();
    UpdateWindow();
}

void PropertyTab::RedrawDialogs() {
    TRect client = GetClientRect();
    pageRect_ = TRect(1, rows_ * tabHeight_ + 1, client.right - 2, client.bottom - 2);
    for (auto &entry : entries_)
        if (entry.Page && entry.Page->GetHandle())
            entry.Page->SetWindowPos(0, pageRect_.left, pageRect_.top, 0, 0,
                                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PropertyTab::EvSize(uint sizeType, TSize &size) {
    TWindow::EvSize(sizeType, size);
    if ((style_ & Tab::PGO_NoAutoResize) || laidOut_) {
        CalculateTabWidths();
        RedrawDialogs();
    } else {
        pageRect_ = TRect(1, rows_ * tabHeight_ + 1, GetClientRect().right - 2, GetClientRect().bottom - 2);
    }
    Invalidate(false);
}

void PropertyTab::InvalidateTab(int index) {
    TRect r = GetTabRect(index);
    if (!r.IsEmpty() && GetHandle())
        InvalidateRect(TRect(r.left - 1, r.top, r.right + 2, r.bottom + 2), false);
}

// ---- selection

int PropertyTab::SelectTab(int t) {
    if (t < 0 || t >= GetEntryCount())
        return 0;
    if (t == selected_) {
        SetPageFocus(1);
        return 1;
    }
    int current = selected_ < 0 ? 0 : selected_;
    if (selectionMade) {
        PropertyDialog *owner = Owner();
        if (owner && !owner->BeforeLeaving(t))
            return 0;
        PropertyPage *page = GetPage(current);
        if (page && page->GetHandle() && !page->BeforeLeaving())
            return 0;
    }
    selectionMade = 1;
    int oldOrigin = origin_;
    AdjustOrigin(t);
    PropertyPage *old = GetPage(current);
    if (old != GetPage(t) && old && old->GetHandle()) {
        HRGN pending = ::CreateRectRgn(0, 0, 0, 0);
        ::GetUpdateRgn(GetHandle(), pending, FALSE);
        SendMessageA(WM_SETREDRAW, 0);
        if (style_ & Tab::CreateOnDemand) {
            old->SaveData();
            old->Destroy(2);
        } else {
            if (style_ & Tab::SaveOnClosePage)
                old->SaveData();
            old->ShowWindow(SW_HIDE);
        }
        SendMessageA(WM_SETREDRAW, 1);
        ::InvalidateRgn(GetHandle(), pending, FALSE);
        ::DeleteObject(pending);
    }
    if (style_ & Tab::Stacked) {
        int row = RowOf(t);
        for (int d = 1; d < rows_; ++d)
            if (rowOrder_[d] == row) {
                rowOrder_[d] = rowOrder_[0];
                rowOrder_[0] = row;
                Invalidate(false);
            }
    }
    InvalidateTab(current);
    selected_ = t;
    if (oldOrigin != origin_) {
        Invalidate(false);
        AssessScroll();
    } else {
        InvalidateTab(t);
    }
    SetPageFocus(1);
    if (PropertyDialog *owner = Owner())
        owner->AfterSelected(t);
    if (PropertyPage *page = GetPage(t))
        page->AfterSelected();
    lastSelected_ = t;
    return 1;
}

int PropertyTab::SelectNext(int step) {
    int n = GetEntryCount();
    if (!n)
        return 0;
    int i = selected_ < 0 ? 0 : selected_;
    for (;;) {
        i = (i + step + n) % n;
        if (i == selected_)
            return 0;
        if (IsTabVisible(i) && IsTabEnabled(i))
            break;
    }
    if (!SelectTab(i))
        return 0;
    UpdateWindow();
    return 1;
}

int PropertyTab::SelectTabByKey(char c) {
    if (!c)
        return 0;
    for (int i = 0; i < GetEntryCount(); ++i)
        if (IsTabEnabled(i) && HasMnemonic(entries_[i].Label.c_str(), c))
            return SelectTab(i);
    return 0;
}

HWND PropertyTab::SetPageFocus(int focus) {
    PropertyPage *page = GetPage(selected_);
    if ((style_ & (Tab::CreateOnDemand | Tab::CreateOnDemandAndKeepIt)) && page && !page->GetHandle())
        CreatePage(selected_);
    HWND result = GetHandle();
    TApplication *app = GetApplication();
    if (focus) {
        if (app)
            app->PumpWaitingMessages();
        if (style_ & Tab::FocusOnFirstControl) {
            if (HWND first = GetFirstControl())
                result = first;
            if (Parent)
                Parent->PostMessageA(WM_NEXTDLGCTL, (WPARAM)result, 1);
        } else if (::GetFocus() != GetHandle() && Parent) {
            Parent->PostMessageA(WM_NEXTDLGCTL, (WPARAM)GetHandle(), 1);
        }
    }
    if (app)
        app->PumpWaitingMessages();
    if (page && page->GetHandle())
        page->ShowWindow(SW_SHOW);
    return result;
}

HWND PropertyTab::FirstTabStop(HWND window, bool first) {
    HWND child = window ? ::GetWindow(window, GW_CHILD) : 0;
    if (!child)
        return 0;
    HWND stop = ::GetNextDlgTabItem(window, child, TRUE);
    if (first)
        stop = ::GetNextDlgTabItem(window, stop, FALSE);
    return stop && (::GetWindowLongA(stop, GWL_STYLE) & WS_TABSTOP) ? stop : 0;
}

void PropertyTab::SelectAllIfEdit(HWND control) {
    if (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::PostMessageA(control, EM_SETSEL, 0, 0x7fff);
}

HWND PropertyTab::GetFirstControl() {
    PropertyPage *page = GetPage(selected_);
    return page ? FirstTabStop(page->GetHandle(), true) : 0;
}

void PropertyTab::SelectFirstControl() {
    PropertyPage *page = GetPage(selected_);
    HWND first = GetFirstControl();
    if (!page || !first)
        return;
    page->PostMessageA(WM_NEXTDLGCTL, (WPARAM)first, 1);
    SelectAllIfEdit(first);
}

// ---- page sweeps

int PropertyTab::SavePageData() {
    for (auto &entry : entries_)
        if (entry.Page && entry.Page->GetHandle() && !entry.Page->SaveData())
            return 0;
    return 1;
}

int PropertyTab::CheckCanClose() {
    for (auto &entry : entries_)
        if (entry.Page && !entry.Page->CanPageClose()) {
            entry.Page->AfterCantClose();
            return 0;
        }
    return 1;
}

int PropertyTab::UpdateAllPageControls() {
    for (auto &entry : entries_) {
        if (!entry.Page)
            continue;
        if (entry.Page->GetHandle() && !entry.Page->UpdateControls())
            return 0;
        if (PropertyDialog *owner = Owner())
            owner->UpdateControls();
        entry.Page->TransferData(tdSetData);
    }
    return 1;
}

void PropertyTab::DestroyPages() {
    for (auto &entry : entries_)
        if (entry.Page && entry.Page->GetHandle())
            entry.Page->Destroy(2);
}

// ---- looks

void PropertyTab::SetActiveColor(TColor color) {
    activeColor_ = color;
    InvalidateTab(selected_);
}

void PropertyTab::SetFixedTabWidth(int width) {
    fixedWidth_ = width ? width : 64;
    if (GetHandle()) {
        CalculateTabWidths();
        Invalidate(false);
    }
}

void PropertyTab::SetWideMarginWidth(int width) {
    wideMargin_ = width;
    if (GetHandle()) {
        CalculateTabWidths();
        Invalidate(false);
    }
}

void PropertyTab::TabColorChange() {
    TApplication *app = GetApplicationObject();
    if (TSystem::Has3dUI() || (app && app->Ctl3dEnabled())) {
        highlight_ = ::GetSysColor(COLOR_BTNHIGHLIGHT);
        face_ = ::GetSysColor(COLOR_BTNFACE);
        shadow_ = ::GetSysColor(COLOR_BTNSHADOW);
    } else {
        highlight_ = ::GetSysColor(COLOR_WINDOWFRAME);
        face_ = ::GetSysColor(COLOR_WINDOW);
        shadow_ = ::GetSysColor(COLOR_WINDOWFRAME);
    }
    frame_ = ::GetSysColor(COLOR_WINDOWFRAME);
    if (GetHandle())
        Invalidate(false);
}

// ---- painting

void PropertyTab::DrawTab(TDC &dc, int index, TRect const &tab, int front) {
    bool selected = index == selected_;
    // the selected tab stands 2 pixels taller and 1 wider to the left than the others
    TRect r = selected ? TRect(tab.left - 1, tab.top, tab.right, tab.bottom)
                       : TRect(tab.left, tab.top + 2, tab.right, tab.bottom);
    int right = r.right < tabLimit_ ? r.right : tabLimit_ - 1;
    bool cut = r.right >= tabLimit_;
    COLORREF body = selected && (style_ & Tab::ColorActive) ? activeColor_.GetValue() : face_.GetValue();
    Fill(dc, TRect(r.left + 1, r.top + 1, right, r.bottom + (front && selected ? 2 : 1)), body);
    COLORREF hi = highlight_.GetValue(), sh = shadow_.GetValue();
    Line(dc, r.left, r.bottom, r.left, r.top + 4, hi);
    Line(dc, r.left, r.top + 4, r.left + 4, r.top, hi);
    Line(dc, r.left + 4, r.top, right - 4, r.top, hi);
    if (cut) {
        for (int y = r.top; y < r.bottom; y += 4)  // zig-zag where the arrows cut the tab
            Line(dc, right, y, right - 2, y + 2, sh), Line(dc, right - 2, y + 2, right, y + 4, sh);
    } else {
        COLORREF edge = selected && (style_ & Tab::ColorActive) ? hi : sh;
        int foot = r.bottom + (front && selected ? 2 : 1);  // the front tab joins the page frame
        Line(dc, right - 4, r.top, right - 1, r.top + 3, edge);
        Line(dc, right - 1, r.top + 3, right - 1, foot, edge);
        Line(dc, right, r.top + 4, right, foot, frame_.GetValue());
    }
    HRGN clip = ::CreateRectRgn(r.left + 1, r.top + 1, right, r.bottom);
    ::SelectClipRgn(dc, clip);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, IsTabEnabled(index) ? ::GetSysColor(COLOR_WINDOWTEXT) : RGB(128, 128, 128));
    HGDIOBJ old = ::SelectObject(dc, selected ? (HFONT)*boldFont_ : (HFONT)*normalFont_);
    TRect text(r.left + 1, r.top + 1, right, r.bottom);
    if (images_) {
        if (showImages_ && TCommCtrl::IsAvailable())
            TCommCtrl::Dll()->ImageList_Draw(*images_, index, dc, r.left + 6, r.top + (r.Height() - 16) / 2,
                                             ILD_TRANSPARENT);
        text.left += 28;
    }
    char const *label = entries_[index].Label.c_str();
    RECT wrapped = text;
    int wrappedHeight = ::DrawTextA(dc, label, -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    if ((style_ & Tab::DoubleHeight) && wrappedHeight > textHeight_ + 4) {
        RECT at = text;
        at.top += (text.Height() - wrappedHeight) / 2;
        ::DrawTextA(dc, label, -1, &at, DT_WORDBREAK | DT_CENTER);
    } else {
        ::DrawTextA(dc, label, -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    ::SelectObject(dc, old);
    ::SelectClipRgn(dc, 0);
    ::DeleteObject(clip);
    if (selected && ::GetFocus() == GetHandle()) {
        RECT focus = {r.left + 3, r.top + 3, right - 3, r.bottom - 2};
        ::DrawFocusRect(dc, &focus);
    }
}

void PropertyTab::DrawRow(TDC &dc, int row, int position) {
    int first = (style_ & Tab::Stacked) ? rowRange_[row][0] : origin_;
    int last = rowRange_[row][1];
    int end = 0;
    for (int i = first; i <= last; ++i) {
        TRect r = GetTabRect(i);
        if (r.IsEmpty() || r.left >= tabLimit_)
            continue;
        if (i != selected_)
            DrawTab(dc, i, r, position == 0);
        if (position == 0 && i != selected_) {
            Line(dc, r.left, tabHeight_ * rows_ - 1, r.right + 1, tabHeight_ * rows_ - 1, face_.GetValue());
            Line(dc, r.left, tabHeight_ * rows_, r.right + 1, tabHeight_ * rows_, highlight_.GetValue());
        }
        end = r.right + 1;
    }
    if (row == RowOf(selected_)) {
        TRect r = GetTabRect(selected_);
        if (!r.IsEmpty() && r.left < tabLimit_)
            DrawTab(dc, selected_, r, position == 0);
    }
    if (position == 0 && end < tabLimit_) {
        int y = tabHeight_ * rows_;
        Fill(dc, TRect(end, y - tabHeight_, tabLimit_, y), face_.GetValue());
        Line(dc, end, y, GetClientRect().right - 1, y, highlight_.GetValue());
    }
}

void PropertyTab::Paint(TDC &dc, int, TRect &) {
    TRect client = GetClientRect();
    if (style_ & Tab::WizardFrame) {
        // the class has no background: what the pages leave free is filled here
        Fill(dc, client, face_.GetValue());
        Line(dc, 12, client.bottom - 2, client.right - 12, client.bottom - 2, shadow_.GetValue());
        Line(dc, 12, client.bottom - 1, client.right - 12, client.bottom - 1, highlight_.GetValue());
        return;
    }
    int top = rows_ * tabHeight_;
    Fill(dc, TRect(0, 0, client.right, top), face_.GetValue());
    Fill(dc, TRect(1, top + 1, client.right - 2, client.bottom - 2), face_.GetValue());
    Line(dc, 0, top, 0, client.bottom - 1, highlight_.GetValue());
    Line(dc, 0, client.bottom - 1, client.right - 1, client.bottom - 1, frame_.GetValue());
    Line(dc, client.right - 1, top, client.right - 1, client.bottom, frame_.GetValue());
    Line(dc, 1, client.bottom - 2, client.right - 2, client.bottom - 2, shadow_.GetValue());
    Line(dc, client.right - 2, top + 1, client.right - 2, client.bottom - 1, shadow_.GetValue());
    if (leftScroll_ || rightScroll_) {
        TRect arrows = ArrowArea();
        int cx = ::GetSystemMetrics(SM_CXHSCROLL);
        TMemoryDC memory(dc);
        for (int side = 0; side < 2; ++side) {
            TBitmap *bitmap = side ? rightArrow_ : leftArrow_;
            if (!bitmap)
                continue;
            memory.SelectObject(*bitmap);
            ::StretchBlt(dc, arrows.left + side * cx, arrows.top, cx, arrows.Height(), memory, 0, 0,
                         bitmap->Width(), bitmap->Height(), SRCCOPY);
            memory.RestoreBitmap();
        }
        Fill(dc, TRect(arrows.left - PropertyDialog::ScrollGap(), top - tabHeight_, arrows.left, top),
             face_.GetValue());
        Line(dc, arrows.left - PropertyDialog::ScrollGap(), top, client.right - 1, top, highlight_.GetValue());
    }
    for (int d = rows_ - 1; d >= 0; --d)
        DrawRow(dc, rowOrder_[d], d);
}

// ---- mouse and keyboard

void PropertyTab::EvLButtonDown(uint, TPoint &point) {
    if (leftScroll_ || rightScroll_) {
        TRect arrows = ArrowArea();
        if (point.x >= arrows.left - PropertyDialog::ScrollGap() && point.y < tabHeight_) {
            int cx = ::GetSystemMetrics(SM_CXHSCROLL);
            if (point.x >= arrows.left && point.y >= arrows.top) {
                if (point.x < arrows.left + cx && leftScroll_)
                    NextOrigin(-1);
                else if (point.x >= arrows.left + cx && rightScroll_)
                    NextOrigin(1);
            }
            return;
        }
    }
    int tab = GetMouseTab(point);
    if (tab >= 0)
        SelectTab(tab);
}

void PropertyTab::EvRButtonDown(uint keys, TPoint &point) {
    int tab = GetMouseTab(point);
    if (tab >= 0 && GetPage(tab))
        GetPage(tab)->OnRightClick(keys, point);
}

void PropertyTab::EvSetFocus(WPARAM) { InvalidateTab(selected_); }
void PropertyTab::EvKillFocus(WPARAM) { InvalidateTab(selected_); }

void PropertyTab::EvKeyDown(uint key, uint, uint) {
    if (::GetKeyState(VK_CONTROL) & 0x8000)
        return;
    switch (key) {
    case VK_PRIOR:
    case VK_LEFT:
    case VK_UP:
        SelectNext(-1);
        break;
    case VK_NEXT:
    case VK_RIGHT:
    case VK_DOWN:
        SelectNext(1);
        break;
    default:
        DefaultProcessing();
    }
}

uint PropertyTab::EvGetDlgCode(uint) { return (uint)DefaultProcessing() | DLGC_WANTARROWS; }

LRESULT PropertyTab::EvCommand(uint id, HWND control, uint notifyCode) {
    if (!control && Parent)
        return Parent->EvCommand(id, control, notifyCode);
    return TControl::EvCommand(id, control, notifyCode);
}
