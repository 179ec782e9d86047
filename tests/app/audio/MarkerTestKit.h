// Marker sets written as text for the marker tests, and a wave stand-in that owns them.
//
// A set is a list of markers "S0 I1176 E5000c": a type letter (P plain, D drop, S track
// start, E track end, X splice, I index, < range start, > range end, | range splice), the
// position, flag letters (a automatic name, l locked, c end on CD frame) and, in the named
// form, the name in quotes ('Track 1').
#pragma once

#include "audio/MarkerHost.h"
#include "audio/MarkerSet.h"

#include <string>
#include <vector>

namespace markertest {

// Adds the markers of text in order, unchecked.
void Fill(MarkerSet &set, char const *text);
std::string Describe(MarkerSet const &set, bool names = false);

class TestWave : public MarkerHost {
public:
    explicit TestWave(int length, char const *markerText = "");

    int GetLength() const override { return length; }
    MarkerSet const *GetSavedMarkers() const override { return &saved; }
    void NotifyViews(int code, long, long) override { notified.push_back(code); }
    int HasViews() const override { return views; }
    int WriteMarkerFileNow() override { return ++written; }

    int length;
    MarkerSet markers;
    MarkerSet saved;
    std::vector<int> notified;
    int views = 1;
    int written = 0;
};

}  // namespace markertest
