// The fade curves the active wave's view draws over its selection while a fade dialog is
// active: the effects give the wave window their curve and pass the dialog's preview on.
#pragma once

#include "effects/FadeOpcodes.h"

class FadeCurveLink;

// Gives the wave window the effects' fade curve; returns the link it replaces.
FadeCurveLink *RegisterFadeCurve();
// Shows the preview in the active wave's main view; null takes it away.
void ShowFadePreview(FadePreview const *preview);
