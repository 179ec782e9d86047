#include "bars/TextGadget.h"

#include "core/Application.h"
#include "core/FrameWindow.h"
#include "core/Dc.h"
#include "bars/GadgetWindow.h"
#include "core/Menu.h"

#include "foundation/Strings.h"

#include <cstring>

// ---- TTextGadget

TTextGadget::TTextGadget(int id, TBorderStyle style, TAlign align, uint numChars, char const *text, TFont *font)
    : TGadget(id, style), Text(0), TextLen(0), Align(align), NumChars(numChars), Font(font) {
    StoreText(text);
    ShrinkWrapWidth = 0;
    ShrinkWrapHeight = 1;
    int frame = ::GetSystemMetrics(SM_CXFIXEDFRAME);
    Margins = TMargins(TMargins::LayoutUnits, frame, frame, 0, 0);
}

TTextGadget::~TTextGadget() {
    delete[] Text;
    delete Font;
}

bool TTextGadget::StoreText(char const *text) {
    if (std::strcmp(Text ? Text : "", text ? text : "") == 0 && (Text != 0) == (text != 0))
        return false;
    delete[] Text;
    Text = text ? strnewdup(text) : 0;
    TextLen = text ? int(std::strlen(text)) : 0;
    return true;
}

void TTextGadget::SetText(char const *text) {
    if (!StoreText(text))
        return;
    if (Window)
        Window->GadgetChangedSize(*this);
    Invalidate();
}

void TTextGadget::Invalidate() {
    TRect inner;
    GetInnerRect(inner);
    InvalidateRect(inner, 0);
}

TFont *TTextGadget::GetTextFont() const { return Font ? Font : Window ? &Window->GetFont() : 0; }

void TTextGadget::SizeFor(TSize &size, bool averageWidth) {
    TGadget::GetDesiredSize(size);
    TFont *font = GetTextFont();
    if (!font)
        return;
    TEXTMETRICA tm = font->GetTextMetrics();
    if (ShrinkWrapWidth) {
        size.cx += font->GetTextExtent(Text ? Text : "").cx;
    } else {
        int left = 0, right = 0, top = 0, bottom = 0;
        GetOuterSizes(left, right, top, bottom);
        size.cx = left + right + int(NumChars) * (averageWidth ? tm.tmAveCharWidth : tm.tmMaxCharWidth);
    }
    if (ShrinkWrapHeight)
        size.cy += tm.tmHeight + 2;
}

void TTextGadget::GetDesiredSize(TSize &size) { SizeFor(size, false); }

void TTextGadget::PaintText(TDC &dc, TRect const &inner, TRect const &opaque, COLORREF textColor,
                            COLORREF bkColor) {
    TFont *font = GetTextFont();
    HGDIOBJ old = font ? ::SelectObject(dc, *font) : 0;
    char const *text = Text ? Text : "";
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc, text, TextLen, &extent);
    int x = inner.left, free = inner.Width() - extent.cx;
    if (free > 0)
        x += Align == Center ? free / 2 : Align == Right ? free : 0;
    dc.SetBkColor(bkColor);
    dc.SetTextColor(textColor);
    dc.ExtTextOutA(x, inner.top, ETO_OPAQUE | ETO_CLIPPED, &opaque, text, TextLen);
    if (old)
        ::SelectObject(dc, old);
}

void TTextGadget::Paint(TDC &dc) {
    PaintBorder(dc);
    TRect inner;
    GetInnerRect(inner);
    COLORREF text = (GetEnabled() ? TColor::SysBtnText : TColor::SysGrayText).GetValue();
    PaintText(dc, inner, inner, text, TColor::Sys3dFace.GetValue());
}

// ---- TextGadget

TextGadget::TextGadget(int id, TBorderStyle style, TAlign align, uint numChars, char const *text)
    : TTextGadget(id, style, align, numChars, text, 0),
      TextColor(::GetSysColor(COLOR_BTNTEXT)),
      BkColor(::GetSysColor(COLOR_BTNFACE)),
      CommandId(0),
      Reserved(0),
      LeftMarginPixels(-1) {}

void TextGadget::SetText(char const *text) {
    if (StoreText(text))
        Invalidate();
}

void TextGadget::SetText(String const &text) { SetText(text.c_str()); }

void TextGadget::GetDesiredSize(TSize &size) { SizeFor(size, true); }

void TextGadget::Paint(TDC &dc) {
    PaintBorder(dc);
    TRect inner;
    GetInnerRect(inner);
    if (LeftMarginPixels < 0 && Window)
        LeftMarginPixels = Window->LayoutUnitsToPixels(Margins.Left);
    int margin = LeftMarginPixels > 0 ? LeftMarginPixels : 0;
    TRect opaque(inner.left - margin, inner.top, inner.right + margin, inner.bottom);
    PaintText(dc, inner, opaque, TextColor, BkColor);
}

void TextGadget::LButtonDown(uint modKeys, TPoint const &point) {
    if (CommandId) {
        TApplication *app = GetApplicationObject();
        if (TWindow *main = app ? app->GetMainWindow() : 0)
            main->PostMessageA(WM_COMMAND, WPARAM(CommandId), 0);
    }
    TTextGadget::LButtonDown(modKeys, point);
}

// ---- TMenuGadget

TMenuGadget::TMenuGadget(TMenu &menu, TWindow *commandWindow, int id, TBorderStyle style, char *text, TFont *font)
    : TTextGadget(id, style, Left, 15, text, font), PopupMenu(new TPopupMenu(menu)), CommandWindow(commandWindow) {
    SetShrinkWrap(1, 1);
    char first[513] = {};
    if (::GetMenuStringA(*PopupMenu, 0, first, sizeof first, MF_BYPOSITION) > 0)
        StoreText(first);
}

TMenuGadget::~TMenuGadget() { delete PopupMenu; }

void TMenuGadget::LButtonDown(uint modKeys, TPoint const &point) {
    TTextGadget::LButtonDown(modKeys, point);
    if (!Window || !Window->GetHandle())
        return;
    POINT corner = {Bounds.left, Bounds.top};
    ::ClientToScreen(Window->GetHandle(), &corner);
    HWND owner = CommandWindow && CommandWindow->GetHandle() ? CommandWindow->GetHandle() : Window->GetHandle();
    PopupMenu->TrackPopupMenu(TPM_LEFTBUTTON, corner.x, corner.y, 0, owner);
}

// ---- TModeGadget

TModeGadget::TModeGadget(int virtualKey, char const *text, int id, TBorderStyle style, TAlign align, TFont *font)
    : TTextGadget(id, style, align, 10, text, font), VirtualKey(virtualKey) {
    SetShrinkWrap(1, 1);
}

int TModeGadget::IdleAction(long idleCount) {
    TTextGadget::IdleAction(idleCount);
    short state = ::GetKeyState(VirtualKey);
    bool toggle = VirtualKey == VK_CAPITAL || VirtualKey == VK_INSERT || VirtualKey == VK_NUMLOCK ||
                  VirtualKey == VK_SCROLL;
    SetEnabled(toggle ? (state & 1) : (state & 0x8000) != 0);
    return 0;
}
