#include "RealTimeInfo.h"

#include "Static.h"

RealTimeInfoBox::RealTimeInfoBox(TWindow *parent) : TWindow(parent, 0, 0), Dialog(parent, TemplateId, 0) {
    new TStatic(this, InfoText, 0, 0);
    Create();
}

void RealTimeInfoBox::Display(String const &text) { SetText(InfoText, text); }
