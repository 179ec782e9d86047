// The text request of the common tooltip control (TTN_NEEDTEXT) and the command enabler
// that answers it: the tooltip's owner routes the enabler like any command enabler, and
// whoever knows the command's tip text hands it over with SetText.
#pragma once

#include "core/Window.h"

#include <commctrl.h>

// Laid out as the system's text-request record (the fields the control reads).
class VELTRANE_API TTooltipText {
public:
    enum { TextSize = 80 };

    TTooltipText();
    operator NMHDR &() { return hdr; }
    operator NMHDR const &() const { return hdr; }

    // Points the control at a text of the caller's, which must outlive the request.
    void SetText(char *text) { lpszText = text; }
    // Copies the text into the record's own array (cut to fit, always terminated).
    void CopyText(char const *text);
    // A string resource of a module.
    void SetText(int resId, HINSTANCE module) {
        lpszText = MAKEINTRESOURCEA(resId);
        hinst = module;
    }

    NMHDR hdr;
    LPSTR lpszText;
    char szText[TextSize];
    HINSTANCE hinst;
    UINT uFlags;
};

// Asks the command enablers for the tip text of the tool that the request names.
class VELTRANE_API TTooltipEnabler : public TCommandEnabler {
public:
    TTooltipEnabler(TTooltipText &text, HWND receiver);
    void SetText(char const *text) override;
    void SetCheck(int state) override;

    TTooltipText &GetTooltipText() const { return Text; }

protected:
    TTooltipText &Text;
};
