// Applying the audio engine's processors: when the engine's master section asks, the user
// chooses the wave, the range and how the engine works, and the engine takes the job.
#pragma once

#include "AudioEngineCommon/AudioEngineProtocol.h"

struct ApplyPreferences;
class Wave;

// Asks the user for the preferences (the apply dialog); 1 on OK. Tests answer in its place.
typedef int (*ApplyPreferencesAsker)(ApplyPreferences &preferences);
ApplyPreferencesAsker SetApplyPreferencesAsker(ApplyPreferencesAsker asker);

// The request for the engine over first..last of a wave; name must outlive it.
ApplyRequest MakeApplyRequest(Wave &wave, int first, int last, char const *name, ApplyPreferences const &preferences);

void ApplyProcessor();
// ApplyProcessor unless it runs already (its boxes pump messages).
void ApplyProcessorGuarded();
