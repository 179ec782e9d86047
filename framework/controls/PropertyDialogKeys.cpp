// Keyboard navigation of property dialogs: a thread keyboard hook carries Tab across the
// borders of dialog, tab strip and page and switches pages on Ctrl+Page Up/Down; Alt
// plus a letter selects a tab or presses the control it names.
#include "controls/PropertyDialog.h"

#include "controls/ComboBox.h"
#include "controls/PropertyTab.h"

#include <cctype>

namespace {

bool Down(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

// The framework window that owns the focus, and the focused window as it counts.
TWindow *FocusOwnerWindow(HWND &focus) {
    focus = ::GetFocus();
    HWND parent = focus ? ::GetParent(focus) : 0;
    if (!parent)
        return 0;
    TWindow *owner = GetWindowPtr(parent);
    char cls[16] = "";
    if (!owner && ::GetClassNameA(parent, cls, sizeof cls) && !lstrcmpiA(cls, "combobox")) {
        focus = parent;  // the edit field of a combo box
        parent = ::GetParent(focus);
        owner = parent ? GetWindowPtr(parent) : 0;
    }
    if (TComboBox *combo = dynamic_cast<TComboBox *>(owner)) {
        focus = combo->GetHandle();
        owner = combo->GetParentO();
    }
    return owner;
}

int MoveFocusTo(HWND from, HWND to, HWND control) {
    if (!control)
        return 0;
    if (from)
        ::PostMessageA(from, WM_NEXTDLGCTL, 0, 1);
    ::PostMessageA(to, WM_NEXTDLGCTL, (WPARAM)control, 1);
    PropertyTab::SelectAllIfEdit(control);
    return 1;
}

int TabRule(HWND f, TWindow *w, bool forward) {
    if (PropertyDialog *dialog = dynamic_cast<PropertyDialog *>(w)) {
        PropertyTab *strip = dialog->GetTabControl();
        if (!strip || !strip->GetHandle())
            return 0;
        HWND n = ::GetNextDlgTabItem(dialog->GetHandle(), f, !forward);
        HWND s = strip->GetHandle();
        PropertyPage *p = dialog->GetPageRef(-1);
        HWND page = p ? p->GetHandle() : 0;
        if (f == s && forward)
            return page ? MoveFocusTo(dialog->GetHandle(), page, PropertyTab::FirstTabStop(page, true)) : 0;
        if (f == s)
            return 0;
        if (n == s && !forward)
            return page ? MoveFocusTo(dialog->GetHandle(), page, PropertyTab::FirstTabStop(page, false)) : 0;
        return 0;
    }
    if (PropertyPage *page = dynamic_cast<PropertyPage *>(w)) {
        PropertyDialog *d = page->GetPropertyDialog();
        PropertyTab *strip = d ? d->GetTabControl() : 0;
        if (!strip || !strip->GetHandle() || !d->GetHandle())
            return 0;
        HWND s = strip->GetHandle();
        if (f != PropertyTab::FirstTabStop(page->GetHandle(), !forward))
            return 0;
        if (forward)
            return MoveFocusTo(page->GetHandle(), d->GetHandle(), ::GetNextDlgTabItem(d->GetHandle(), s, FALSE));
        return MoveFocusTo(page->GetHandle(), d->GetHandle(), s);
    }
    return 0;
}

char PressedKeyChar() {
    BYTE state[256];
    if (!::GetKeyboardState(state))
        return 0;
    for (int key = 0; key < 256; ++key) {
        if (key == VK_MENU || !(state[key] & 0x80))
            continue;
        WORD chars[2] = {0, 0};
        BYTE plain[256] = {};
        plain[key] = 0x80;
        if (::ToAscii(key, ::MapVirtualKeyA(key, 0), plain, chars, 0) == 1)
            return (char)std::toupper((unsigned char)chars[0]);
    }
    return 0;
}

}  // namespace

int HasMnemonic(char const *text, char c) {
    for (char const *p = text; p && *p; ++p) {
        if (*p != '&')
            continue;
        if (p[1] == '&') {
            ++p;
            continue;
        }
        return p[1] && std::toupper((unsigned char)p[1]) == (unsigned char)c;
    }
    return 0;
}

LRESULT CALLBACK PropertyDialogKeyHook(int code, WPARAM key, LPARAM flags) {
    if (code < 0 || code == HC_NOREMOVE)
        return ::CallNextHookEx(PropertyDialog::keyHook, code, key, flags);
    LRESULT result = 0;
    bool press = !(flags & 0x80000000);  // a release must not move or switch a second time
    try {
        if (key == VK_TAB) {
            if (press && !Down(VK_MENU)) {
                HWND focus;
                if (TWindow *owner = FocusOwnerWindow(focus))
                    result = TabRule(focus, owner, !Down(VK_SHIFT));
            }
        } else if (press && Down(VK_CONTROL) && (key == VK_PRIOR || key == VK_NEXT)) {
            HWND focus;
            TWindow *owner = FocusOwnerWindow(focus);
            PropertyDialog *dialog = dynamic_cast<PropertyDialog *>(owner);
            if (PropertyPage *page = dynamic_cast<PropertyPage *>(owner))
                dialog = page->GetPropertyDialog();
            if (dialog) {
                if (key == VK_NEXT)
                    dialog->SelectNext();
                else
                    dialog->SelectPrevious();
            }
        }
    } catch (...) {
        TWindow::KeepPendingException();  // a hook must not let it through
    }
    ::CallNextHookEx(PropertyDialog::keyHook, code, key, flags);
    return result;
}

int PropertyPage::CheckHotKey(TDialog *dialog) {
    char c = PressedKeyChar();
    if (PropertyTab *strip = Strip())
        if (strip->SelectTabByKey(c))
            return 1;
    TWindow *search = dialog ? (TWindow *)dialog : (TWindow *)this;
    if (!c || !search->GetHandle())
        return 0;
    for (HWND child = ::GetWindow(search->GetHandle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char text[101] = "";
        ::GetWindowTextA(child, text, sizeof text);
        if (!::IsWindowEnabled(child) || !HasMnemonic(text, c))
            continue;
        HWND target = (::GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP)
                          ? child
                          : ::GetNextDlgTabItem(search->GetHandle(), child, FALSE);
        if (!target)
            return 0;
        ::SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        ::SendMessageA(target, WM_LBUTTONUP, MK_LBUTTON, 0);
        char cls[16] = "";
        ::GetClassNameA(target, cls, sizeof cls);
        if (!lstrcmpiA(cls, "EDIT"))
            ::SendMessageA(target, EM_SETSEL, 0, -1);
        return 1;
    }
    return 0;
}
