#include "effects/EffectCommands.h"

#include "effects/FadeOpcodes.h"
#include "effects/ProcessorRegistry.h"
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

}  // namespace

EffectMenuLink *RegisterEffectMenu() {
    static EffectMenuRegistration registration;
    return SetEffectMenuLink(&registration);
}
