#include "bars/ToolbarButtonGadget.h"

#include "core/Application.h"
#include "core/Dc.h"
#include "core/Dib.h"
#include "core/SysInfo.h"
#include "core/FrameWindow.h"
#include "bars/GadgetWindow.h"
#include "core/GdiObject.h"

#include <memory>

namespace {

std::unique_ptr<THatch8x8Brush> faceHighlight, highlightFace, faceShadow;

THatch8x8Brush &Dither(std::unique_ptr<THatch8x8Brush> &brush, int fore, int back) {
    if (!brush)
        brush.reset(new THatch8x8Brush(THatch8x8Brush::Hatch11F1, TColor(::GetSysColor(fore)),
                                       TColor(::GetSysColor(back))));
    return *brush;
}

// Glyphs up to 128 x 128 pixels share one mask.
HBITMAP GlyphMask() {
    struct Mask {
        HBITMAP Handle = ::CreateBitmap(128, 128, 1, 1, 0);
        ~Mask() { ::DeleteObject(Handle); }
    };
    static Mask mask;
    return mask.Handle;
}

// The mask is 1 where cel `x` has the colour of `back` (and of `alsoBack` when not -1).
void BuildMask(HDC maskDc, HDC celDc, int x, TSize size, int back, int alsoBack) {
    ::PatBlt(maskDc, 0, 0, 128, 128, WHITENESS);
    COLORREF old = ::SetBkColor(celDc, ::GetSysColor(back));
    ::BitBlt(maskDc, 0, 0, size.cx, size.cy, celDc, x, 0, SRCCOPY);
    if (alsoBack >= 0) {
        ::SetBkColor(celDc, ::GetSysColor(alsoBack));
        ::BitBlt(maskDc, 0, 0, size.cx, size.cy, celDc, x, 0, SRCPAINT);
    }
    ::SetBkColor(celDc, old);
}

const DWORD BrushWhereMaskIs0 = 0xB8074A;
const DWORD BrushWhereMaskIs1 = 0xE20746;

void BrushThroughMask(HDC celDc, HDC maskDc, HBRUSH brush, int x, int y, TSize size, DWORD rop) {
    COLORREF text = ::SetTextColor(celDc, RGB(0, 0, 0));
    COLORREF back = ::SetBkColor(celDc, RGB(255, 255, 255));
    HGDIOBJ old = ::SelectObject(celDc, brush);
    ::BitBlt(celDc, x, y, size.cx, size.cy, maskDc, 0, 0, rop);
    ::SelectObject(celDc, old);
    ::SetTextColor(celDc, text);
    ::SetBkColor(celDc, back);
}

void Fill(HDC dc, TRect const &r, int colour) { ::FillRect(dc, &r, ::GetSysColorBrush(colour)); }

void Pixel(HDC dc, int x, int y, int colour) { ::SetPixel(dc, x, y, ::GetSysColor(colour)); }

}  // namespace

// ---- brushes

THatch8x8Brush &TButtonBrushes::FaceHighlight() { return Dither(faceHighlight, COLOR_BTNFACE, COLOR_BTNHIGHLIGHT); }
THatch8x8Brush &TButtonBrushes::HighlightFace() { return Dither(highlightFace, COLOR_BTNHIGHLIGHT, COLOR_BTNFACE); }
THatch8x8Brush &TButtonBrushes::FaceShadow() { return Dither(faceShadow, COLOR_BTNFACE, COLOR_BTNSHADOW); }

void TButtonBrushes::Reconstruct() {
    faceHighlight.reset();
    highlightFace.reset();
    faceShadow.reset();
    FaceHighlight();
    HighlightFace();
    FaceShadow();
}

// ---- button

TToolbarButtonGadget::TToolbarButtonGadget(TResId glyph, int id, TType type, int enabled, TState state, int)
    : TPressGadget(id, None), ResId(CopyGlyphResId(glyph)), GlyphPos(0, 0), GlyphSize(0, 0), CelArray(0),
      State(state), Type(type), NotchCorners(1), AntialiasEdges(1), CommandTarget(0) {
    SetEnabled(enabled);
}

TToolbarButtonGadget::~TToolbarButtonGadget() {
    delete CelArray;
    FreeGlyphResId(ResId);
}

HWND TToolbarButtonGadget::GetTargetHandle() const {
    if (CommandTarget)
        return CommandTarget->GetHandle();
    TApplication *app = GetApplicationObject();
    TFrameWindow *main = app ? app->GetMainWindow() : 0;
    return main ? main->GetHandle() : 0;
}

void TToolbarButtonGadget::SetButtonState(TState state) {
    if (state == State)
        return;
    if (state == Down && Type == Exclusive)
        CheckExclusively();
    State = state;
    Invalidate(0);
    Update();
}

void TToolbarButtonGadget::CheckExclusively() {
    if (State == Down)
        return;
    ReleaseExclusiveGroup(*this, Window);
    State = Down;
}

TDib *TToolbarButtonGadget::GetGlyphDib() {
    TDib *dib = LoadGlyphDib(Window, ResId);
    if (dib && GlyphSize.cx == 0 && GlyphSize.cy == 0)
        GlyphSize = dib->Size();
    return dib;
}

void TToolbarButtonGadget::ReleaseGlyphDib(TDib *glyph) { delete glyph; }

void TToolbarButtonGadget::BuildCelArray() {
    TDib *dib = GetGlyphDib();
    if (!dib)
        return;
    TSize size = GlyphSize;
    HDC screen = ::GetDC(0);
    if (!CelArray) {
        TBitmap *strip = new TBitmap(::CreateCompatibleBitmap(screen, 4 * size.cx, size.cy), AutoDelete);
        CelArray = new TCelArray(strip, 4, TSize(0, 0), TPoint(0, 0), AutoDelete);
    }
    HDC celDc = ::CreateCompatibleDC(screen);
    HDC maskDc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(0, screen);
    HGDIOBJ oldCel = ::SelectObject(celDc, static_cast<TBitmap &>(*CelArray).GetHandle());
    HGDIOBJ oldMask = ::SelectObject(maskDc, GlyphMask());
    int w = size.cx;

    ::StretchDIBits(celDc, 0, 0, w, size.cy, 0, 0, dib->Width(), dib->Height(), dib->GetBits(), dib->GetInfo(),
                    dib->Usage(), SRCCOPY);
    ReleaseGlyphDib(dib);

    // disabled: the glyph's dark pixels embossed in highlight and shadow
    BuildMask(maskDc, celDc, 0, size, COLOR_BTNFACE, COLOR_BTNHIGHLIGHT);
    Fill(celDc, TRect(w, 0, 2 * w, size.cy), COLOR_BTNFACE);
    BrushThroughMask(celDc, maskDc, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT), w + 1, 1,
                     TSize(w - 1, size.cy - 1), BrushWhereMaskIs0);
    BrushThroughMask(celDc, maskDc, ::GetSysColorBrush(COLOR_BTNSHADOW), w, 0, size, BrushWhereMaskIs0);

    // indeterminate: dark pixels in shadow on a checkered face and highlight
    THatch8x8Brush &dither = TButtonBrushes::FaceHighlight();
    BrushThroughMask(celDc, maskDc, ::GetSysColorBrush(COLOR_BTNSHADOW), 2 * w, 0, size, BrushWhereMaskIs0);
    BrushThroughMask(celDc, maskDc, dither, 2 * w, 0, size, BrushWhereMaskIs1);

    // down: the glyph on a checkered background
    ::BitBlt(celDc, 3 * w, 0, w, size.cy, celDc, 0, 0, SRCCOPY);
    BuildMask(maskDc, celDc, 3 * w, size, COLOR_BTNFACE, -1);
    BrushThroughMask(celDc, maskDc, dither, 3 * w, 0, size, BrushWhereMaskIs1);

    ::SelectObject(maskDc, oldMask);
    ::SelectObject(celDc, oldCel);
    ::DeleteDC(maskDc);
    ::DeleteDC(celDc);
}

void TToolbarButtonGadget::GetDesiredSize(TSize &size) {
    TGadget::GetDesiredSize(size);
    if (!CelArray)
        BuildCelArray();
    int extra = _win95 ? 4 : 5;
    size.cx += GlyphSize.cx + extra;
    size.cy += GlyphSize.cy + extra;
}

void TToolbarButtonGadget::SysColorChange() {
    TButtonBrushes::Reconstruct();
    BuildCelArray();
}

void TToolbarButtonGadget::CommandEnable() {
    HWND target = GetTargetHandle();
    if (!target)
        return;
    TToolButtonGadgetEnabler enabler(target, this);
    TWindow *receiver = CommandTarget;
    if (!receiver) {
        TApplication *app = GetApplicationObject();
        receiver = app ? app->GetMainWindow() : 0;
    }
    receiver->HandleMessage(0x7FFF, 0, LPARAM(&enabler));
}

void TToolbarButtonGadget::Paint(TDC &dc) {
    HDC h = dc.GetHDC();
    int width = Bounds.Width(), height = Bounds.Height();
    TRect r(0, 0, width, height);
    int sunken = Pressed || State == Down;
    int deep = Pressed && Type != Command;
    if (_win95) {
        ::DrawEdge(h, &r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    } else {
        HBRUSH frame = ::GetSysColorBrush(COLOR_WINDOWFRAME);
        ::FrameRect(h, &r, frame);
        r.Inflate(-1, -1);
        int t = deep ? 2 : 1;
        int edge = sunken ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT;
        Fill(h, TRect(r.left, r.top, r.right, r.top + t), edge);
        Fill(h, TRect(r.left, r.top, r.left + t, r.bottom), edge);
        if (sunken) {
            r.left += t;
            r.top += t;
        } else {
            r.right -= 1;
            r.bottom -= 1;
            for (int pass = 0; pass < 2; ++pass) {
                Fill(h, TRect(r.left, r.bottom, r.right + 1, r.bottom + 1), COLOR_BTNSHADOW);
                Fill(h, TRect(r.right, r.top, r.right + 1, r.bottom), COLOR_BTNSHADOW);
                r.Inflate(-1, -1);
            }
        }
        if (NotchCorners) {
            Pixel(h, 0, 0, COLOR_BTNFACE);
            Pixel(h, width - 1, 0, COLOR_BTNFACE);
            Pixel(h, 0, height - 1, COLOR_BTNFACE);
            Pixel(h, width - 1, height - 1, COLOR_BTNFACE);
        }
        if (AntialiasEdges && State == Up && !Pressed) {
            Pixel(h, width - 2, 1, COLOR_BTNFACE);
            Pixel(h, 1, height - 2, COLOR_BTNFACE);
            Pixel(h, width - 3, 2, COLOR_BTNFACE);
            Pixel(h, 2, height - 3, COLOR_BTNFACE);
        }
    }
    int cel = !GetEnabled() ? 1 : State == Indeterminate ? 2 : State == Down ? 3 : 0;
    int x = (width - GlyphSize.cx) / 2, y = (height - GlyphSize.cy) / 2;
    if (sunken) {
        int shift = deep && !_win95 ? 2 : 1;
        x += shift;
        y += shift;
    }
    if (State == Down && GetEnabled())
        ::FillRect(h, &r, TButtonBrushes::HighlightFace());
    else
        Fill(h, r, COLOR_BTNFACE);
    if (!CelArray)
        return;
    HDC celDc = ::CreateCompatibleDC(h);
    HGDIOBJ old = ::SelectObject(celDc, static_cast<TBitmap &>(*CelArray).GetHandle());
    TRect source = CelArray->CelRect(cel);
    ::BitBlt(h, x, y, source.Width(), source.Height(), celDc, source.left, source.top, SRCCOPY);
    ::SelectObject(celDc, old);
    ::DeleteDC(celDc);
}

void TToolbarButtonGadget::Activate(TPoint const &point) {
    if (Type == Exclusive) {
        if (State != Down)
            CheckExclusively();
    } else if (Type == NonExclusive) {
        State = State == Up ? Down : Up;
    }
    CancelPressed(point);
    if (HWND target = GetTargetHandle())
        ::PostMessageA(target, WM_COMMAND, GetId(), 0);
}
