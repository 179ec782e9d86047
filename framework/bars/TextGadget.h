// Gadgets that show a text: the plain text field, the framework's coloured variant
// that posts a command when clicked, a text that opens a pop-up menu and a text that
// lights up while a keyboard toggle is on.
#pragma once

#include "bars/Gadget.h"

class String;
class TFont;
class TMenu;
class TPopupMenu;
class TWindow;

class VELTRANE_API TTextGadget : public TGadget {
public:
    enum TAlign { Left, Center, Right };

    // Owns the font, when one is given; otherwise the window's font is used.
    TTextGadget(int id = 0, TBorderStyle style = Recessed, TAlign align = Left, uint numChars = 10,
                char const *text = 0, TFont *font = 0);
    ~TTextGadget() override;

    char const *GetText() const { return Text; }
    TAlign GetAlign() const { return Align; }
    uint GetNumChars() const { return NumChars; }
    // An equal text changes nothing; another one relayouts the window and repaints.
    void SetText(char const *text);
    // Repaints the inner area without erasing.
    void Invalidate();
    using TGadget::Invalidate;

    void GetDesiredSize(TSize &size) override;
    void Paint(TDC &dc) override;

protected:
    // The gadget's font, else the window's, else null.
    TFont *GetTextFont() const;
    // Replaces the text; false when it is equal.
    bool StoreText(char const *text);
    // The desired size with the width of numChars characters of the widest or the
    // average width when the width does not follow the text.
    void SizeFor(TSize &size, bool averageWidth);
    // Paints the text in the font on bkColor, opaque over `opaque`, aligned in `inner`.
    void PaintText(TDC &dc, TRect const &inner, TRect const &opaque, COLORREF textColor, COLORREF bkColor);

    char *Text;
    int TextLen;
    TAlign Align;
    uint NumChars;
    TFont *Font;
};

// A text gadget with its own colours whose click posts a command to the main window.
class VELTRANE_API TextGadget : public TTextGadget {
public:
    TextGadget(int id = 0, TBorderStyle style = Recessed, TAlign align = Left, uint numChars = 10,
               char const *text = 0);

    // Repaints only: the width does not follow the text.
    void SetText(char const *text);
    void SetText(String const &text);
    void SetTextColor(COLORREF color) { TextColor = color; }
    void SetBkColor(COLORREF color) { BkColor = color; }
    COLORREF GetTextColor() const { return TextColor; }
    COLORREF GetBkColor() const { return BkColor; }
    void SetCommand(int id) { CommandId = id; }
    int GetCommand() const { return CommandId; }

    void GetDesiredSize(TSize &size) override;
    void Paint(TDC &dc) override;
    void LButtonDown(uint modKeys, TPoint const &point) override;

protected:
    COLORREF TextColor;
    COLORREF BkColor;
    int CommandId;
    int Reserved;
    int LeftMarginPixels;
};

// A text whose click opens a pop-up menu; the menu's commands go to the given window.
class VELTRANE_API TMenuGadget : public TTextGadget {
public:
    TMenuGadget(TMenu &menu, TWindow *commandWindow, int id = 0, TBorderStyle style = ButtonUp, char *text = 0,
                TFont *font = 0);
    ~TMenuGadget() override;

    TPopupMenu *GetPopupMenu() const { return PopupMenu; }
    void LButtonDown(uint modKeys, TPoint const &point) override;

protected:
    TPopupMenu *PopupMenu;
    TWindow *CommandWindow;
};

// A text shown in the text colour while its key is on and greyed while off.
class VELTRANE_API TModeGadget : public TTextGadget {
public:
    TModeGadget(int virtualKey, char const *text, int id = 0, TBorderStyle style = Recessed, TAlign align = Center,
                TFont *font = 0);

    int GetVirtualKey() const { return VirtualKey; }
    int IdleAction(long idleCount) override;

protected:
    int VirtualKey;
};
