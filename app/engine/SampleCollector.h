// Reads float frames from a source along a play list: what the sample server and the
// audio engine's file reader pull from the object being played.
//
// Locks: the source's lock, then the queue's lock. Reading holds the source's lock, so
// whoever holds a source's lock must not wait for a reader (see Playback.h).
#pragma once

#include "audio/SampleProvider.h"
#include "engine/PlayQueue.h"

#include <cstdint>
#include <memory>

class FileObject;

class SampleCollector {
public:
    // Reads the channels of mask the source has; the playback keeps a position history.
    SampleCollector(ASampleProvider *source, uint32_t channelMask, int withHistory);
    virtual ~SampleCollector();
    SampleCollector(SampleCollector const &) = delete;
    SampleCollector &operator=(SampleCollector const &) = delete;

    // Up to frames frames along the play list into one array per read channel: fewer at
    // its end, 0 when it is finished, -1 when the source failed.
    virtual int Read(float *const *channels, int frames);
    // A file goes away: the source's reader lets go of it.
    virtual void Signal(FileObject const &file);

    // Builds the play list of a play mode over the source's frames and its loop and
    // selection, and goes on at position (restart 0: where reading stands).
    void LoadPlayList(int mode, int position, int end, int restart);

    PlayQueue &GetQueue() { return queue_; }
    ASampleProvider *GetSource() const { return source_; }
    ChannelSet const &GetChannels() const { return channels_; }

private:
    PlayQueue queue_;
    ASampleProvider *source_;
    ChannelSet channels_;
    std::unique_ptr<ASampleProvider::Task> readTask_;
};
