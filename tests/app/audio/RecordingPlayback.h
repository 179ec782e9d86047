// A playback link for tests: registered while it lives, it records what the audio code
// asks of the playback and answers with settings the test chooses.
#pragma once

#include "audio/AudioObject.h"
#include "audio/PlaybackLink.h"

#include <string>
#include <vector>

class RecordingPlayback : public PlaybackLink {
public:
    RecordingPlayback() : previous_(SetPlaybackLink(this)) {}
    ~RecordingPlayback() override { SetPlaybackLink(previous_); }
    RecordingPlayback(RecordingPlayback const &) = delete;
    RecordingPlayback &operator=(RecordingPlayback const &) = delete;

    bool IsPlaying(ASampleProvider const *source) const override { return source && source == playing; }
    int GetPosition() override { return position; }
    int StopAndWait() override {
        Log("stop");
        return 0;
    }
    // Records the selection the source holds when the play list is rebuilt.
    void RequeueFrom(int position, int restart) override {
        auto const *object = dynamic_cast<AudioObject const *>(playing);
        Log("requeue " + std::to_string(position) + " " + std::to_string(restart) + " sel " +
            std::to_string(object ? object->GetSelectionStart() : -1) + ".." +
            std::to_string(object ? object->GetSelectionEnd() : -1));
    }
    void Play(PlayRequest const &request) override { requests.push_back(request); }
    void SignalCollector(FileObject const &file) override { signalled.push_back(&file); }
    int GetPlayMode() const override { return playMode; }
    int GetPlayChannels() const override { return playChannels; }
    int GetUseEngine() const override { return useEngine; }
    int GetOutputBits() const override { return outputBits; }

    ASampleProvider const *playing = nullptr;
    int position = 0;
    int playMode = 0;
    int playChannels = 3;
    int useEngine = 0;
    int outputBits = 16;
    std::vector<PlayRequest> requests;
    std::vector<FileObject const *> signalled;
    std::vector<std::string> calls;  // stops and re-queues in order

private:
    void Log(std::string const &call) { calls.push_back(call); }

    PlaybackLink *previous_;
};
