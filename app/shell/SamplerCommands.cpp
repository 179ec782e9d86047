// The sampler commands: receiving a sample and setting up the sampler devices, offered
// while the sampler link is there, and the active wave's destination and sample data.
#include "shell/WaveMDIClient.h"

#include "audio/Wave.h"
#include "effects/SamplerSetupDialog.h"
#include "engine/SamplerDialogs.h"
#include "engine/SamplerLink.h"

void WaveMDIClient::CmReceiveSample() { RunReceiveSampleDialog(this); }

void WaveMDIClient::CmSamplerSetup() { RunSamplerSetupDialog(this); }

void WaveMDIClient::CmSamplerTarget() {
    if (Wave *wave = GetActiveWave())
        RunSamplerTargetDialog(*wave, this);
}

void WaveMDIClient::CmSampleInfo() {
    if (Wave *wave = GetActiveWave())
        RunSampleInfoDialog(*wave, this);
}

void WaveMDIClient::CeSamplerAvailable(TCommandEnabler &ce) { ce.Enable(IsSamplerLibraryAvailable() != 0); }
