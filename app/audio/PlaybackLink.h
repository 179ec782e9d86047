// What audio objects and audio files ask of the playback engine. The engine lives above
// this library and registers itself when it starts; until then nothing plays.
#pragma once

#include "audio/PlayRequest.h"

class ASampleProvider;
class FileObject;

class PlaybackLink {
public:
    virtual ~PlaybackLink() {}

    // Whether the given source is the one playing.
    virtual bool IsPlaying(ASampleProvider const *source) const = 0;
    // The play position in source frames.
    virtual int GetPosition() = 0;
    // Stops the playback and waits for it to release the source and the device.
    virtual int StopAndWait() = 0;
    // Rebuilds the play list from the source's current range: from position (negative:
    // the current one), or with restart 0 from where the collector reads.
    virtual void RequeueFrom(int position, int restart) = 0;
    virtual void Play(PlayRequest const &request) = 0;
    // A file of the playing source goes away: the reader lets go of it.
    virtual void SignalCollector(FileObject const &file) = 0;

    // Settings.
    virtual int GetPlayMode() const = 0;      // 2: a change of the selection stops the playback
    virtual int GetPlayChannels() const = 0;  // channels a stereo object plays
    virtual int GetUseEngine() const = 0;     // requests may play through the audio engine
    virtual int GetOutputBits() const = 0;    // bit depth of the device format
};

// The registered link, else one with which nothing plays.
PlaybackLink &ThePlayback();
// Registers a link (null: none); returns the one registered before.
PlaybackLink *SetPlaybackLink(PlaybackLink *link);
