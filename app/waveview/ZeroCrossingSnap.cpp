#include "waveview/ZeroCrossingSnap.h"

#include "audio/WaveSettings.h"

int SnapsAtZoom(int zoom) { return !(TheWaveSettings().snapHZoom && zoom >= 3); }
