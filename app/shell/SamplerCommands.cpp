// The sampler commands: receiving a sample and setting up the sampler devices, offered
// while the sampler link is there. A wave's destination and sample data are the wave
// window's (WaveCommandLinks.cpp).
#include "shell/WaveMDIClient.h"

#include "effects/SamplerSetupDialog.h"
#include "engine/SamplerDialogs.h"
#include "engine/SamplerLink.h"

void WaveMDIClient::CmReceiveSample() { RunReceiveSampleDialog(this); }

void WaveMDIClient::CmSamplerSetup() { RunSamplerSetupDialog(this); }

void WaveMDIClient::CeSamplerAvailable(TCommandEnabler &ce) { ce.Enable(IsSamplerLibraryAvailable() != 0); }
