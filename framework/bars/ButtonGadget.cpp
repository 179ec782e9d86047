#include "bars/ButtonGadget.h"

#include "core/Dib.h"
#include "bars/GadgetWindow.h"
#include "core/UIParts.h"

TResId CopyGlyphResId(TResId id) { return id.IsString() ? TResId(strnewdup(id)) : id; }

void FreeGlyphResId(TResId id) {
    if (id.IsString())
        delete[] const_cast<char *>(static_cast<char const *>(id));
}

TDib *LoadGlyphDib(TGadgetWindow *window, TResId id) {
    TModule *module = window ? window->GetModule() : 0;
    if (!module)
        return 0;
    TDib *dib = new TDib(module->GetHandle(), id);  // a missing glyph raises the drawing error
    dib->MapUIColors(TDib::MapFace | TDib::MapText | TDib::MapShadow | TDib::MapHighlight, 0);
    return dib;
}

// ---- pressing

TPressGadget::TPressGadget(int id, TBorderStyle style) : TGadget(id, style) { TrackMouse = 1; }

void TPressGadget::PressChanged(int hintId) {
    Invalidate(0);
    Update();
    if (Window && Window->GetHintMode() == TGadgetWindow::PressHints)
        Window->SetHintCommand(hintId);
}

void TPressGadget::EnterHint(int hintId) {
    if (Window && Window->GetHintMode() == TGadgetWindow::EnterHints)
        Window->SetHintCommand(hintId);
}

void TPressGadget::BeginPressed(TPoint const &) {
    Pressed = 1;
    PressChanged(GetId());
}

void TPressGadget::CancelPressed(TPoint const &) {
    Pressed = 0;
    PressChanged(-1);
}

void TPressGadget::LButtonDown(uint modKeys, TPoint const &point) {
    TGadget::LButtonDown(modKeys, point);
    BeginPressed(point);
}

// A held button follows the mouse: leaving it cancels the press, coming back renews it.
void TPressGadget::MouseMove(uint modKeys, TPoint const &point) {
    TGadget::MouseMove(modKeys, point);
    int inside = PtIn(point);
    if (Pressed && !inside)
        CancelPressed(point);
    else if (!Pressed && inside)
        BeginPressed(point);
}

void TPressGadget::LButtonUp(uint modKeys, TPoint const &point) {
    TGadget::LButtonUp(modKeys, point);
    if (Pressed)
        Activate(point);
}

void TPressGadget::CaptureLost() {
    if (Pressed)
        CancelPressed(TPoint(-1, -1));
}

void TPressGadget::MouseEnter(uint modKeys, TPoint const &point) {
    TGadget::MouseEnter(modKeys, point);
    EnterHint(GetId());
}

void TPressGadget::MouseLeave(uint modKeys, TPoint const &point) {
    TGadget::MouseLeave(modKeys, point);
    EnterHint(-1);
}

// ---- button

TButtonGadget::TButtonGadget(TResId glyph, int id, TType type, int enabled, TState state, int sharedGlyph)
    : TPressGadget(id, ButtonUp), CelArray(0), State(state), Type(type), ShadowStyle(0), NotchCorners(1),
      AntialiasEdges(1), SharedGlyph(sharedGlyph) {
    if (sharedGlyph) {
        GlyphIndex = int(ULONG_PTR(static_cast<char const *>(glyph)));
        GlyphCount = 1;
    } else {
        ResId = CopyGlyphResId(glyph);
        GlyphIndex = -1;
        GlyphCount = 4;
    }
    SetEnabled(enabled);
    SetShadowStyle(DoubleShadow);
}

TButtonGadget::~TButtonGadget() {
    delete CelArray;
    FreeGlyphResId(ResId);
}

void TButtonGadget::SetShadowStyle(TShadowStyle style) {
    if (TSystem::Has3dUI())
        return;
    ShadowStyle = style;
    TBorders borders;
    borders.Left = borders.Top = 2;
    borders.Right = borders.Bottom = uint8_t(style + 1);
    SetBorders(borders);
}

void TButtonGadget::SetButtonState(TState state) {
    if (state == State)
        return;
    if (state == Down && (Type == Exclusive || Type == SemiExclusive))
        CheckExclusively();
    State = state;
    Invalidate(0);
    Update();
}

void TButtonGadget::CheckExclusively() {
    if (State == Down)
        return;
    ReleaseExclusiveGroup(*this, Window);
    State = Down;
}

TDib *TButtonGadget::GetGlyphDib() { return ResId ? LoadGlyphDib(Window, ResId) : 0; }

void TButtonGadget::ReleaseGlyphDib(TDib *glyph) { delete glyph; }

void TButtonGadget::BuildCelArray() {
    TDib *dib = GetGlyphDib();
    if (!dib)
        return;
    if (SharedGlyph && Window) {
        TCelArray &shared = Window->GetCelArray(dib->Width(), dib->Height());
        if (shared.CelSize() == dib->Size()) {
            TBitmap bitmap(*dib);
            if (GlyphIndex == -1)
                GlyphIndex = shared.Add(bitmap);
            else
                shared.Replace(GlyphIndex, bitmap);
            ReleaseGlyphDib(dib);
            return;
        }
    }
    delete CelArray;
    CelArray = new TCelArray(*dib, 1);
    GlyphIndex = 0;
    SharedGlyph = 0;
    ReleaseGlyphDib(dib);
}

void TButtonGadget::GetDesiredSize(TSize &size) {
    TGadget::GetDesiredSize(size);
    if (!CelArray && GlyphIndex == -1)
        BuildCelArray();
    TCelArray *cels = CelArray ? CelArray : Window ? &Window->GetCelArray(0, 0) : 0;
    if (cels) {
        size.cx += cels->CelSize().cx;
        size.cy += cels->CelSize().cy;
    }
}

void TButtonGadget::SetBounds(TRect const &rect) {
    TGadget::SetBounds(rect);
    TCelArray *cels = CelArray ? CelArray : Window ? &Window->GetCelArray(0, 0) : 0;
    TSize cel = cels ? cels->CelSize() : TSize(0, 0);
    TRect inner;
    GetInnerRect(inner);
    GlyphOrigin.x = inner.left + (inner.Width() - cel.cx) / 2;
    GlyphOrigin.y = inner.top + (inner.Height() - cel.cy) / 2;
}

void TButtonGadget::CommandEnable() {
    if (Window && Window->GetHandle()) {
        TButtonGadgetEnabler enabler(Window->GetHandle(), this);
        Window->HandleMessage(0x7FFF, 0, LPARAM(&enabler));
    }
}

void TButtonGadget::Paint(TDC &dc) {
    BorderStyle = Pressed || State == Down ? ButtonDn : ButtonUp;
    PaintBorder(dc);
    TCelArray *cels = CelArray ? CelArray : Window ? &Window->GetCelArray(0, 0) : 0;
    if (!cels || GlyphIndex < 0)
        return;
    TRect inner;
    GetInnerRect(inner);
    TUIFace::TState face = TUIFace::Normal;
    bool pressed = Pressed;
    if (!GetEnabled()) {
        face = TUIFace::Disabled;
        pressed = false;
    } else if (State == Indeterminate) {
        face = TUIFace::Indeterm;
    } else if (State == Down && !Pressed) {
        face = TUIFace::Down;
    }
    TUIFace painter(inner, *cels, TColor::White, TColor::Sys3dFace);
    TPoint offset(GlyphOrigin.x - inner.left, GlyphOrigin.y - inner.top);
    painter.Paint(dc, cels->CelRect(GlyphIndex), offset, face, pressed, true);
}

void TButtonGadget::Activate(TPoint const &point) {
    switch (Type) {
    case Exclusive:
        if (State != Down)
            CheckExclusively();
        break;
    case NonExclusive: State = State == Up ? Down : Up; break;
    case SemiExclusive:
        if (State == Down)
            State = Up;
        else
            CheckExclusively();
        break;
    default: break;
    }
    CancelPressed(point);
    if (Window && GetEnabled() && ((Type != Exclusive && Type != SemiExclusive) || State == Down))
        Window->PostMessageA(WM_COMMAND, GetId(), 0);
}
