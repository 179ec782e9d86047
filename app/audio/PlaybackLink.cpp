#include "audio/PlaybackLink.h"

#include <atomic>

namespace {

// Until the playback engine registers: nothing plays, and the settings are the defaults.
class SilentPlayback : public PlaybackLink {
public:
    bool IsPlaying(ASampleProvider const *) const override { return false; }
    int GetPosition() override { return 0; }
    int StopAndWait() override { return 0; }
    void RequeueFrom(int, int) override {}
    void Play(PlayRequest const &) override {}
    void SignalCollector(FileObject const &) override {}
    int GetPlayMode() const override { return 0; }
    int GetPlayChannels() const override { return 3; }
    int GetUseEngine() const override { return 0; }
    int GetOutputBits() const override { return 16; }
};

SilentPlayback silentPlayback;
std::atomic<PlaybackLink *> registeredLink{nullptr};

}  // namespace

PlaybackLink &ThePlayback() {
    PlaybackLink *link = registeredLink.load();
    return link ? *link : silentPlayback;
}

PlaybackLink *SetPlaybackLink(PlaybackLink *link) { return registeredLink.exchange(link); }
