// Anything that delivers samples: an audio file or an editable audio object. It carries
// its sample pattern, a lock over the sample data of the derived classes, and the float
// reading through which playback and the audio engine pull frames.
#pragma once

#include "audio/SamplePattern.h"
#include "foundation/CriticalSection.h"

class FileObject;

class ASampleProvider : public SamplePattern {
public:
    // What a provider makes for one reader: the state of reading some channels.
    class Task {
    public:
        virtual ~Task() {}
        // The file goes away: the task stops using it.
        virtual void ReleaseFile(FileObject const &) {}
    };

    ASampleProvider() = default;
    explicit ASampleProvider(SamplePattern const &pattern) : SamplePattern(pattern) {}
    ~ASampleProvider() override = 0;

    // Length in frames.
    virtual int GetLength() const = 0;
    // count frames from frame first through the task, each read channel into its column
    // of outputs from outputOffset; returns the frames given. Reads nothing here.
    virtual int ReadFloatFrames(Task *task, float *const *outputs, int outputOffset, int first, int count);
    // A new task reading the channels of the request (its channel mask), owned by the
    // caller; none here.
    virtual Task *CreateReadTask(ChannelSet const &request);

    CriticalSection const &GetLock() const { return lock_; }

private:
    CriticalSection lock_;
};
