// What the wave window's commands reach above it: the frequency analysis, the sampler's
// dialogs for a wave and the CD time texts of its time spin edits.
#pragma once

void RegisterWaveCommandLinks();
