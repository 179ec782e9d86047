// The manager's look at every message before it is dispatched: user input held while an
// operation runs, a click that brings its document window forward or closes an open
// drop-down list, the program's keys and the cursor under modifier keys, the menu loop.
#include "manager/DocumentManager.h"

#include "core/FrameWindow.h"
#include "bars/StatusBar.h"
#include "manager/MdiDocumentWindows.h"

#include <cstring>

namespace {

// Mouse, key and non-client mouse messages; the non-client left and right button-ups
// still pass, so that a press taken before the operation began is ended.
bool IsUserInput(uint message) {
    return (message >= WM_MOUSEFIRST && message <= 0x209) || (message >= WM_KEYFIRST && message <= 0x108) ||
           message == WM_NCMOUSEMOVE || message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK ||
           message == WM_NCRBUTTONDOWN || (message >= WM_NCRBUTTONDBLCLK && message <= WM_NCMBUTTONDBLCLK);
}

bool IsKeyMessage(uint message) {
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

// Keys that may change the cursor a window shows.
bool IsCursorKey(WPARAM key) { return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_SPACE; }

// Escape and left clicks may stop the operation whose gauge is open.
void NoteGaugeInput(MSG const &msg) {
    if (IsKeyMessage(msg.message) && msg.wParam == VK_ESCAPE)
        StatusBar::NoteEscapePressed();
    if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_LBUTTONDBLCLK)
        StatusBar::NoteMouseClicked();
}

// A click elsewhere closes an open drop-down list; a click into a pop-up (a child of the
// desktop, such as the list itself) leaves it open.
void CloseDropDownOnClick(MSG const &msg) {
    HWND focus = ::GetFocus();
    HWND combo = DocumentManager::FocusedDropDown(focus);
    if (combo && msg.hwnd != combo && msg.hwnd != focus && ::GetParent(msg.hwnd) != ::GetDesktopWindow())
        ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

}  // namespace

HWND DocumentManager::FocusedDropDown(HWND focus) {
    HWND candidates[] = {focus, focus ? ::GetParent(focus) : 0};
    for (HWND h : candidates) {
        char cls[10] = {};
        if (h && ::GetClassNameA(h, cls, 9) && _stricmp(cls, "combobox") == 0 &&
            (::GetWindowLongA(h, GWL_STYLE) & 3) >= CBS_DROPDOWN)
            return h;
    }
    return 0;
}

StatusBar *DocumentManager::GetStatusBar() const {
    return MainWindow ? dynamic_cast<StatusBar *>(MainWindow->ChildWithId(IDW_MESSAGEBAR)) : 0;
}

int DocumentManager::ProcessAppMsg(MSG &msg) {
    if (_disableFrame && IsUserInput(msg.message)) {
        HoldInputDuringProgress(msg);
        return 1;
    }
    switch (msg.message) {
    case WM_NCRBUTTONDOWN:
    case WM_RBUTTONDOWN:
        BringChildUnderCursorToTop();
        CloseDropDownOnClick(msg);
        break;
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONDOWN: CloseDropDownOnClick(msg); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (OnKey(msg, msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN))
            return 1;
        if (IsCursorKey(msg.wParam))
            RefreshCursorUnderMouse();
        break;
    }
    return TApplication::ProcessAppMsg(msg);
}

// While an operation holds the frame disabled, the progress window captures the mouse.
void DocumentManager::HoldInputDuringProgress(MSG const &msg) {
    StatusBar *bar = GetStatusBar();
    int gaugeOpen = bar && bar->IsGaugeOpen();
    if (progressWindow_ && progressWindow_->GetHandle() && !::GetCapture()) {
        if (gaugeOpen)
            ::SetCursor(::LoadCursorA(0, IDC_WAIT));
        ::SetCapture(progressWindow_->GetHandle());
    }
    if (gaugeOpen)
        NoteGaugeInput(msg);
}

// A right click into a document window that is not the active one brings it to the top.
void DocumentManager::BringChildUnderCursorToTop() {
    if (!mdiClient_ || !mdiClient_->GetActiveMDIChild())
        return;
    POINT p;
    ::GetCursorPos(&p);
    for (HWND h = ::WindowFromPoint(p); h; h = ::GetParent(h)) {
        char cls[50];
        ::GetClassNameA(h, cls, 49);
        if (std::strcmp(cls, "Jq_MdiChild") == 0) {
            if (mdiClient_->GetActiveMDIChild()->GetHandle() != h)
                ::BringWindowToTop(h);
            return;
        }
    }
}

// The progress window, else the window under the mouse, sets its cursor anew.
void DocumentManager::RefreshCursorUnderMouse() {
    TWindow *target = progressWindow_;
    if (!target && MainWindow) {
        POINT p;
        ::GetCursorPos(&p);
        target = MainWindow->GetWindowPtr(::WindowFromPoint(p));
    }
    if (target && target->GetHandle())
        target->HandleMessage(WM_SETCURSOR, (WPARAM)target->GetHandle(), HTCLIENT);
}

LRESULT DocumentManager::EvEnterMenuLoop(WPARAM, LPARAM) {
    inMenuLoop_ = 1;
    return 0;
}

LRESULT DocumentManager::EvExitMenuLoop(WPARAM, LPARAM) {
    inMenuLoop_ = 0;
    return 0;
}
