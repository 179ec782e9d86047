#include "bars/MessageBar.h"

#include "core/Dc.h"
#include "bars/TextGadget.h"

#include <cstring>

TMessageBar::TMessageBar(TWindow *parent, TFont *font, TModule *module)
    : TWindow(parent, 0, module), TGadgetWindow(parent, Horizontal, font, module), HintText(0) {
    Attr.Id = IDW_MESSAGEBAR;
    HighlightLine = !TSystem::Has3dUI();
    TTextGadget *message = new TTextGadget(MessageGadgetId, TGadget::Recessed, TTextGadget::Left, 10);
    message->WideAsPossible = 1;
    TGadgetWindow::Insert(*message, After);
}

TMessageBar::~TMessageBar() { delete[] HintText; }

void TMessageBar::SetText(char const *text) { SetMessageText(MessageGadgetId, text); }

void TMessageBar::SetMessageText(int id, char const *text) {
    if (TTextGadget *gadget = dynamic_cast<TTextGadget *>(GadgetWithId(id)))
        gadget->SetText(text);
}

char const *TMessageBar::GetText() const {
    TTextGadget *gadget = dynamic_cast<TTextGadget *>(GadgetWithId(MessageGadgetId));
    return gadget && gadget->GetText() ? gadget->GetText() : "";
}

void TMessageBar::SetHintText(char const *text) {
    if (text == HintText)
        return;
    // copied before the old text goes: the new one may be a part of it
    char *copy = text ? strnewdup(text) : 0;
    delete[] HintText;
    HintText = copy;
    if (HWindow)
        Invalidate(true);
}

void TMessageBar::PaintGadgets(TDC &dc, int erase, TRect &rect) {
    int line = ::GetSystemMetrics(SM_CYBORDER);
    if (HighlightLine && rect.top == 0)
        dc.TextRect(rect.left, 0, rect.right, line, TColor::Sys3dHilight);
    if (!HintText) {
        TGadgetWindow::PaintGadgets(dc, erase, rect);
        return;
    }
    TRect client = GetClientRect();
    int y = (client.Height() - FontHeight) / 2;
    if (HighlightLine)
        client.top += line;
    dc.SetBkColor(TColor::Sys3dFace);
    dc.SetTextColor(TColor::SysBtnText);
    dc.ExtTextOutA(5, y, ETO_OPAQUE, &client, HintText,
                   int(std::strlen(HintText)));
}

void TMessageBar::GetInnerRect(TRect &rect) {
    TGadgetWindow::GetInnerRect(rect);
    if (HighlightLine)
        rect.top += ::GetSystemMetrics(SM_CYBORDER);
}

void TMessageBar::GetDesiredSize(TSize &size) {
    TGadgetWindow::GetDesiredSize(size);
    if (HighlightLine)
        ++size.cy;
}
