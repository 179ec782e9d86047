// The effects' menu commands, for the main frame's command table: each opens its effect's
// dialog on the effect's current record, modeless on the active wave.
#pragma once

#include <cstdint>

// The dialog of the effect of the id (gain, normalize, crossfade...).
int OpenEffectFromMenu(std::int32_t id);
// The fade dialog, its record turned to a fade in (fadeIn 1) or a fade out (0) first.
int OpenFadeFromMenu(int fadeIn);

class EffectMenuLink;
// Makes the wave window's effect commands open these dialogs; returns the link replaced.
EffectMenuLink *RegisterEffectMenu();

class CrossfadeDropLink;
// Makes audio dropped onto another wave's selection crossfade into it; the link replaced.
CrossfadeDropLink *RegisterCrossfadeDrop();
