// The gadgets' tools in the window's tooltip. The tooltip asks the window for a tool's
// text, and the window asks the command enablers.
#include "bars/GadgetWindow.h"

#include "bars/Tooltip.h"

int TGadgetWindow::HasTool(TGadget const &gadget) {
    int id = gadget.GetId();
    return id != 0 && id != -1 && !(id >= 30000 && id <= 30999);
}

namespace {
bool Live(TTooltip *tooltip) { return tooltip && tooltip->GetHandle(); }
}  // namespace

void TGadgetWindow::AddTool(TGadget &gadget) {
    if (!Live(Tooltip) || !HWindow || !HasTool(gadget))
        return;
    // Set-up announces every gadget, also those a new tooltip already took.
    TToolInfo known(1);
    known.SetToolInfo(HWindow, unsigned(gadget.GetId()));
    if (!Tooltip->GetToolInfo(known))
        Tooltip->AddTool(TToolInfo(HWindow, gadget.GetBounds(), unsigned(gadget.GetId())));
}

void TGadgetWindow::MoveTool(TGadget &gadget) {
    if (!Live(Tooltip) || !HWindow || !HasTool(gadget))
        return;
    TToolInfo info(1);
    info.SetToolInfo(HWindow, unsigned(gadget.GetId()));
    if (Tooltip->GetToolInfo(info) && TRect(info.rect) != gadget.GetBounds()) {
        info.SetRect(gadget.GetBounds());
        Tooltip->NewToolRect(info);
    }
}

void TGadgetWindow::RemoveTool(TGadget &gadget) {
    if (!Live(Tooltip) || !HWindow || !HasTool(gadget))
        return;
    Tooltip->DeleteTool(TToolInfo(HWindow, gadget.GetBounds(), unsigned(gadget.GetId())));
}

void TGadgetWindow::RelayToTooltip(MSG &msg) {
    if (Live(Tooltip))
        Tooltip->RelayEvent(msg);
}

void TGadgetWindow::EnableTooltip(int enable) {
    if (Live(Tooltip)) {
        Tooltip->Activate(enable);
        return;
    }
    WantTooltip = enable;
    if (!enable || !HWindow)
        return;
    // The tooltip object lives with this window (a window moved to another parent
    // keeps it); the system makes the tip a pop-up of the top-level window.
    SetTooltip(new TTooltip(this));
}

void TGadgetWindow::SetTooltip(TTooltip *tooltip) {
    if (Tooltip == tooltip)
        return;
    if (Tooltip) {
        if (Tooltip->GetHandle())
            Tooltip->SendMessageA(WM_CLOSE);
        else
            delete Tooltip;
    }
    Tooltip = tooltip;
    if (Tooltip && HWindow && !Tooltip->GetHandle() && Tooltip->Create())
        for (TGadget *g = Gadgets; g; g = g->Next)
            AddTool(*g);
}

int TGadgetWindow::PreProcessMsg(MSG &msg) {
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && Live(Tooltip) &&
        (msg.hwnd == HWindow || ::IsChild(HWindow, msg.hwnd)))
        Tooltip->RelayEvent(msg);
    return TWindow::PreProcessMsg(msg);
}

LRESULT TGadgetWindow::EvNotify(uint id, TNotify &info) {
    if (info.code == TTN_NEEDTEXTA && Tooltip && info.hwndFrom == Tooltip->GetHandle()) {
        TTooltipEnabler enabler(reinterpret_cast<TTooltipText &>(info), HWindow);
        HandleMessage(0x7FFF, 0, LPARAM(&enabler));
        return 0;
    }
    return TWindow::EvNotify(id, info);
}
