#include "effects/ProcessorRegistry.h"

#include "effects/Fade.h"
#include "effects/Gain.h"
#include "effects/Normalize.h"

namespace {

// The display names' texts.
enum : unsigned {
    kTextSwapChannels = 11127,
    kTextDcOffset = 11128,
    kTextPhaseInverter = 11129,
    kTextTimeInverter = 11130,
    kTextPitchChange = 11131,
    kTextChorus = 11132,
    kTextFade = 11133,
    kTextXFade = 11134,
    kTextHarmonizer = 11135,
    kTextEq = 11136,
    kTextGain = 11137,
    kTextConverter = 11138,
    kTextNormalize = 11139,
    kTextResample = 11140,
    kTextDynamics = 11141,
    kTextTimeStretch = 11142,
};

// The effects in the registry's order. An effect whose class stands names its maker here;
// until then it is a class without record or dialog.
ProcessorRow const kProcessors[] = {
    {kHarmonizerProcessor, kTextHarmonizer, "harmoniz.set", 1, nullptr},
    {kChorusProcessor, kTextChorus, "chorus.set", 1, nullptr},
    {kTimeStretchProcessor, kTextTimeStretch, nullptr, 1, nullptr},
    {kPitchChangeProcessor, kTextPitchChange, nullptr, 1, nullptr},
    {kEqProcessor, kTextEq, "eq.set", 1, nullptr},
    {kSwapChannelsProcessor, kTextSwapChannels, nullptr, 1, nullptr},
    {kDcOffsetProcessor, kTextDcOffset, nullptr, 1, nullptr},
    {kPhaseInverterProcessor, kTextPhaseInverter, nullptr, 1, nullptr},
    {kTimeInverterProcessor, kTextTimeInverter, nullptr, 1, nullptr},
    {kNormalizeProcessor, kTextNormalize, nullptr, 1, &MakeProcessor<NormalizeProcessor>},
    {kResampleProcessor, kTextResample, nullptr, 1, nullptr},
    {kConverterProcessor, kTextConverter, nullptr, 1, nullptr},
    {kDynamicsProcessor, kTextDynamics, "dynamics.set", 1, nullptr},
    {kGainProcessor, kTextGain, nullptr, 1, &MakeProcessor<GainProcessor>},
    {kFadeProcessor, kTextFade, "fade.set", 1, &MakeProcessor<FadeProcessor>},
    {kXFadeProcessor, kTextXFade, "xfade.set", 0, &MakeProcessor<XFadeProcessor>},  // needs a second wave
};

std::unique_ptr<ProcessorRegistry> _registry;

std::unique_ptr<ProcessorClass> Make(ProcessorRow const &row) {
    return std::unique_ptr<ProcessorClass>(row.make ? row.make(row) : new ProcessorClass(row));
}

}  // namespace

ProcessorClass *ProcessorRegistry::Find(std::int32_t id) const {
    for (auto const &processor : classes_)
        if (processor->GetId() == id)
            return processor.get();
    return nullptr;
}

void ProcessorRegistry::Add(std::unique_ptr<ProcessorClass> processor) { classes_.push_back(std::move(processor)); }

ProcessorRegistry *TheProcessorRegistry() { return _registry.get(); }

void BuildProcessorRegistry() {
    if (_registry)
        return;
    auto registry = std::make_unique<ProcessorRegistry>();
    for (ProcessorRow const &row : kProcessors) {
        std::unique_ptr<ProcessorClass> processor = Make(row);
        processor->ResetCurrentItem();
        registry->Add(std::move(processor));
    }
    _registry = std::move(registry);
}

void DestroyProcessorRegistry() { _registry.reset(); }

ProcessorClass *FindProcessorClass(std::int32_t id) { return _registry ? _registry->Find(id) : nullptr; }

Opcodes *GetCurrentOpcodes(std::int32_t id) {
    ProcessorClass *processor = FindProcessorClass(id);
    return processor ? processor->GetCurrentOpcodes() : nullptr;
}

int RunProcessorDialog(std::int32_t id, Opcodes *record, int givenRecord) {
    ProcessorClass *processor = FindProcessorClass(id);
    if (!processor || !processor->GetCurrentOpcodes())
        return 0;
    if (!record)
        record = processor->GetCurrentOpcodes();
    std::unique_ptr<Opcodes> kept(givenRecord ? record->Clone() : nullptr);
    int accepted;
    try {
        accepted = processor->OpenDialog(*record, givenRecord);
    } catch (...) {
        if (kept)
            record->Assign(*kept);
        throw;
    }
    if (!accepted && kept)
        record->Assign(*kept);
    return accepted;
}
