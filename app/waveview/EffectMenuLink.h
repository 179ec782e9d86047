// The wave window's effect commands open the effects' dialogs, which live above the wave
// window; the effects register this link. Without it those commands are disabled.
#pragma once

#include <cstdint>

class EffectMenuLink {
public:
    virtual ~EffectMenuLink() {}
    // Opens the dialog of the effect of a registry id on the active wave.
    virtual void OpenEffect(std::int32_t registryId) = 0;
    // Opens the fade dialog, turned to a fade in (1) or a fade out (0).
    virtual void OpenFade(int fadeIn) = 0;
};

// Null while the effects have registered none.
EffectMenuLink *TheEffectMenuLink();
// Returns the link it replaces.
EffectMenuLink *SetEffectMenuLink(EffectMenuLink *link);
