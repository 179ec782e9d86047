// A page of a property dialog: a child dialog inside the tab strip that answers OK and
// Cancel through its dialog and is asked before it is left or closed.
#include "controls/PropertyDialog.h"

#include "controls/PropertyTab.h"

#include "core/Application.h"

TResponseTableEntry<PropertyPage> const PropertyPage::__entries[] = {
    EV_COMMAND(IDOK, CmForward),
    EV_COMMAND(IDCANCEL, CmForward),
    YRT_ROW(WM_SYSCOMMAND, 0, v_U_POINT, EvSysCommand),
    EV_MESSAGE(WM_CTLCOLOR, EvCtlColor, CtlColor),
END_RESPONSE_TABLE;

PropertyPage::PropertyPage(int resId, TModule *module)
    : TWindow(0, 0, module), Dialog(0, resId, module), index_(0), owner_(0) {}

PropertyPage::PropertyPage(PropertyDialog *dialog, int resId, TModule *module)
    : TWindow(dialog, 0, module), Dialog(dialog, resId, module), index_(0), owner_(0) {}

PropertyPage::~PropertyPage() {}

int PropertyPage::Find(TEventInfo &info, TEqualOperator equal) {
    info.Object = reinterpret_cast<GENERIC *>(this);
    if (SearchEntries(__entries, info, equal))
        return 1;
    return Dialog::Find(info, equal);
}

PropertyTab *PropertyPage::Strip() const { return dynamic_cast<PropertyTab *>(Parent); }

int PropertyPage::IsOkForGlobalOk(int) { return 1; }

int PropertyPage::SelectTab(int index) {
    PropertyTab *strip = Strip();
    return strip ? strip->SelectTab(index == -1 ? index_ : index) : 0;
}
int PropertyPage::SelectNext() { return Strip() ? Strip()->SelectNext(1) : 0; }
int PropertyPage::SelectPrevious() { return Strip() ? Strip()->SelectNext(-1) : 0; }
void PropertyPage::AfterSelected() {}
int PropertyPage::BeforeLeaving() { return 1; }
int PropertyPage::CanPageClose() { return 1; }
void PropertyPage::AfterCantClose() { SelectTab(-1); }
void PropertyPage::OnRightClick(unsigned, TPoint &) {}

int PropertyPage::SaveData() {
    TransferData(tdGetData);
    return 1;
}

void PropertyPage::EnableTab(int index, int enable) {
    if (PropertyTab *strip = Strip())
        strip->EnableTab(index == -1 ? index_ : index, enable);
}
int PropertyPage::IsTabEnabled(int index) {
    PropertyTab *strip = Strip();
    return strip ? strip->IsTabEnabled(index == -1 ? index_ : index) : 0;
}
String PropertyPage::GetTabText(int index) {
    PropertyTab *strip = Strip();
    return strip ? strip->GetTabText(index == -1 ? index_ : index) : String();
}
void PropertyPage::SetTabText(int index, char const *text) {
    if (PropertyTab *strip = Strip())
        strip->SetTabText(index == -1 ? index_ : index, text);
}

HWND PropertyPage::GetParentWindow() const {
    for (HWND h = owner_ ? owner_->GetHandle() : 0; h; h = ::GetParent(h))
        if (::GetWindowLongA(h, GWL_STYLE) & (WS_BORDER | WS_DLGFRAME))
            return h;
    return 0;
}

int PropertyPage::MessageBox(char const *text, char const *caption, unsigned type) {
    return ShowMessageBox(GetParentWindow(), text, caption, type);
}

// Enter and Esc in a page act on its dialog.
void PropertyPage::CmForward() {
    TApplication *app = GetApplication();
    if (owner_ && owner_->GetHandle() && app) {
        TCurrentEvent event = app->GetCurrentEvent();
        owner_->SendMessageA(event.Message, event.WParam, event.LParam);
    }
}

int PropertyPage::PreProcessMsg(MSG &msg) {
    if (msg.message == WM_CHAR && msg.wParam == 27) {
        char cls[16] = "";
        ::GetClassNameA(msg.hwnd, cls, sizeof cls);
        if (!lstrcmpiA(cls, "EDIT") && owner_ && owner_->GetHandle())
            owner_->PostMessageA(WM_COMMAND, IDCANCEL, 0);
        return 1;
    }
    return TDialog::PreProcessMsg(msg);
}

// The system never places the focus inside a page by itself.
int PropertyPage::EvInitDialog(HWND focus) {
    Dialog::EvInitDialog(focus);
    return 0;
}

void PropertyPage::EvSysCommand(uint cmd, TPoint &) {
    if ((cmd & 0xFFF0) == SC_KEYMENU && CheckHotKey(owner_))
        return;
    DefaultProcessing();
}

HBRUSH PropertyPage::EvCtlColor(HDC hDC, HWND hWndChild, uint ctlType) {
    if (owner_)
        return owner_->EvCtlColor(hDC, hWndChild, ctlType);
    return TDialog::EvCtlColor(hDC, hWndChild, ctlType);
}
