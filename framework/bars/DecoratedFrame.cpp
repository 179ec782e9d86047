#include "bars/DecoratedFrame.h"

#include "bars/MessageBar.h"
#include "bars/TooltipText.h"

#include <cstring>

namespace {

char const placeholderTitle[] = "\x07";

bool HasBorder(TWindow const &w) { return (w.GetStyle() & WS_BORDER) != 0; }

TLayoutConstraint OwnSize(TEdge myEdge) { return PixelConstraint(0, myEdge, lmAsIs, myEdge); }

// An edge of `w` next to another window's edge: bordered windows share the line,
// others abut it from the side given (below/right-of for left and top edges,
// above/left-of for right and bottom edges).
TLayoutConstraint Beside(TWindow const &w, TWindow *relWin, TEdge myEdge, TEdge otherEdge) {
    bool leading = myEdge == lmLeft || myEdge == lmTop;
    TRelationship rel = HasBorder(w) ? lmSameAs : leading ? lmBelow : lmAbove;
    return PixelConstraint(relWin, myEdge, rel, otherEdge);
}

// The constraint of `m` that places its own edge `edge`.
TLayoutConstraint *ConstraintOf(TLayoutMetrics &m, unsigned edge) {
    for (int k = 0; k < 4; ++k)
        if (m[k].MyEdge == edge && m[k].Relationship != lmAsIs)
            return &m[k];
    return 0;
}

// Side decorations span the client's height: their top and bottom follow the client's,
// one pixel further out when only they have a border, one further in when only the
// client has one.
void FollowClient(TLayoutMetrics &m, TWindow const &decoration, TWindow &client) {
    bool own = HasBorder(decoration), clients = HasBorder(client);
    TRelationship topRel = own == clients ? lmSameAs : own ? lmAbove : lmBelow;
    TRelationship bottomRel = own == clients ? lmSameAs : own ? lmBelow : lmAbove;
    m.Y = PixelConstraint(&client, lmTop, topRel, lmTop);
    m.Height = PixelConstraint(&client, lmBottom, bottomRel, lmBottom);
}

}  // namespace

// ---- TDecoratedFrame

TDecoratedFrame::TDecoratedFrame(TWindow *parent, char const *title, TWindow *client, int trackMenuSelection,
                                 TModule *module)
    : TWindow(parent, title, module),
      TFrameWindow(parent, title, client, false, module),
      TLayoutWindow(parent, title, module),
      trackMenuSelection_(trackMenuSelection),
      menuItemId_(0),
      settingClient_(0) {
    // A class further down that does not name the virtual bases still gets them set up.
    TWindow::Init(parent, title, module);
    if (!client)
        client = new TWindow(0, placeholderTitle, module);
    if (ClientWnd != client)
        TFrameWindow::Init(client, false);

    // The client fills the frame; a border of its own hides under the frame's edge.
    TLayoutMetrics m;
    m.X = Beside(*client, 0, lmLeft, lmLeft);
    m.Y = Beside(*client, 0, lmTop, lmTop);
    m.Width = Beside(*client, 0, lmRight, lmRight);
    m.Height = Beside(*client, 0, lmBottom, lmBottom);
    SetChildLayoutMetrics(*client, m);
}

TDecoratedFrame::~TDecoratedFrame() {}

bool TDecoratedFrame::IsPlaceholder(TWindow const *w) {
    char const *title = w ? w->GetTitle() : 0;
    return title && !IS_INTRESOURCE(title) && std::strcmp(title, placeholderTitle) == 0;
}

TDecoratedFrame::TLocation TDecoratedFrame::GetLocation(TWindow const &decoration) {
    return TLocation((decoration.Attr.Style >> 8) & 15);
}

void TDecoratedFrame::LayoutAfterSetup() {
    ClientSize = GetClientRect().Size();
    Layout();
}

void TDecoratedFrame::SetupWindow() {
    TFrameWindow::SetupWindow();
    LayoutAfterSetup();
}

// ---- the client

TWindow *TDecoratedFrame::ReplaceClient(TWindow *client) {
    if (!client)
        client = new TWindow(0, placeholderTitle, GetModule());
    TWindow *old = ClientWnd;
    TLayoutMetrics m;
    if (old && old != client && GetChildLayoutMetrics(*old, m)) {
        SetChildLayoutMetrics(*client, m);
        for (int i = 0; i < Solver.GetCount(); ++i) {
            TWindow *w = Solver.GetChild(i);
            TLayoutMetrics other;
            if (w == client || w == old || !Solver.GetMetrics(*w, other))
                continue;
            bool changed = false;
            for (int k = 0; k < 4; ++k)
                if (other[k].RelWin == old) {
                    other[k].RelWin = client;
                    changed = true;
                }
            if (changed)
                SetChildLayoutMetrics(*w, other);
        }
        RemoveChildLayoutMetrics(*old);
    }
    struct TSetting {
        int &Flag;
        explicit TSetting(int &flag) : Flag(flag) { Flag = 1; }
        ~TSetting() { Flag = 0; }
    } setting(settingClient_);
    return TFrameWindow::SetClientWindow(client);
}

TWindow *TDecoratedFrame::SetClientWindow(TWindow *client) {
    if (client && client == ClientWnd)
        return 0;  // already laid out as the client; handing it back would let the caller delete it
    TWindow *previous = ReplaceClient(client);
    if (IsPlaceholder(previous)) {
        previous->Destroy(0);
        delete previous;
        previous = 0;
    }
    Layout();
    return previous;
}

void TDecoratedFrame::RemoveChild(TWindow *child) {
    TLayoutMetrics placed;
    bool decoration = child && child != ClientWnd && GetChildLayoutMetrics(*child, placed);
    if (child && child == ClientWnd && !settingClient_) {
        ReplaceClient(0);  // the frame keeps a client to lay out around
        Layout();
    } else if (decoration) {
        CloseUp(*child);
    }
    TFrameWindow::RemoveChild(child);
    TLayoutWindow::RemoveChild(child);
    if (decoration && HWindow)
        Layout();  // the windows attached to it close up now, not at the next resize
}

// ---- decorations

void TDecoratedFrame::Insert(TWindow &decoration, TLocation location) {
    decoration.Attr.Style = (decoration.Attr.Style & ~0xF00u) | (uint32_t(location & 15) << 8);
    SetStyle(GetStyle() | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    decoration.SetParent(this);
    CloseUp(decoration);
    RemoveChildLayoutMetrics(decoration);
    if ((decoration.GetStyle() & WS_VISIBLE) && location >= Top && location <= Right)
        Dock(decoration, ClientWnd, location);
    // Before the frame is set up its own creation makes and places the decoration.
    if (IsFlagSet(wfFullyCreated)) {
        if (!decoration.GetHandle())
            decoration.Create();
        Layout();
    }
}

void TDecoratedFrame::Dock(TWindow &decoration, TWindow *neighbour, TLocation location) {
    bool vertical = location == Top || location == Bottom;
    bool leading = location == Top || location == Left;
    TEdge outer = vertical ? (leading ? lmTop : lmBottom) : (leading ? lmLeft : lmRight);
    TEdge inner = TEdge((outer + 2) % 4);

    // The neighbour's outer edge: the client's bottom and right are its size constraints,
    // a decoration's its position constraint. A neighbour without one leaves the frame's
    // edge to the decoration.
    TLayoutMetrics n;
    TLayoutConstraint *edge = neighbour && GetChildLayoutMetrics(*neighbour, n) ? ConstraintOf(n, outer) : 0;
    TLayoutConstraint was = edge ? *edge : PixelConstraint(0, outer, lmSameAs, outer);
    if (edge) {
        *edge = Beside(*neighbour, &decoration, outer, inner);
        SetChildLayoutMetrics(*neighbour, n);
    }

    TLayoutMetrics m;
    int along = vertical ? 1 : 0;  // Y and Height, or X and Width
    m[along] = Beside(decoration, was.RelWin, outer, TEdge(was.OtherEdge));
    m[along + 2] = OwnSize(vertical ? lmHeight : lmWidth);
    if (vertical) {
        m.X = Beside(decoration, 0, lmLeft, lmLeft);
        m.Width = Beside(decoration, 0, lmRight, lmRight);
    } else {
        FollowClient(m, decoration, *ClientWnd);
    }
    SetChildLayoutMetrics(decoration, m);
}

void TDecoratedFrame::CloseUp(TWindow &decoration) {
    TLayoutMetrics gone;
    if (&decoration == ClientWnd || !GetChildLayoutMetrics(decoration, gone))
        return;
    for (int i = 0; i < Solver.GetCount(); ++i) {
        TWindow *w = Solver.GetChild(i);
        TLayoutMetrics m;
        if (w == &decoration || !Solver.GetMetrics(*w, m))
            continue;
        bool changed = false;
        for (int k = 0; k < 4; ++k) {
            if (m[k].RelWin != &decoration)
                continue;
            // the edge goes where the decoration's same edge was attached
            if (TLayoutConstraint *own = ConstraintOf(gone, m[k].MyEdge)) {
                m[k] = Beside(*w, own->RelWin, TEdge(m[k].MyEdge), TEdge(own->OtherEdge));
                changed = true;
            }
        }
        if (changed)
            SetChildLayoutMetrics(*w, m);
    }
}

TWindow *TDecoratedFrame::FindDecoration(uint id) const {
    if (!id)
        return 0;
    for (TWindow *c = GetFirstChild(); c; c = c == GetLastChild() ? 0 : c->Next())
        if (c != ClientWnd && uint(c->GetId()) == id && GetLocation(*c) >= Top && GetLocation(*c) <= Right)
            return c;
    return 0;
}

bool TDecoratedFrame::ToggleDecoration(uint id) {
    TWindow *decoration = FindDecoration(id);
    if (!decoration)
        return false;
    bool visible = (decoration->GetStyle() & WS_VISIBLE) != 0;
    TLocation location = GetLocation(*decoration);
    if (visible) {
        CloseUp(*decoration);
        RemoveChildLayoutMetrics(*decoration);
    } else {
        // Back between the same neighbours: outside the first shown decoration that
        // followed it at that side, or at the very edge when it asks for it.
        TLayoutMetrics m;
        TWindow *neighbour = 0;
        bool after = false;
        for (TWindow *c = GetFirstChild(); c && !neighbour; c = c == GetLastChild() ? 0 : c->Next()) {
            if (c == decoration) {
                after = true;
                continue;
            }
            bool placed = c != ClientWnd && GetLocation(*c) == location && (c->GetStyle() & WS_VISIBLE) &&
                          GetChildLayoutMetrics(*c, m);
            if (placed && (after || decoration->IsFlagSet(wfInsertAtEdge)))
                neighbour = c;
        }
        if (!neighbour)
            neighbour = ClientWnd;
        Dock(*decoration, neighbour, location);
    }
    Layout();
    decoration->ShowWindow(visible ? SW_HIDE : SW_SHOWNA);
    return true;
}

LRESULT TDecoratedFrame::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    if (!hWndCtl && ToggleDecoration(id))
        return 0;
    return TFrameWindow::EvCommand(id, hWndCtl, notifyCode);
}

bool TDecoratedFrame::DecorationEnable(TCommandEnabler &ce) {
    if (dynamic_cast<TTooltipEnabler *>(&ce)) {
        char tip[50];
        if (GetHintText(ce.GetId(), tip, sizeof tip, htTooltip) > 0) {
            ce.SetText(tip);
            return true;
        }
    }
    if (TWindow *decoration = FindDecoration(ce.GetId())) {
        ce.Enable(1);
        ce.SetCheck(decoration->GetStyle() & WS_VISIBLE ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
        return true;
    }
    return false;
}

void TDecoratedFrame::EvCommandEnable(TCommandEnabler &ce) {
    if (!DecorationEnable(ce))
        TFrameWindow::EvCommandEnable(ce);
}

int TDecoratedFrame::PreProcessMsg(MSG &msg) {
    for (TWindow *c = GetFirstChild(); c; c = c == GetLastChild() ? 0 : c->Next())
        if (c != ClientWnd && c->GetHandle() && c->IsWindowVisible() && c->PreProcessMsg(msg))
            return 1;
    return TFrameWindow::PreProcessMsg(msg);
}

// ---- hints

int TDecoratedFrame::GetHintText(uint id, char *buf, int size, THintText kind) const {
    if (!buf || size <= 0)
        return 0;
    buf[0] = 0;
    if (kind != htStatus && kind != htTooltip)
        return 0;
    char text[257] = "";
    HMENU menu = HWindow ? ::GetMenu(HWindow) : 0;
    if (kind == htTooltip && menu && ::GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND) > 0) {
        // The bare word: no accelerator, no trailing dots, no mnemonic.
        text[std::strcspn(text, "\t\b")] = 0;
        size_t n = std::strlen(text);
        while (n && text[n - 1] == '.')
            text[--n] = 0;
        if (char *amp = std::strchr(text, '&'))
            std::memmove(amp, amp + 1, std::strlen(amp));
        lstrcpynA(buf, text, size);
        return int(std::strlen(buf));
    }
    TModule *merge = GetMergeModule();
    if (!(GetModule() && GetModule()->LoadStringA(id, text, sizeof text) > 0) &&
        !(merge && merge->LoadStringA(id, text, sizeof text) > 0))
        return 0;
    char *newline = std::strchr(text, '\n');
    if (kind == htStatus) {
        if (newline)
            *newline = 0;
        lstrcpynA(buf, text, size);
    } else {
        if (!newline)
            return 0;
        lstrcpynA(buf, newline + 1, size);
    }
    return int(std::strlen(buf));
}

void TDecoratedFrame::SetMessageBarHint(char const *text) {
    if (TMessageBar *bar = dynamic_cast<TMessageBar *>(ChildWithId(IDW_MESSAGEBAR)))
        bar->SetHintText(text);
}

void TDecoratedFrame::EvMenuSelect(uint item, uint flags, HMENU menu) {
    if (trackMenuSelection_) {
        if (flags == 0xFFFF && !menu) {
            SetMessageBarHint(0);
            menuItemId_ = 0;
        } else if (flags & MF_POPUP) {
            menuItemId_ = ::GetMenuItemID(menu, item);
        } else if ((flags & 0x860) || (item >= 32001 && item <= 32009)) {
            menuItemId_ = uint(-1);
        } else {
            menuItemId_ = item;
        }
    }
    DefaultProcessing();
}

void TDecoratedFrame::EvEnterIdle(uint source, HWND window) {
    if (source == MSGF_MENU && menuItemId_) {
        char hint[128] = "";
        if (menuItemId_ != uint(-1))
            GetHintText(menuItemId_, hint, sizeof hint, htStatus);
        SetMessageBarHint(hint);
        menuItemId_ = 0;
    }
    TWindow::EvEnterIdle(source, window);
}

void TDecoratedFrame::EvSize(uint sizeType, TSize &size) {
    TLayoutWindow::EvSize(sizeType, size);
    BroadcastResizeToChildren(sizeType, size);
}

DEFINE_RESPONSE_TABLE2(TDecoratedFrame, TFrameWindow, TLayoutWindow)
    EV_MESSAGE(WM_ENTERIDLE, EvEnterIdle, v_EnterIdle),
    EV_MESSAGE(WM_MENUSELECT, EvMenuSelectRaw, v_WPARAM_LPARAM),
    EV_WM_SIZE,
END_RESPONSE_TABLE;

// ---- TDecoratedMDIFrame

TDecoratedMDIFrame::TDecoratedMDIFrame(char const *title, TResId menu, TMDIClient &client, int trackMenuSelection,
                                       TModule *module)
    : TWindow(0, title, module),
      TFrameWindow(0, title, &client, false, module),
      TDecoratedFrame(0, title, &client, trackMenuSelection, module),
      TMDIFrame(title, menu, client, module) {}

TDecoratedMDIFrame::~TDecoratedMDIFrame() {}

void TDecoratedMDIFrame::SetupWindow() {
    TMDIFrame::SetupWindow();
    LayoutAfterSetup();
}

LRESULT TDecoratedMDIFrame::EvCommand(uint id, HWND hWndCtl, uint notifyCode) {
    if (!hWndCtl && ToggleDecoration(id))
        return 0;
    return TMDIFrame::EvCommand(id, hWndCtl, notifyCode);
}

void TDecoratedMDIFrame::EvCommandEnable(TCommandEnabler &ce) {
    if (!DecorationEnable(ce))
        TMDIFrame::EvCommandEnable(ce);
}

LRESULT TDecoratedMDIFrame::DefWindowProcA(uint msg, WPARAM wp, LPARAM lp) {
    // The layout places the MDI client; the system's frame procedure would give it the
    // whole client area.
    if (msg == WM_SIZE)
        return TWindow::DefWindowProcA(msg, wp, lp);
    return TMDIFrame::DefWindowProcA(msg, wp, lp);
}

DEFINE_RESPONSE_TABLE2(TDecoratedMDIFrame, TDecoratedFrame, TMDIFrame)
END_RESPONSE_TABLE;
