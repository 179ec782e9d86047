// Tooltip tools of the gadgets. The tooltip window arrives with the tooltip classes;
// until then a gadget window has none and these do nothing.
#include "GadgetWindow.h"

int TGadgetWindow::HasTool(TGadget const &gadget) {
    int id = gadget.GetId();
    return id != 0 && id != -1 && !(id >= 30000 && id <= 30999);
}

void TGadgetWindow::AddTool(TGadget &) {}
void TGadgetWindow::MoveTool(TGadget &) {}
void TGadgetWindow::RemoveTool(TGadget &) {}
void TGadgetWindow::RelayToTooltip(MSG &) {}
void TGadgetWindow::EnableTooltip(int) {}
void TGadgetWindow::SetTooltip(TTooltip *tooltip) { Tooltip = tooltip; }
int TGadgetWindow::PreProcessMsg(MSG &msg) { return TWindow::PreProcessMsg(msg); }
long TGadgetWindow::EvNotify(uint id, TNotify &info) { return TWindow::EvNotify(id, info); }
