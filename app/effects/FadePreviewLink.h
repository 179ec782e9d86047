// The fade curves the active wave's view draws over its selection while a fade dialog is
// active.
#pragma once

#include "effects/FadeOpcodes.h"

// Null takes the preview away.
void ShowFadePreview(FadePreview const *preview);
// What the views were last given.
FadePreview const *GetShownFadePreview();
