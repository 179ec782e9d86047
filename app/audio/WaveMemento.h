// The wave's part of a saved window layout: the audio object's selection, level, active
// channels and caret, and the records of its wave window.
#pragma once

#include "audio/AudioObject.h"
#include "audio/Wave.h"
#include "manager/LayoutStore.h"

#include <cstdint>

class WaveMemento : public DocMemento {
public:
    int32_t level = AudioObject::kFullLevel;
    int32_t selectionStart = -1;
    int32_t selectionEnd = -1;
    int32_t activeChannels = 3;
    int32_t caret = 0;
    int32_t mementoWord = 0;
    WaveViewRecords views = {};
};
