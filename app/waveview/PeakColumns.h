// How one channel's columns are computed from its edit list. A column holds the extremes of
// all its frames, segment by segment: silence is 0; a column of 128 frames or more over a
// long file with a peak file takes the largest peak byte of the blocks under it; otherwise
// the samples are read, every frame of a column under 128 frames or of a file under 64000
// frames, else 64 reads spread over the whole column. Maxima are never below 0 nor minima
// above it. When a column is 8 frames or fewer the pane draws lines through the first
// sample of each column, which is then the maximum (and 0 the minimum).
#pragma once

#include "audio/VirtualFileIterator.h"
#include "waveview/PeakCache.h"

#include <vector>

class AFileSegment;
class AudioFile;
class VirtualFile;

// Files shorter than this are always drawn from their samples.
enum { kPeakFileMinFrames = 64000 };

// Reads one channel's columns from left to right, under the wave's lock.
class PeakColumnReader {
public:
    // Over frames first..last of the list, through channel of the buffer.
    PeakColumnReader(MultiFileBuffer &buffer, int channel, VirtualFile &list, int first, int last);
    PeakColumnReader(PeakColumnReader const &) = delete;
    PeakColumnReader &operator=(PeakColumnReader const &) = delete;

    // The sample at frame as {sample, 0}; {0, 0} past the end.
    PeakEntry Sample(int frame);
    // The extremes of the column of frames frames from start (up to the list's end).
    PeakEntry ReduceColumn(int start, int frames);

private:
    // The segment holding frame; null past the end.
    AFileSegment *SegmentAt(int frame);
    void ReducePiece(AFileSegment const &segment, int first, int last, int start, int frames);
    // The peak bytes of the blocks under first..last; the first frame after them (past last
    // when the blocks cover the piece; the frames after the file's last whole block have no
    // byte).
    int TakePeakBytes(AFileSegment const &segment, AudioFile const &file, int first, int last);
    void TakeEvery(int first, int last);
    void TakeSpread(int first, int last, int start, int frames);
    void Take(int value);

    WaveInIterator it_;
    VirtualFile &list_;
    AFileSegment *segment_ = nullptr;
    int length_;
    int high_ = 0;
    int low_ = 0;
};

// Adds the audio files under frames first..last of the list that are long enough for a peak
// file, have none open and have not given up on one (each once).
void CollectFilesWantingPeaks(VirtualFile const &list, int first, int last, std::vector<AudioFile *> &files);
