// The crossfade from its dialog: the clipboard's audio joined to the active wave's
// selection.
#pragma once

#include "effects/FadeOpcodes.h"

// The clipboard holds a wave with frames.
bool ClipboardHoldsAudio();
// Crossfades the clipboard into the active wave's selection, after the checks the user is
// told about (a clipboard shorter than the selection, waves that do not go together).
void CrossfadeFromClipboard(XFadeOpcodes const &record);
