#include "DecoratedFrame.h"

#include "MessageBar.h"

#include <cstring>

// ---- TDecorations

TDecorations::TDecorations(TWindow &frame) : frame_(frame), items_(0), count_(0) {}

TDecorations::~TDecorations() { delete[] items_; }

TDecorations::TLocation TDecorations::GetLocation(TWindow const &decoration) {
    int location = (decoration.Attr.Style >> 8) & 15;
    return location >= Top && location <= Right ? TLocation(location) : Top;
}

bool TDecorations::Contains(TWindow const *w) const {
    for (int i = 0; i < count_; ++i)
        if (items_[i] == w)
            return true;
    return false;
}

void TDecorations::Insert(TWindow &decoration, TLocation location) {
    decoration.Attr.Style = (decoration.Attr.Style & ~0xF00) | (uint32_t(location) << 8);
    if (decoration.GetHandle())
        decoration.SetStyle((decoration.GetStyle() & ~0xF00) | (uint32_t(location) << 8));
    frame_.Attr.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (decoration.GetParentO() != &frame_)
        decoration.SetParent(&frame_);
    if (Contains(&decoration))
        return;
    TWindow **grown = new TWindow *[count_ + 1];
    for (int i = 0; i < count_; ++i)
        grown[i] = items_[i];
    grown[count_++] = &decoration;
    delete[] items_;
    items_ = grown;
}

void TDecorations::Remove(TWindow *decoration) {
    int j = 0;
    for (int i = 0; i < count_; ++i)
        if (items_[i] != decoration)
            items_[j++] = items_[i];
    count_ = j;
}

TWindow *TDecorations::FindById(uint id) const {
    for (int i = 0; i < count_; ++i)
        if (uint(items_[i]->GetId()) == id)
            return items_[i];
    return 0;
}

void TDecorations::Layout(TWindow *client) {
    if (!frame_.GetHandle())
        return;
    TRect area = frame_.GetClientRect();
    HDWP defer = ::BeginDeferWindowPos(count_ + 1);
    auto place = [&defer](TWindow *w, int x, int y, int cx, int cy) {
        if (defer)
            defer = ::DeferWindowPos(defer, w->GetHandle(), 0, x, y, cx < 0 ? 0 : cx, cy < 0 ? 0 : cy,
                                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    for (int pass = 0; pass < 2; ++pass) {
        // Top and bottom first so that they span the whole width.
        for (int i = 0; i < count_; ++i) {
            TWindow *w = items_[i];
            if (!w->GetHandle() || !w->IsWindowVisible())
                continue;
            TLocation at = GetLocation(*w);
            TRect r = w->GetWindowRect();
            if (pass == 0 && at == Top) {
                place(w, area.left, area.top, area.Width(), r.Height());
                area.top += r.Height();
            } else if (pass == 0 && at == Bottom) {
                place(w, area.left, area.bottom - r.Height(), area.Width(), r.Height());
                area.bottom -= r.Height();
            } else if (pass == 1 && at == Left) {
                place(w, area.left, area.top, r.Width(), area.Height());
                area.left += r.Width();
            } else if (pass == 1 && at == Right) {
                place(w, area.right - r.Width(), area.top, r.Width(), area.Height());
                area.right -= r.Width();
            }
        }
    }
    if (client && client->GetHandle())
        place(client, area.left, area.top, area.Width(), area.Height());
    if (defer)
        ::EndDeferWindowPos(defer);
}

bool TDecorations::Toggle(uint id, TWindow *client) {
    TWindow *w = FindById(id);
    if (!w || !w->GetHandle())
        return false;
    w->ShowWindow(w->IsWindowVisible() ? SW_HIDE : SW_SHOWNA);
    Layout(client);
    return true;
}

int TDecorations::GetHintText(TWindow const &frame, uint id, char *buf, int size, THintText kind) {
    if (!buf || size <= 0)
        return 0;
    buf[0] = 0;
    if (kind != htStatus && kind != htTooltip)
        return 0;
    if (kind == htTooltip && frame.GetHandle()) {
        HMENU menu = ::GetMenu(frame.GetHandle());
        char text[256];
        if (menu && ::GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND) > 0) {
            // The bare word: no accelerator, no trailing dots, no mnemonic.
            text[std::strcspn(text, "\t\b")] = 0;
            size_t n = std::strlen(text);
            while (n && text[n - 1] == '.')
                text[--n] = 0;
            if (char *amp = std::strchr(text, '&'))
                std::memmove(amp, amp + 1, std::strlen(amp));
            std::strncpy(buf, text, size - 1);
            buf[size - 1] = 0;
            return int(std::strlen(buf));
        }
    }
    char text[257] = {};
    TModule *module = frame.GetModule();
    if (!module || module->LoadStringA(id, text, sizeof text) <= 0) {
        if (!TModule::_localizedResourceDLL || TModule::_localizedResourceDLL->LoadStringA(id, text, sizeof text) <= 0)
            return 0;
    }
    char *newline = std::strchr(text, '\n');
    if (kind == htStatus) {
        if (newline)
            *newline = 0;
        std::strncpy(buf, text, size - 1);
    } else {
        if (!newline)
            return 0;
        std::strncpy(buf, newline + 1, size - 1);
    }
    buf[size - 1] = 0;
    return int(std::strlen(buf));
}

// ---- TDecoratedMDIFrame

TDecoratedMDIFrame::TDecoratedMDIFrame(char const *title, TResId menu, TMDIClient &client, int trackMenuSelection,
                                       TModule *module)
    : TMDIFrame(title, menu, client, module),
      trackMenuSelection_(trackMenuSelection),
      menuItemId_(0),
      decorations_(*this) {}

TDecoratedMDIFrame::~TDecoratedMDIFrame() {}

void TDecoratedMDIFrame::SetupWindow() {
    TMDIFrame::SetupWindow();
    Layout();
}

void TDecoratedMDIFrame::Layout() { decorations_.Layout(ClientWnd); }

void TDecoratedMDIFrame::Insert(TWindow &decoration, TLocation location) {
    decorations_.Insert(decoration, location);
    if (GetHandle() && !decoration.GetHandle())
        decoration.Create();
    if (GetHandle())
        Layout();
}

int TDecoratedMDIFrame::GetHintText(uint id, char *buf, int size, THintText kind) const {
    return TDecorations::GetHintText(*this, id, buf, size, kind);
}

int TDecoratedMDIFrame::PreProcessMsg(MSG &msg) {
    for (TWindow *c = GetFirstChild(); c; c = c == GetLastChild() ? 0 : c->Next())
        if (c != ClientWnd && c->GetHandle() && c->IsWindowVisible() && c->PreProcessMsg(msg))
            return 1;
    return TMDIFrame::PreProcessMsg(msg);
}

long TDecoratedMDIFrame::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    if (!hWndCtl && decorations_.Toggle(id, ClientWnd))
        return 0;
    return TMDIFrame::EvCommand(id, hWndCtl, notifyCode);
}

void TDecoratedMDIFrame::EvCommandEnable(TCommandEnabler &ce) {
    if (TWindow *w = decorations_.FindById(ce.GetId())) {
        ce.Enable(1);
        ce.SetCheck(w->GetHandle() && w->IsWindowVisible() ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
        return;
    }
    TMDIFrame::EvCommandEnable(ce);
}

void TDecoratedMDIFrame::SetMessageBarHint(char const *text) {
    if (TMessageBar *bar = dynamic_cast<TMessageBar *>(ChildWithId(IDW_MESSAGEBAR)))
        bar->SetHintText(text);
}

void TDecoratedMDIFrame::EvMenuSelect(uint item, uint flags, uint menu) {
    if (!trackMenuSelection_) {
        DefaultProcessing();
        return;
    }
    if (flags == 0xFFFF && !menu) {
        SetMessageBarHint(0);
        menuItemId_ = 0;
    } else if (flags & MF_POPUP) {
        menuItemId_ = ::GetMenuItemID((HMENU)(ULONG_PTR)menu, item);
    } else if ((flags & 0x860) || (item >= 32001 && item <= 32009)) {
        menuItemId_ = uint(-1);
    } else {
        menuItemId_ = item;
    }
    DefaultProcessing();
}

void TDecoratedMDIFrame::EvEnterIdle(uint source, uint) {
    if (source == MSGF_MENU && menuItemId_) {
        char hint[128] = {};
        if (menuItemId_ != uint(-1))
            GetHintText(menuItemId_, hint, sizeof hint, TDecorations::htStatus);
        SetMessageBarHint(hint);
        menuItemId_ = 0;
    }
    DefaultProcessing();
}

void TDecoratedMDIFrame::EvSize(uint sizeType, TSize &size) {
    // The frame lays out its client itself; the system's frame procedure would give the
    // MDI client the whole area.
    if (sizeType != SIZE_MINIMIZED)
        Layout();
    ChildBroadcastMessage(32501, sizeType, (LPARAM)&size);
}

DEFINE_RESPONSE_TABLE1(TDecoratedMDIFrame, TMDIFrame)
    EV_MESSAGE(WM_ENTERIDLE, EvEnterIdle, v_U_U),
    EV_MESSAGE(WM_MENUSELECT, EvMenuSelectRaw, v_WPARAM_LPARAM),
    EV_WM_SIZE,
END_RESPONSE_TABLE;
