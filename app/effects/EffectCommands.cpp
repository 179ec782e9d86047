#include "effects/EffectCommands.h"

#include "effects/Fade.h"
#include "effects/FadeOpcodes.h"
#include "effects/ProcessorRegistry.h"
#include "waveview/DropLinks.h"
#include "waveview/EffectMenuLink.h"

int OpenEffectFromMenu(std::int32_t id) { return RunProcessorDialog(id, nullptr, 0); }

int OpenFadeFromMenu(int fadeIn) {
    auto *record = dynamic_cast<FadeOpcodes *>(GetCurrentOpcodes(kFadeProcessor));
    if (!record)
        return 0;
    record->fadeIn = fadeIn ? 1 : 0;
    return OpenEffectFromMenu(kFadeProcessor);
}

namespace {

class EffectMenuRegistration : public EffectMenuLink {
public:
    void OpenEffect(std::int32_t registryId) override { OpenEffectFromMenu(registryId); }
    void OpenFade(int fadeIn) override { OpenFadeFromMenu(fadeIn); }
};

// Audio dropped onto another wave's selection crossfades into it by the crossfade's current
// settings.
class CrossfadeDropRegistration : public CrossfadeDropLink {
public:
    void Crossfade(Wave &target, int channels, int first, int last, Wave &source, int sourceFirst,
                   int sourceLast) override {
        if (auto *record = dynamic_cast<XFadeOpcodes *>(GetCurrentOpcodes(kXFadeProcessor)))
            ApplyCrossfade(target, channels, first, last, *record, source, sourceFirst, sourceLast, 1);
    }
};

}  // namespace

CrossfadeDropLink *RegisterCrossfadeDrop() {
    static CrossfadeDropRegistration registration;
    return SetCrossfadeDropLink(&registration);
}

EffectMenuLink *RegisterEffectMenu() {
    static EffectMenuRegistration registration;
    return SetEffectMenuLink(&registration);
}
