// The button of the tool bars: it draws its own border, makes four ready cels
// (normal, disabled, indeterminate, down) from its glyph at once, and sends its command
// and enabling queries to a command target, by default the application's main window.
#pragma once

#include "core/VeltraneDefs.h"

#include "bars/ButtonGadget.h"

class TToolbarButtonGadget;
class THatch8x8Brush;

typedef TButtonEnabler<TToolbarButtonGadget> TToolButtonGadgetEnabler;

// The dither brushes of buttons and bars, made on first use from the current colours.
class VELTRANE_API TButtonBrushes {
public:
    // face and highlight: background of the indeterminate and down cels
    static THatch8x8Brush &FaceHighlight();
    // highlight and face: background of a down tool button
    static THatch8x8Brush &HighlightFace();
    // face and shadow: background of the main control bar
    static THatch8x8Brush &FaceShadow();
    // Rebuilds all three from the present system colours.
    static void Reconstruct();
};

class VELTRANE_API TToolbarButtonGadget : public TPressGadget {
public:
    enum TType { Command, Exclusive, NonExclusive };
    enum TState { Up, Down, Indeterminate };

    // The last argument is not used.
    TToolbarButtonGadget(TResId glyph, int id, TType type = Command, int enabled = 0, TState state = Up,
                         int = 0);
    ~TToolbarButtonGadget() override;

    void SetButtonState(TState state);
    TState GetButtonState() const { return TState(State); }
    TType GetButtonType() const { return TType(Type); }
    void SetAntialiasEdges(int anti = 1) { AntialiasEdges = anti; }
    void SetNotchCorners(int notch = 1) { NotchCorners = notch; }
    void SetCommandTarget(TWindow *target) { CommandTarget = target; }
    TWindow *GetCommandTarget() const { return CommandTarget; }
    void SetRect(TPoint position, TSize size) { GlyphPos = position, GlyphSize = size; }
    TCelArray *GetCels() const { return CelArray; }

    void GetDesiredSize(TSize &size) override;
    void CommandEnable() override;
    void SysColorChange() override;
    void Paint(TDC &dc) override;
    void Activate(TPoint const &point) override;

    virtual void BuildCelArray();
    virtual TDib *GetGlyphDib();
    virtual void ReleaseGlyphDib(TDib *glyph);

protected:
    void CheckExclusively();
    // The command target's window, else the main window's; 0 with neither.
    HWND GetTargetHandle() const;

    TResId ResId;
    TPoint GlyphPos;
    TSize GlyphSize;
    TCelArray *CelArray;
    int State;
    int Type;
    int NotchCorners;
    int AntialiasEdges;
    TWindow *CommandTarget;
};
