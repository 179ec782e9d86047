#include "effects/Crossfade.h"

bool ClipboardHoldsAudio() { return false; }

void CrossfadeFromClipboard(XFadeOpcodes const &) {}
