// A property dialog's window life: set-up around its pages, OK / Cancel with the pages'
// consent, modal runs, and the routing of commands and keys to the selected page.
#include "controls/PropertyDialog.h"

#include "controls/PropertyTab.h"

#include "core/Application.h"
#include "core/DrawHelpers.h"

#include "foundation/MessageCatalogue.h"

#include <algorithm>

HBRUSH PropertyDialog::brushGray;
HHOOK PropertyDialog::keyHook;

TResponseTableEntry<PropertyDialog> const PropertyDialog::__entries[] = {
    EV_COMMAND(IDOK, CmOk),
    EV_COMMAND(IDCANCEL, CmCancel),
    EV_WM_DESTROY,
    EV_WM_SIZE,
    YRT_ROW(WM_SYSCOMMAND, 0, v_U_POINT, EvSysCommand),
    EV_MESSAGE(WM_CTLCOLOR, EvCtlColor, CtlColor),
    EV_COMMAND(20014, CmHelp),
END_RESPONSE_TABLE;

namespace {

// The hook and the brush go with the last open property dialog.
void ReleaseShared() {
    if (PropertyDialog::keyHook)
        ::UnhookWindowsHookEx(PropertyDialog::keyHook);
    PropertyDialog::keyHook = 0;
    if (PropertyDialog::brushGray)
        ::DeleteObject(PropertyDialog::brushGray);
    PropertyDialog::brushGray = 0;
}

// Strips still registered when the library goes are deleted with it, and the hook is
// removed: left behind it would call into the unloaded library.
struct OpenTabs {
    std::vector<PropertyTab *> tabs;
    OpenTabs() { tabs.reserve(6); }
    ~OpenTabs() {
        while (!tabs.empty()) {
            PropertyTab *tab = tabs.back();
            tabs.pop_back();
            delete tab;
        }
        ReleaseShared();
    }
};

}  // namespace

std::vector<PropertyTab *> &PropertyDialog::OpenPropertyTabs() {
    static OpenTabs open;
    return open.tabs;
}

int PropertyDialog::Margin() {
    static int value = GetDialogUnitsX(3);
    return value;
}
int PropertyDialog::ScrollGap() {
    static int value = GetDialogUnitsX(2);
    return value;
}
int PropertyDialog::ButtonGapX() {
    static int value = GetDialogUnitsX(2);
    return value;
}
int PropertyDialog::ButtonGapY() {
    static int value = GetDialogUnitsY(3);
    return value;
}

PropertyDialog::PropertyDialog(TWindow *parent, int resId, Tab::Style style, int tabBitmapId, int showImages,
                               TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, resId, module), tab_(0),
      style_((unsigned long)style | Tab::UseTabBitmaps) {
    tab_ = new PropertyTab(this, style_, tabBitmapId, showImages);
}

PropertyDialog::PropertyDialog(TWindow *parent, int resId, Tab::Style style, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, resId, module), tab_(0), style_(style) {
    tab_ = new PropertyTab(this, style_, resId, 0);
}

// A dialog deleted while open closes here, where its own clean-up still runs and can
// release the hook and the brush it shares.
PropertyDialog::~PropertyDialog() {
    if (GetHandle())
        Destroy(0);
    Unregister();
}

void PropertyDialog::Unregister() {
    auto &open = OpenPropertyTabs();
    open.erase(std::remove(open.begin(), open.end(), tab_), open.end());
}

// ---- entries

void PropertyDialog::Add(char const *label, PropertyPage *page, int enabled) {
    if (!tab_ || !page)
        return;
    page->owner_ = this;
    page->index_ = tab_->GetEntryCount();
    tab_->Add(label, page, enabled);
}

void PropertyDialog::Add(int labelId, PropertyPage *page, int enabled) {
    String label = FindString((unsigned)labelId);
    Add(label.c_str(), page, enabled);
}

int PropertyDialog::GetEntryCount() const { return tab_ ? tab_->GetEntryCount() : 0; }

PropertyPage *PropertyDialog::GetPageRef(int index) const {
    if (!tab_)
        return 0;
    return tab_->GetPage(index == -1 ? tab_->GetSelectedTab() : index);
}

PropertyPage *PropertyDialog::FindPage(int id, int *index) const {
    for (int i = 0, n = GetEntryCount(); i < n; ++i) {
        PropertyPage *page = GetPageRef(i);
        // the object's id: pages are looked for before their windows exist
        if (page && page->GetId() == id) {
            if (index)
                *index = i;
            return page;
        }
    }
    if (index)
        *index = -1;
    return 0;
}

void PropertyDialog::ForEachPage(PageAction action, void *arg) {
    for (int i = 0, n = GetEntryCount(); i < n; ++i)
        action(GetPageRef(i), arg);
}

PropertyPage *PropertyDialog::FirstPageThat(PageTest test, void *arg) {
    for (int i = 0, n = GetEntryCount(); i < n; ++i)
        if (test(GetPageRef(i), arg))
            return GetPageRef(i);
    return 0;
}

LRESULT PropertyDialog::SendMsgToEachPage(unsigned msg, WPARAM wp, LPARAM lp) {
    long result = 0;
    for (int i = 0, n = GetEntryCount(); i < n; ++i)
        if (PropertyPage *page = GetPageRef(i))
            result = page->GetHandle() ? page->SendMessageA(msg, wp, lp) : 0;
    return result;
}

int PropertyDialog::SaveAllPages() { return tab_ ? tab_->SavePageData() : 1; }
int PropertyDialog::UpdateAllPageControls() { return tab_ ? tab_->UpdateAllPageControls() : 1; }

void PropertyDialog::SetOpenPage(int index) {
    if (tab_)
        tab_->SetOpenPage(index);
}

int PropertyDialog::GetCurrPage() const {
    if (!tab_)
        return 0;
    return tab_->GetHandle() ? tab_->GetSelectedTab() : tab_->GetOpenPage();
}

void PropertyDialog::SetAutoCentering(int on) {
    unsigned long style = on ? style_ & ~Tab::PGO_NoAutoResize : style_ | Tab::PGO_NoAutoResize;
    style_ = style;
    if (tab_)
        tab_->SetTabStyle(on ? tab_->GetTabStyle() & ~Tab::PGO_NoAutoResize
                             : tab_->GetTabStyle() | Tab::PGO_NoAutoResize);
}

void PropertyDialog::SetActiveColor(TColor color) {
    if (tab_)
        tab_->SetActiveColor(color);
}
void PropertyDialog::SetFixedTabWidth(int width) {
    if (tab_)
        tab_->SetFixedTabWidth(width);
}
void PropertyDialog::SetWideMarginWidth(int width) {
    if (tab_)
        tab_->SetWideMarginWidth(width);
}

void PropertyDialog::MoveTabsAfterControl(HWND control, int focus) {
    if (!tab_ || !tab_->GetHandle() || !control)
        return;
    tab_->SetWindowPos(control, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (focus)
        if (HWND first = ::GetNextDlgTabItem(GetHandle(), 0, FALSE))
            PostMessageA(WM_NEXTDLGCTL, (WPARAM)first, 1);
}

int PropertyDialog::SelectTab(int index) { return tab_ ? tab_->SelectTab(index) : 0; }
int PropertyDialog::SelectNext() { return tab_ ? tab_->SelectNext(1) : 0; }
int PropertyDialog::SelectPrevious() { return tab_ ? tab_->SelectNext(-1) : 0; }
void PropertyDialog::AfterSelected(int) {}
int PropertyDialog::BeforeLeaving(int) { return 1; }

void PropertyDialog::TabColorChange(TApplication *app) {
    if (brushGray) {
        // the controls take the face colour from the system: the brush must match it
        HBRUSH old = brushGray;
        brushGray = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
        ::DeleteObject(old);
    }
    for (PropertyTab *tab : OpenPropertyTabs())
        tab->TabColorChange();
    if (app && app->Ctl3dEnabled() && app->GetCtl3dModule())
        app->GetCtl3dModule()->ColorChange();
}

void PropertyDialog::SetHookInstance(HINSTANCE) {}

// ---- OK, Cancel, closing

void PropertyDialog::CmOk() {
    if (style_ & Tab::NoMDIClose)
        return;
    if (!tab_ || (tab_->CheckCanClose() && tab_->SavePageData()))
        CloseAction(IDOK);
}

void PropertyDialog::CmCancel() { CloseAction(IDCANCEL); }

void PropertyDialog::CloseAction(int result) {
    if (style_ & Tab::NoMDIClose)
        return;
    if (result == IDOK)
        TDialog::CmOk();
    else if (result == IDCANCEL)
        TDialog::CmCancel();
    else
        CloseWindow(result);
}

void PropertyDialog::CmHelp() {
    if (PropertyPage *page = GetPageRef(-1))
        if (page->GetHandle())
            page->PostMessageA(WM_COMMAND, 20014, 0);
}

int PropertyDialog::Destroy(int result) {
    if (tab_)
        tab_->DestroyPages();
    Unregister();
    return Dialog::Destroy(result);
}

void PropertyDialog::EvDestroy() {
    if (tab_)
        tab_->DestroyPages();
    Unregister();
    TWindow::EvDestroy();
}

void PropertyDialog::CleanupWindow() {
    Dialog::CleanupWindow();
    if (OpenPropertyTabs().empty())
        ReleaseShared();
}

// ---- set-up

void PropertyDialog::UseSmallFont(HWND window) {
    HFONT font = (HFONT)::GetStockObject(ANSI_VAR_FONT);
    char cls[32];
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::GetClassNameA(child, cls, sizeof cls);
        bool noPrefixStatic = !lstrcmpiA(cls, "STATIC") && (::GetWindowLongA(child, GWL_STYLE) & SS_NOPREFIX);
        if (!noPrefixStatic)
            ::SendMessageA(child, WM_SETFONT, (WPARAM)font, 0);
        UseSmallFont(child);
    }
}

void PropertyDialog::SetupWindow() {
    if (tab_) {
        tab_->SetLaidOut(0);
        // the pages become the strip's children before the dialog walks its own
        for (int i = 0, n = tab_->GetEntryCount(); i < n; ++i)
            if (PropertyPage *page = tab_->GetPage(i))
                if (!page->GetHandle() && page->GetParentO() != tab_)
                    page->SetParent(tab_);
    }
    Dialog::SetupWindow();
    if (style_ & Tab::UseSmallFont)
        UseSmallFont(GetHandle());
    if (tab_ && !tab_->GetEntryCount()) {
        Unregister();
        tab_->Destroy(0);
        delete tab_;
        tab_ = 0;
    } else if (tab_) {
        auto &open = OpenPropertyTabs();
        if (open.empty()) {
            if (!brushGray)
                brushGray = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
            if (!keyHook)
                keyHook = ::SetWindowsHookExA(WH_KEYBOARD, &PropertyDialogKeyHook, 0, ::GetCurrentThreadId());
        }
        if (std::find(open.begin(), open.end(), tab_) == open.end())
            open.push_back(tab_);
        SizeTabWnd(GetClientRect());
        if (!(tab_->GetTabStyle() & Tab::PGO_NoAutoResize))
            FitToPages();
        if (style_ & Tab::FocusOnFirstControl)
            tab_->SetPageFocus(1);
    }
    if (style_ & Tab::CenterDialog) {
        TRect r = GetWindowRect();
        SetWindowPos(0, (::GetSystemMetrics(SM_CXSCREEN) - r.Width()) / 2,
                     (::GetSystemMetrics(SM_CYSCREEN) - r.Height()) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Fits the dialog to its largest page, centres each page's controls and the button row.
void PropertyDialog::FitToPages() {
    TRect pages(0, 0, 0, 0);
    for (int i = 0, n = GetEntryCount(); i < n; ++i) {
        PropertyPage *page = GetPageRef(i);
        if (!page || !page->GetHandle())
            continue;
        TRect r = page->GetClientRect();
        pages.right = std::max(pages.right, r.right);
        pages.bottom = std::max(pages.bottom, r.bottom);
    }
    _preventAutoLinkMove = 1;
    for (int i = 0, n = GetEntryCount(); i < n; ++i) {
        PropertyPage *page = GetPageRef(i);
        if (!page || !page->GetHandle() || !(page->GetCenterInPropertyPageH() || page->GetCenterInPropertyPageV()))
            continue;
        HWND h = page->GetHandle();
        HWND first = ::GetWindow(h, GW_CHILD);
        if (!first)
            continue;
        TRect box(0x7fffffff, 0x7fffffff, -0x7fffffff, -0x7fffffff);
        for (HWND c = first; c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            RECT r;
            ::GetWindowRect(c, &r);
            ::MapWindowPoints(0, h, (POINT *)&r, 2);
            box.left = std::min(box.left, r.left), box.top = std::min(box.top, r.top);
            box.right = std::max(box.right, r.right), box.bottom = std::max(box.bottom, r.bottom);
        }
        int dx = page->GetCenterInPropertyPageH() ? (pages.Width() - box.Width()) / 2 - box.left : 0;
        int dy = page->GetCenterInPropertyPageV() ? (pages.Height() - box.Height()) / 2 - box.top : 0;
        if (!dx && !dy)
            continue;
        for (HWND c = first; c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            RECT r;
            ::GetWindowRect(c, &r);
            ::MapWindowPoints(0, h, (POINT *)&r, 2);
            ::SetWindowPos(c, 0, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    _preventAutoLinkMove = 0;

    tab_->SetWindowPos(0, pages, SWP_NOZORDER | SWP_NOACTIVATE);
    tab_->CalculateTabWidths();
    pages.bottom += tab_->GetRows() * tab_->GetTabHeight();
    HWND ok = GetItemHandle(IDOK);
    RECT okRect = {0, 0, 0, 0};
    if (ok) {
        ::GetWindowRect(ok, &okRect);
        ::MapWindowPoints(0, GetHandle(), (POINT *)&okRect, 2);
    }
    int h = (okRect.bottom - okRect.top) * 4 / 3;
    pages.bottom += 2 * Margin() + ButtonGapY() + h + 2;
    pages.right += 2 * Margin() + 3;

    // the button row: every child but the strip follows the OK button down
    int newTop = pages.bottom - h;
    int dy = ok ? newTop - okRect.top : 0;
    int rowLeft = 0x7fffffff, rowRight = -0x7fffffff;
    for (HWND c = ::GetWindow(GetHandle(), GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (c == tab_->GetHandle())
            continue;
        RECT r;
        ::GetWindowRect(c, &r);
        rowLeft = std::min<int>(rowLeft, r.left), rowRight = std::max<int>(rowRight, r.right);
        ::MapWindowPoints(0, GetHandle(), (POINT *)&r, 2);
        ::SetWindowPos(c, 0, r.left, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    int rowWidth = rowLeft <= rowRight ? rowRight - rowLeft : 0;
    if (pages.right < 2 * Margin() + 3 + rowWidth + 2)
        pages.right = 2 * Margin() + 3 + rowWidth + 2;

    TRect window = GetWindowRect(), client = GetClientRect();
    int width = window.Width() - client.Width() + pages.Width();
    int height = window.Height() - client.Height() + pages.Height();
    SetWindowPos(0, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (rowLeft <= rowRight) {
        POINT left = {rowLeft, 0};
        ::ScreenToClient(GetHandle(), &left);
        int dx = (pages.Width() - rowWidth) / 2 - left.x;
        for (HWND c = ::GetWindow(GetHandle(), GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            if (c == tab_->GetHandle())
                continue;
            RECT r;
            ::GetWindowRect(c, &r);
            ::MapWindowPoints(0, GetHandle(), (POINT *)&r, 2);
            ::SetWindowPos(c, 0, r.left + dx, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    tab_->SetLaidOut(1);
    if (WasCenteredAtOpen()) {
        TPoint point;
        CenterMode mode = GetCenterMode(&point);
        CenterWindow(*this, mode, &point);
    }
    SizeTabWnd(pages);
}

void PropertyDialog::SizeTabWnd(TRect rect) {
    if (!tab_ || !tab_->GetHandle())
        return;
    if (tab_->GetTabStyle() & Tab::WizardFrame) {
        rect.left -= 2, rect.right += 2, rect.bottom += 2;
        rect.top -= tab_->GetTabHeight();
    } else {
        rect.left += Margin(), rect.top += Margin(), rect.right -= Margin(), rect.bottom -= Margin();
    }
    AdjustMargin(rect);
    tab_->SetWindowPos(0, rect, SWP_NOZORDER | SWP_NOACTIVATE);
    tab_->Invalidate(true);
}

void PropertyDialog::AdjustMargin(TRect &rect) {
    HWND ok = GetItemHandle(IDOK);
    if (!ok)
        return;
    RECT r;
    ::GetWindowRect(ok, &r);
    ::MapWindowPoints(0, GetHandle(), (POINT *)&r, 2);
    if (style_ & Tab::ButtonsOnRight)
        rect.right = r.left - ButtonGapX();
    else
        rect.bottom = r.top - ButtonGapY();
}

void PropertyDialog::EvSize(uint sizeType, TSize &size) {
    Dialog::EvSize(sizeType, size);
    if (sizeType != SIZE_MINIMIZED && tab_ && (tab_->GetTabStyle() & Tab::AutoTabResize))
        SizeTabWnd(GetClientRect());
}

int PropertyDialog::EvInitDialog(HWND focus) {
    Dialog::EvInitDialog(focus);
    return tab_ ? 0 : 1;
}

// ---- routing

int PropertyDialog::Find(TEventInfo &info, TEqualOperator equal) {
    // OK and Cancel stay the dialog's: the pages hand them back to it
    if (tab_ && (info.Msg == 0 || info.Msg == 0x7FFF) && info.Id > 2)
        if (PropertyPage *page = GetPageRef(-1))
            if (page->Find(info, equal))
                return 1;
    info.Object = reinterpret_cast<GENERIC *>(this);
    if (SearchEntries(__entries, info, equal))
        return 1;
    return Dialog::Find(info, equal);
}

LRESULT PropertyDialog::EvCommand(uint id, HWND control, uint notifyCode) {
    if (!control && id > 2)
        if (PropertyPage *page = GetPageRef(-1)) {
            TEventInfo info(0, id);
            if (page->GetHandle() && page->Find(info))
                return page->EvCommand(id, control, notifyCode);
        }
    return Dialog::EvCommand(id, control, notifyCode);
}

int PropertyDialog::IdleAction(long idleCount) {
    if (idleCount == 0)
        if (PropertyPage *page = GetPageRef(-1))
            if (page->GetHandle())
                page->IdleAction(0);
    return Dialog::IdleAction(idleCount);
}

void PropertyDialog::EvSysCommand(uint cmd, TPoint &) {
    if ((cmd & 0xFFF0) == SC_KEYMENU && GetEntryCount())
        if (PropertyPage *page = GetPageRef(-1))
            if (page->GetHandle() && page->CheckHotKey(0))
                return;
    DefaultProcessing();
}

HBRUSH PropertyDialog::GrayColors(HDC dc, HWND child, uint ctlType) {
    if (!TSystem::Has3dUI() || !brushGray || ctlType < 3)
        return 0;
    ::SetTextColor(dc, ::IsWindowEnabled(child) ? RGB(0, 0, 0) : ::GetSysColor(COLOR_GRAYTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return brushGray;
}

HBRUSH PropertyDialog::EvCtlColor(HDC hDC, HWND hWndChild, uint ctlType) {
    if (HBRUSH brush = GrayColors(hDC, hWndChild, ctlType))
        return brush;
    return TDialog::EvCtlColor(hDC, hWndChild, ctlType);
}
