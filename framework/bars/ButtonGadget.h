// The framework's general button gadget: a glyph that reacts to the mouse, posts its
// command to its gadget window and takes its enabled and check states from command
// enablers. The glyph is its own image or a cel of the window's shared cel array; the
// pressed, indeterminate and disabled looks come from the button-face painter.
#pragma once

#include "core/VeltraneDefs.h"

#include "bars/GadgetWindow.h"

#include <vector>

class TCelArray;
class TDib;
class TButtonGadget;

// Glyph resources of buttons: a name is kept as an own copy.
VELTRANE_API TResId CopyGlyphResId(TResId id);
VELTRANE_API void FreeGlyphResId(TResId id);
// The glyph from the gadget window's module with the button colours made the current
// system colours; null outside a window.
VELTRANE_API TDib *LoadGlyphDib(TGadgetWindow *window, TResId id);

// Sets up every down button of the exclusive group of `self` in `window`: the run of
// adjacent exclusive buttons of class B before it, and the run after it.
template <class B>
void ReleaseExclusiveGroup(B &self, TGadgetWindow *window) {
    if (!window)
        return;
    std::vector<B *> row;
    int at = -1;
    for (TGadget *g = window->FirstGadget(); g; g = g->NextGadget()) {
        B *b = dynamic_cast<B *>(g);
        if (b == &self)
            at = int(row.size());
        row.push_back(b && (b == &self || b->GetButtonType() == B::Exclusive) ? b : 0);
    }
    if (at < 0)
        return;
    for (int i = at - 1; i >= 0 && row[i]; --i)
        if (row[i]->GetButtonState() == B::Down)
            row[i]->SetButtonState(B::Up);
    for (int i = at + 1; i < int(row.size()) && row[i]; ++i)
        if (row[i]->GetButtonState() == B::Down)
            row[i]->SetButtonState(B::Up);
}

// Carries a command enabler's answers to a button of class B.
template <class B>
class TButtonEnabler : public TCommandEnabler {
public:
    TButtonEnabler(HWND receiver, B *gadget) : TCommandEnabler(gadget->GetId(), receiver), Gadget(gadget) {}
    void Enable(int enable = 1) override {
        TCommandEnabler::Enable(enable);
        Gadget->SetEnabled(enable);
    }
    void SetText(char const *) override {}
    void SetCheck(int state) override { Gadget->SetButtonState(typename B::TState(state)); }

protected:
    B *Gadget;
};

typedef TButtonEnabler<TButtonGadget> TButtonGadgetEnabler;

// What both button classes share: the left mouse button presses them; held, the press follows the
// mouse out and back in; released over the button, the button acts. Hints show on entering or on
// pressing, as the gadget window asks.
class VELTRANE_API TPressGadget : public TGadget {
public:
    TPressGadget(int id, TBorderStyle style);

    int IsPressed() const { return Pressed; }

    void MouseEnter(uint modKeys, TPoint const &point) override;
    void MouseMove(uint modKeys, TPoint const &point) override;
    void MouseLeave(uint modKeys, TPoint const &point) override;
    void LButtonDown(uint modKeys, TPoint const &point) override;
    void LButtonUp(uint modKeys, TPoint const &point) override;
    // A press that loses the mouse ends without acting.
    void CaptureLost() override;

    virtual void BeginPressed(TPoint const &point);
    virtual void CancelPressed(TPoint const &point);
    virtual void Activate(TPoint const &point) = 0;

protected:
    int Pressed = 0;

private:
    // Repaints the button; with hints on pressing, shows its hint (or clears it with -1).
    void PressChanged(int hintId);
    // With hints on entering, shows the button's hint (or clears it with -1).
    void EnterHint(int hintId);
};

class VELTRANE_API TButtonGadget : public TPressGadget {
public:
    enum TType { Command, Exclusive, NonExclusive, SemiExclusive };
    enum TState { Up, Down, Indeterminate };
    enum TShadowStyle { SingleShadow = 1, DoubleShadow = 2 };

    // With sharedGlyph the glyph argument is the index of the glyph in the gadget
    // window's shared cel array.
    TButtonGadget(TResId glyph, int id, TType type = Command, int enabled = 0, TState state = Up,
                  int sharedGlyph = 0);
    ~TButtonGadget() override;

    void SetButtonState(TState state);
    TState GetButtonState() const { return TState(State); }
    TType GetButtonType() const { return TType(Type); }
    void SetShadowStyle(TShadowStyle style);
    TShadowStyle GetShadowStyle() const { return TShadowStyle(ShadowStyle); }
    int GetNotchCorners() const { return NotchCorners; }
    void SetNotchCorners(int notch = 1) { NotchCorners = notch != 0; }
    int GetAntialiasEdges() const { return AntialiasEdges; }
    void SetAntialiasEdges(int anti = 1) { AntialiasEdges = anti != 0; }

    void GetDesiredSize(TSize &size) override;
    void SetBounds(TRect const &rect) override;
    void CommandEnable() override;
    void SysColorChange() override {}
    void Paint(TDC &dc) override;
    void Activate(TPoint const &point) override;

    virtual TDib *GetGlyphDib();
    virtual void ReleaseGlyphDib(TDib *glyph);
    virtual void BuildCelArray();

protected:
    void SetButtonType(TType type) { Type = type; }
    // Releases the other down buttons of the exclusive group, then this one is down.
    void CheckExclusively();

    TResId ResId;
    TCelArray *CelArray;
    TPoint GlyphOrigin;
    int State : 4;
    unsigned Type : 4;
    int ShadowStyle : 4;
    unsigned NotchCorners : 1;
    unsigned AntialiasEdges : 1;
    int SharedGlyph;
    int GlyphIndex;
    int GlyphCount;
};
