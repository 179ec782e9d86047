// What a marker set asks of the wave that owns it. The wave document implements it; a
// test or a scratch set may use anything else, or nothing (a set without a host covers
// its own markers and tells nobody).
#pragma once

class MarkerSet;

class MarkerHost {
public:
    virtual ~MarkerHost() {}

    // Frames in the wave: markers stand at 0 .. length.
    virtual int GetLength() const = 0;
    // The markers as last read from or written to the marker file; null when the wave
    // keeps no saved state.
    virtual MarkerSet const *GetSavedMarkers() const = 0;
    // Tells the wave's views (code 0: everything changed).
    virtual void NotifyViews(int code, long a, long b) = 0;
    virtual int HasViews() const = 0;
    // Writes the marker file beside the wave's own audio file now, whatever it held
    // (a wave without a window has no later save to do it); the result of the write.
    virtual int WriteMarkerFileNow() = 0;
};
