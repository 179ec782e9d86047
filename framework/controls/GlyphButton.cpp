#include "controls/GlyphButton.h"

#include "core/Dc.h"
#include "core/Module.h"
#include "core/System.h"
#include "core/UIParts.h"
#include "core/VeltraneModule.h"

namespace {
char const ClassName[] = "Yrt_GlyphBtn";
enum { CodePushButton = DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, CodeDefPushButton = DLGC_BUTTON | DLGC_DEFPUSHBUTTON };
}

DEFINE_RESPONSE_TABLE1(TGlyphButton, TButton)
    EV_WM_PAINT,
    EV_WM_ERASEBKGND,
    EV_WM_SETFOCUS,
    EV_WM_KILLFOCUS,
    EV_MESSAGE(WM_GETFONT, EvGetFont, I32_WPARAM_LPARAM),
    EV_MESSAGE(WM_SETFONT, EvSetFont, v_WPARAM_LPARAM),
    EV_MESSAGE(WM_GETDLGCODE, EvGetDlgCode, U_WPARAM_LPARAM),
    EV_WM_LBUTTONDOWN,
    EV_WM_LBUTTONDBLCLK,
    EV_WM_LBUTTONUP,
    EV_WM_MOUSEMOVE,
    EV_WM_KEYDOWN,
    EV_MESSAGE(WM_KEYUP, EvKeyUp, v_U_U_U),
    EV_MESSAGE(WM_ENABLE, EvEnable, v_B),
    EV_MESSAGE(WM_CANCELMODE, EvCancelMode, v),
    EV_MESSAGE(BM_SETSTATE, BmSetState, I32_WPARAM_LPARAM),
    EV_MESSAGE(BM_GETSTATE, BmGetState, I32_WPARAM_LPARAM),
    EV_MESSAGE(BM_SETSTYLE, BmSetStyle, I32_WPARAM_LPARAM),
END_RESPONSE_TABLE;

TGlyphButton::TGlyphButton(TWindow *parent, int id, char const *text, int x, int y, int w, int h, int isDefault,
                           TModule *module)
    : TWindow(parent, text, module), TButton(parent, id, text, x, y, w, h, isDefault, module) {
    Init();
}

TGlyphButton::TGlyphButton(TWindow *parent, int resourceId, TModule *module)
    : TWindow(parent, 0, module), TButton(parent, resourceId, module) {
    Init();
}

void TGlyphButton::Init() {
    UpGlyph = DownGlyph = FocusGlyph = DisabledGlyph = 0;
    BtnFont = new TDefaultGUIFont;
    xGlyph = yGlyph = xText = yText = -1;
    LayStyle = lsH_GST;
    StateBits = biShowText;
}

TGlyphButton::~TGlyphButton() {
    delete UpGlyph;
    delete DownGlyph;
    delete FocusGlyph;
    delete DisabledGlyph;
    delete BtnFont;
}

// ---- window class

char const *TGlyphButton::GetClassNameA() { return ClassName; }

LRESULT CALLBACK TGlyphButton::ClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETDLGCODE)
        return (::GetWindowLongA(hwnd, GWL_STYLE) & 0xFF) == BS_DEFPUSHBUTTON ? CodeDefPushButton : CodePushButton;
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

void TGlyphButton::GetWindowClass(WNDCLASSA &wc) {
    if (::GetClassInfoA(0, "BUTTON", &wc)) {
        wc.hInstance = (HINSTANCE)VeltraneLibraryModule().GetHandle();
        wc.lpszClassName = ClassName;
    } else {
        TButton::GetWindowClass(wc);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.style = CS_VREDRAW | CS_HREDRAW | CS_PARENTDC;
    }
    wc.lpfnWndProc = &TGlyphButton::ClassProc;
}

void TGlyphButton::SetupWindow() {
    TButton::SetupWindow();
    uint32_t style = GetStyle();
    if ((style & 0xFF) == BS_DEFPUSHBUTTON)
        Set(biDefault);
    if (style & WS_DISABLED)
        Set(biDisabled);
}

// ---- settings

void TGlyphButton::SetGlyph(TBitmap *bitmap, TGlyphType type) {
    TBitmap **slot = type == gtUp ? &UpGlyph
                     : type == gtDown ? &DownGlyph
                     : type == gtFocus ? &FocusGlyph
                     : type == gtDisabled ? &DisabledGlyph
                                          : 0;
    if (!slot) {
        delete bitmap;  // ownership was handed over
        return;
    }
    if (*slot != bitmap)
        delete *slot;
    *slot = bitmap;
    if (UpGlyph)
        Set(biShowGlyph);
    else
        Clear(biShowGlyph);
    if (HWindow)
        Invalidate(false);
}

void TGlyphButton::SetGlyph(TResId resId, TModule *module, TGlyphType type) {
    TModule *from = module ? module : GetModule();
    SetGlyph(new TBitmap(from ? from->GetHandle() : 0, resId), type);
}

void TGlyphButton::SetGlyph(HBITMAP bitmap, TGlyphType type, TAutoDelete autoDelete) {
    SetGlyph(bitmap ? new TBitmap(bitmap, autoDelete) : (TBitmap *)0, type);
}

void TGlyphButton::SetLayoutStyle(TLayoutStyle style) {
    if (style == LayStyle)
        return;
    LayStyle = style;
    if (HWindow)
        Invalidate(false);
}

void TGlyphButton::SetTextOrigin(int x, int y) { ChangeOrigin(xText, yText, x, y); }

void TGlyphButton::SetGlyphOrigin(int x, int y) { ChangeOrigin(xGlyph, yGlyph, x, y); }

void TGlyphButton::ChangeOrigin(int &xOrigin, int &yOrigin, int x, int y) {
    if (x == xOrigin && y == yOrigin)
        return;
    xOrigin = x, yOrigin = y;
    if (HWindow)
        Invalidate(false);
}

// ---- mouse and keyboard

void TGlyphButton::EvLButtonDown(uint, TPoint &) {
    SetCapture();
    SendMessageA(BM_SETSTATE, 1);
    if (::GetFocus() != HWindow)
        SetFocus();
}

void TGlyphButton::EvLButtonDblClk(uint modKeys, TPoint &point) { EvLButtonDown(modKeys, point); }

void TGlyphButton::EvMouseMove(uint modKeys, TPoint &point) {
    if (!(modKeys & MK_LBUTTON) || ::GetCapture() != HWindow)
        return;
    SendMessageA(BM_SETSTATE, GetClientRect().Contains(point) ? 1 : 0);
}

void TGlyphButton::EvLButtonUp(uint, TPoint &point) {
    if (::GetCapture() != HWindow)
        return;
    ::ReleaseCapture();
    SendMessageA(BM_SETSTATE, 0);
    if (GetClientRect().Contains(point))
        Clicked();
}

void TGlyphButton::EvKeyDown(uint key, uint, uint) {
    if (key == VK_SPACE)
        SendMessageA(BM_SETSTATE, 1);
}

void TGlyphButton::EvKeyUp(uint key, uint, uint) {
    if (key != VK_SPACE || !IsSet(biPushed))
        return;
    SendMessageA(BM_SETSTATE, 0);
    Clicked();
}

void TGlyphButton::Clicked() {
    if (HWND parent = GetParentH())
        ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetId(), 0), (LPARAM)HWindow);
}

LRESULT TGlyphButton::BmSetState(WPARAM state, LPARAM) {
    bool pressed = state != 0;
    if (pressed == IsSet(biPushed))
        return 0;
    if (pressed)
        Set(biPushed);
    else
        Clear(biPushed);
    PaintNow();
    return 0;
}

LRESULT TGlyphButton::BmGetState(WPARAM, LPARAM) {
    return (IsSet(biPushed) ? BST_PUSHED : 0) + (IsSet(biFocus) ? BST_FOCUS : 0);
}

LRESULT TGlyphButton::BmSetStyle(WPARAM style, LPARAM) {
    uint32_t present = GetStyle();
    uint32_t low = present & 0xFF;
    if (style == BS_PUSHBUTTON && low != 0)
        Clear(biDefault);
    else if (style == BS_DEFPUSHBUTTON && low != BS_DEFPUSHBUTTON)
        Set(biDefault);
    else
        return 0;
    SetStyle((present & 0xFFFF0000) | (style & 0xFFFF));
    Invalidate(false);
    return 0;
}

uint TGlyphButton::EvGetDlgCode(WPARAM, LPARAM) { return IsSet(biDefault) ? CodeDefPushButton : CodePushButton; }

void TGlyphButton::EvSetFocus(WPARAM) {
    Set(biFocus);
    Invalidate(false);
}

void TGlyphButton::EvKillFocus(WPARAM) {
    Clear(biFocus);
    if (IsSet(biPushed))
        ClearCapture();
    else
        Invalidate(false);
}

void TGlyphButton::EvEnable(int enabled) {
    if (enabled) {
        Clear(biDisabled);
    } else {
        ClearCapture();
        Set(biDisabled);
    }
    Invalidate(false);
}

void TGlyphButton::EvCancelMode() { ClearCapture(); }

void TGlyphButton::ClearCapture() {
    if (::GetCapture() == HWindow)
        ::ReleaseCapture();
    Clear(biPushed);
    Invalidate(false);
}

int TGlyphButton::EvEraseBkgnd(WPARAM) { return 1; }  // every pixel is painted

LRESULT TGlyphButton::EvGetFont(WPARAM, LPARAM) { return BtnFont ? (LRESULT)BtnFont->GetHandle() : 0; }

void TGlyphButton::EvSetFont(WPARAM hFont, LPARAM redraw) {
    delete BtnFont;
    BtnFont = new TFont((HFONT)hFont, NoAutoDelete);
    if (redraw)
        Invalidate(false);
}

// ---- painting

void TGlyphButton::EvPaint() {
    TPaintDC dc(HWindow);
    PaintButton(dc);
}

void TGlyphButton::Paint(TDC &dc, int, TRect &) { PaintButton(dc); }

void TGlyphButton::PaintNow() {
    if (!HWindow)
        return;
    TClientDC dc(HWindow);
    PaintButton(dc);
}

void TGlyphButton::PaintButton(TDC &dc) {
    TRect client = GetClientRect();
    if (client.IsEmpty())
        return;
    TMemoryDC memory(dc);
    TBitmap picture(dc, client.Width(), client.Height());
    memory.SelectObject(picture);
    TRect rect = client;
    PaintDefaultRect(memory, rect);
    PaintFrame(memory, rect);
    PaintFace(memory, rect);
    ::BitBlt(dc.GetHDC(), client.left, client.top, client.Width(), client.Height(), memory.GetHDC(), 0, 0, SRCCOPY);
    memory.RestoreBitmap();
}

void TGlyphButton::PaintDefaultRect(TDC &dc, TRect &rect) {
    if (!IsSet(biDefault) || rect.Width() <= 2 || rect.Height() <= 2)
        return;
    HBRUSH frame = ::GetSysColorBrush(COLOR_WINDOWFRAME);
    ::FrameRect(dc.GetHDC(), &rect, frame);
    rect.Inflate(-1, -1);
}

void TGlyphButton::PaintFrame(TDC &dc, TRect &rect) {
    TUIBorder border(rect, TUIBorder::TStyle(TUIBorder::ButtonUp + (IsSet(biPushed) ? 1 : 0)));
    border.Paint(dc);
    rect = border.GetClientRect();
}

void TGlyphButton::PaintFace(TDC &dc, TRect &rect) {
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    dc.TextRect(rect, TColor(face));
    bool pressed = IsSet(biPushed);

    TBitmap *glyph = 0;
    if (IsSet(biShowGlyph))
        glyph = UpGlyph;
    if (pressed && DownGlyph)
        glyph = DownGlyph;
    else if (IsSet(biDisabled) && DisabledGlyph)
        glyph = DisabledGlyph;
    TRect glyphRect(0, 0, 0, 0);
    if (glyph)
        glyphRect = TRect(0, 0, glyph->Width(), glyph->Height());

    TRect textRect(0, 0, 0, 0);
    char text[256] = "";
    HDC hdc = dc.GetHDC();
    HGDIOBJ oldFont = 0;
    if (IsSet(biShowText) && GetWindowTextA(text, sizeof text) > 0) {
        HFONT font = BtnFont ? BtnFont->GetHandle() : 0;
        if (!font && GetParentH())
            font = (HFONT)::SendMessageA(GetParentH(), WM_GETFONT, 0, 0);
        if (!font)
            font = (HFONT)::GetStockObject(TSystem::Has3dUI() ? ANSI_VAR_FONT : SYSTEM_FONT);
        oldFont = ::SelectObject(hdc, font);
        COLORREF color = ::GetSysColor(COLOR_BTNTEXT);
        if (IsSet(biDisabled)) {
            COLORREF gray = ::GetSysColor(COLOR_GRAYTEXT);
            color = gray == face || gray == color ? ::GetSysColor(COLOR_3DSHADOW) : gray;
        }
        ::SetTextColor(hdc, color);
        textRect = TRect(0, 0, rect.Width() - glyphRect.Width(), 32767);
        ::DrawTextA(hdc, text, -1, &textRect, DT_CALCRECT | DT_WORDBREAK);
    }

    if (!textRect.IsEmpty() || !glyphRect.IsEmpty()) {
        LayoutTextGlyph(rect, textRect, glyphRect);
        if (pressed) {
            if (!glyphRect.IsEmpty() && glyph == UpGlyph)
                glyphRect.Offset(1, 1);  // a down glyph draws itself pressed
            if (!textRect.IsEmpty())
                textRect.Offset(1, 1);
        }
        if (!glyphRect.IsEmpty()) {
            TUIFace(glyphRect, *glyph, TColor::White, TColor::Sys3dFace)
                .Paint(dc, TPoint(0, 0), TUIFace::Normal, false, true);
        }
        if (!textRect.IsEmpty()) {
            int oldMode = ::SetBkMode(hdc, TRANSPARENT);
            ::DrawTextA(hdc, text, -1, &textRect, DT_WORDBREAK);
            ::SetBkMode(hdc, oldMode);
        }
    }
    if (IsSet(biFocus))
        PaintFocusRect(dc, rect);
    if (oldFont)
        ::SelectObject(hdc, oldFont);
}

void TGlyphButton::PaintFocusRect(TDC &dc, TRect const &faceRect) {
    TRect focus = faceRect;
    focus.Inflate(-1, -1);
    ::DrawFocusRect(dc.GetHDC(), &focus);
}

void TGlyphButton::LayoutTextGlyph(TRect const &faceRect, TRect &textRect, TRect &glyphRect) {
    // centres one rectangle vertically when it is lower than the face, else cuts it
    auto centreY = [&faceRect](TRect &r) {
        if (r.Height() < faceRect.Height())
            r.Offset(0, (faceRect.Height() - r.Height()) / 2);
        else
            r.bottom = faceRect.bottom;
    };
    bool hasText = !textRect.IsEmpty(), hasGlyph = !glyphRect.IsEmpty();
    if (hasText != hasGlyph) {
        TRect &r = hasText ? textRect : glyphRect;
        r.MoveTo(faceRect.left, faceRect.top);
        if (r.Width() < faceRect.Width())
            r.Offset((faceRect.Width() - r.Width()) / 2, 0);
        else
            r.right = faceRect.right;
        centreY(r);
        return;
    }
    if (!hasText)
        return;
    textRect.MoveTo(faceRect.left, faceRect.top);
    glyphRect.MoveTo(faceRect.left, faceRect.top);
    if (LayStyle != lsH_SGST && LayStyle != lsH_GST)
        return;
    int free = faceRect.Width() - textRect.Width() - glyphRect.Width() - 8;
    if (free < 0) {
        glyphRect.Offset(free / 2 + 4, 0);
        textRect.Offset(glyphRect.right - textRect.left, 0);
    } else if (LayStyle == lsH_SGST) {
        glyphRect.Offset(free / 3 + 4, 0);
        textRect.Offset(glyphRect.right + free / 3 - textRect.left, 0);
    } else {
        glyphRect.Offset(4, 0);
        textRect.Offset(free / 2 + glyphRect.Width() + 4, 0);
    }
    if (glyphRect.Height() < faceRect.Height())
        glyphRect.Offset(0, (faceRect.Height() - glyphRect.Height()) / 2);
    if (textRect.Height() < faceRect.Height())
        textRect.Offset(0, (faceRect.Height() - textRect.Height()) / 2);
}
