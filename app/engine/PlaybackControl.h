// What the wave-out player and the wave-in recorder share with the playback they serve:
// they give up once a stop is requested, wake on the stop event, and the player records
// where a playback that ran out ends.
#pragma once

#include "foundation/ThreadEvent.h"

#include <atomic>
#include <cstdint>

struct PlaybackControl {
    std::atomic<int32_t> stopRequested{0};
    // Set by a stop and by closing a device: wakes whoever waits for a buffer.
    ThreadEvent stopEvent{/*initialState=*/1, /*autoReset=*/0};
    std::atomic<int32_t> lastPosition{0};
    std::atomic<int32_t> startFrame{0};
};
