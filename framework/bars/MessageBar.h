// The bar at the bottom of a frame: one message text and the hints of menu and tool
// commands. It is the frame's child IDW_MESSAGEBAR.
#pragma once

#include "bars/DecoratedFrame.h"
#include "bars/GadgetWindow.h"
#include "core/SysInfo.h"

class VELTRANE_API TMessageBar : public TGadgetWindow, public TStatusTextDisplay {
public:
    enum { MessageGadgetId = 30000 };

    TMessageBar(TWindow *parent = 0, TFont *font = new TGadgetWindowFont, TModule *module = 0);
    ~TMessageBar() override;

    // The text of the message gadget; null clears it.
    void SetText(char const *text);
    void ShowStatusText(char const *text) override { SetText(text); }
    HFONT GetStatusFont() const override { return GetFont(); }
    // The text of the gadget with that id when it is a text gadget.
    void SetMessageText(int id, char const *text);
    // The message gadget's text, "" when it has none.
    char const *GetText() const;

    // Shows a hint over the whole bar (a copy of the text); null clears it.
    virtual void SetHintText(char const *text);
    char const *GetHintText() const { return HintText; }
    int GetHighlightLine() const { return HighlightLine; }
    void SetHighlightLine(int on) { HighlightLine = on; }

    void PaintGadgets(TDC &dc, int erase, TRect &rect) override;
    void GetInnerRect(TRect &rect) override;
    void GetDesiredSize(TSize &size) override;

protected:
    int HighlightLine;
    char *HintText;
};
