#include "controls/RealTimeInfo.h"

#include "controls/Static.h"

// The template is the language module's whatever module the parent was made with (a
// window without a module of its own would take its parent's).
RealTimeInfoBox::RealTimeInfoBox(TWindow *parent)
    : TWindow(parent, 0, TModule::GetLocalizedDLL()), Dialog(parent, TemplateId, TModule::GetLocalizedDLL()) {
    new TStatic(this, InfoText, 0, 0);
    Create();
}

void RealTimeInfoBox::Display(String const &text) { SetText(InfoText, text); }
