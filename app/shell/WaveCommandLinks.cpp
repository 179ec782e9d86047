#include "shell/WaveCommandLinks.h"

#include "cd/CdTime.h"
#include "engine/SamplerDialogs.h"
#include "shell/FFT3DDoc.h"
#include "waveview/CommandLinks.h"

namespace {

class ShellAnalysis : public AnalysisMenuLink {
public:
    void OpenFrequencyAnalysis(Wave &wave) override { ::OpenFrequencyAnalysis(wave); }
};

class ShellSampler : public SamplerMenuLink {
public:
    void OpenTargetDialog(Wave &wave, TWindow *parent) override { RunSamplerTargetDialog(wave, parent); }
    void OpenSampleInfoDialog(Wave &wave, TWindow *parent) override { RunSampleInfoDialog(wave, parent); }
};

}  // namespace

void RegisterWaveCommandLinks() {
    static ShellAnalysis analysis;
    static ShellSampler sampler;
    SetAnalysisMenuLink(&analysis);
    SetSamplerMenuLink(&sampler);
    RegisterCdTimeText();
}
