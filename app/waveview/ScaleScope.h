// Which views a change made on one ruler or level scale reaches: that window only, every
// window of the same wave (Ctrl), or every wave window (Ctrl and Shift). In each window the
// view in the same place (main view or overview) is taken.
#pragma once

#include <vector>

class WaveView;

enum ScaleScope { kScopeThisWindow, kScopeThisWave, kScopeAllWaves };

// What a change of one ruler or level scale passes on to the others.
enum ScaleChange { kApplyHide = 1, kApplyShow = 2, kApplyStyle = 4, kApplyFont = 8, kApplyTickColor = 16, kApplyUnit = 32 };

// Copies the changed parts of one scale's look to another's (font with its colour, style,
// tick colour, unit).
template <class Look>
void CopyScaleLook(Look &to, Look const &from, int what) {
    if (what & kApplyFont) {
        to.font = from.font;
        to.fontColor = from.fontColor;
    }
    if (what & kApplyStyle)
        to.style = from.style;
    if (what & kApplyTickColor)
        to.tickColor = from.tickColor;
    if (what & kApplyUnit)
        to.unit = from.unit;
}

// By the keys held now.
ScaleScope ScopeOfKeys();
// The source view first, then the others in the scope.
std::vector<WaveView *> ViewsInScope(WaveView &source, ScaleScope scope);
