// Zero crossings of a wave: where a selection edge snaps to so that a cut makes no click.
#include "audio/Wave.h"

#include "audio/SampleConversion.h"
#include "audio/VirtualFileIterator.h"
#include "audio/WaveSettings.h"
#include "foundation/CriticalSection.h"

#include <algorithm>
#include <memory>

namespace {

enum Slope { kFalling = 0, kRising = 1, kAny = 2 };

// Whether the step from previous to value crosses zero the way slope asks; any slope takes
// the frame reached, the others the frame before it.
bool Crosses(int slope, int previous, int value) {
    switch (slope) {
    case kFalling: return previous >= value && value < 1 && previous >= 0;
    case kRising: return value >= previous && value >= 0 && previous < 1;
    default: return value == 0 || (previous < 1) != (value < 1);
    }
}

}  // namespace

// Within the scan range from from towards to, on the channels asked for; backwards the
// slopes turn round, since the signal is walked against its time.
int Wave::FindZeroCrossing(int slope, int channels, int from, int to) {
    if (from == to)
        return from;
    bool forwards = from < to;
    int first = forwards ? (from < 2 ? 0 : from - 1) : to;
    int last = forwards ? to : std::min(from + 1, GetLength() - 1);
    if (!forwards && slope != kAny)
        slope = 1 - slope;
    int direction = forwards ? 1 : -1;
    int steps = std::max(1, int(int64_t(GetRate()) * TheWaveSettings().scanRange / 1000));

    AutoCriticalSection lock(GetLock());
    FileReadBuffer buffer(GetNumChannels());
    std::unique_ptr<WaveInIterator> iterators[2];
    for (int c = 0; c < GetNumChannels() && c < 2; ++c)
        if (channels & ChannelBitOfIndex(c)) {
            iterators[c].reset(new WaveInIterator(buffer, c, GetChannel(c), first, last));
            if (!forwards)
                iterators[c]->Seek(last);
        }
    int previous[2] = {0, 0};
    int previousPosition = from;
    for (int step = 0; step < steps; ++step) {
        int position = previousPosition;
        for (int c = 0; c < 2; ++c) {
            if (!(channels & ChannelBitOfIndex(c)))
                continue;
            WaveInIterator *it = iterators[c].get();
            if (!it || !it->IsValid())
                return from;
            int value = ConvertSampleTo16(*it);
            position = it->GetPosition();
            it->Advance(direction);
            if (step > 0 && Crosses(slope, previous[c], value))
                return slope == kAny ? position : previousPosition;
            previous[c] = value;
        }
        previousPosition = position;
    }
    return from;
}

void Wave::SnapSelectionToZeroCrossings(int start, int end) {
    if (selectionStart_ < 0 || !TheWaveSettings().snapOn)
        return;
    int channels = GetActiveChannels();
    WaveSettings const &settings = TheWaveSettings();
    int newStart = start ? FindZeroCrossing(settings.leftSlope, channels, selectionStart_, 0) : selectionStart_;
    int newEnd = end ? FindZeroCrossing(settings.rightSlope, channels, selectionEnd_, GetLength() - 1) : selectionEnd_;
    if (newStart != selectionStart_ || newEnd != selectionEnd_)
        SetSelection(newStart, newEnd, channels, 1);
}
