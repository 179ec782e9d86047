// Which views a change made on one ruler or level scale reaches: that window only, every
// window of the same wave (Ctrl), or every wave window (Ctrl and Shift). In each window the
// view in the same place (main view or overview) is taken.
#pragma once

#include <vector>

class WaveView;

enum ScaleScope { kScopeThisWindow, kScopeThisWave, kScopeAllWaves };

// By the keys held now.
ScaleScope ScopeOfKeys();
// The source view first, then the others in the scope.
std::vector<WaveView *> ViewsInScope(WaveView &source, ScaleScope scope);
