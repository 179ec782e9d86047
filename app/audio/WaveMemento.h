// The wave's part of a saved window layout: the audio object's selection, level, active
// channels and caret, and the records of its wave window; and its packed form.
#pragma once

#include "audio/AudioObject.h"
#include "audio/Wave.h"
#include "manager/LayoutStore.h"

#include <cstddef>
#include <cstdint>

// What the layout keeps of a wave.
struct WaveLayoutState {
    int32_t level = AudioObject::kFullLevel;
    int32_t selectionStart = -1;
    int32_t selectionEnd = -1;
    int32_t activeChannels = 3;
    int32_t caret = 0;
    int32_t mementoWord = 0;
    WaveViewRecords views = {};
};

class WaveMemento : public DocMemento, public WaveLayoutState {};

// The packed form in the layout store: little-endian 32-bit words, one layout in every build.
struct PackedWaveMemento {
    uint32_t length;  // of the block: sizeof(PackedWaveMemento)
    uint32_t reserved;
    WaveLayoutState state;
};
static_assert(sizeof(PackedWaveMemento) == 160, "the packed wave memento is stored: 160 bytes");
static_assert(offsetof(PackedWaveMemento, state) == 8 && offsetof(WaveLayoutState, mementoWord) == 20 &&
                  offsetof(WaveLayoutState, views) == 24,
              "the packed wave memento is stored: its fields stay where they are");

// The memento a packed block holds; the defaults when the block is short or its values
// cannot be a wave's.
WaveMemento *UnpackWaveMemento(PackedMemento const *packed);
// The packed block (freed with PackedMemento::Free).
PackedMemento *PackWaveMemento(WaveMemento const &memento);
