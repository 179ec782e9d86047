// The editable audio object the wave document derives from: the user's selection and its
// level, the active channels, the caret, the play start, the loop flag, and the busy word
// that keeps two long operations off one object. It turns a play command into a play
// request. The wave window and the transport talk to a wave almost only through these.
#pragma once

#include "audio/PlayRequest.h"
#include "audio/SampleProvider.h"

#include <atomic>
#include <cstdint>

class AudioFile;
class MarkerSet;
class RangeInt32;

// Which channel HasSelectionIn asks about.
enum class ChannelSide { Left, Right };

class AudioObject : public ASampleProvider {
public:
    enum { kFullLevel = 32767 };

    // Holds the busy word for a scope and gives back what it took. A long operation takes
    // it only while nobody holds it; an operation nested in one that holds it joins the hold.
    class BusyHold {
    public:
        enum Kind { kTakeWhenFree, kJoin };

        BusyHold(AudioObject &object, Kind kind);
        ~BusyHold();
        BusyHold(BusyHold const &) = delete;
        BusyHold &operator=(BusyHold const &) = delete;

        // Whether this scope holds the word.
        bool Held() const { return held_; }

    private:
        AudioObject &object_;
        bool held_;
    };

    explicit AudioObject(SamplePattern const &pattern);
    ~AudioObject() override;
    AudioObject(AudioObject const &) = delete;
    AudioObject &operator=(AudioObject const &) = delete;

    // The active channels while a selection exists, else 0.
    virtual int GetSelectedChannels() const;
    // The play start when it lies before the last frame, else 0.
    virtual int GetPlayStart() const;
    // The channel bit (1, 2) to read for a channel index; the other one where it has no data.
    virtual int GetChannelWithData(int channel) const = 0;
    // 1 when free; else 0, telling the user (message 11196) when show is set.
    virtual int CheckNotBusy(int show);
    virtual int IsReleasePending() const;
    // Takes the busy word when nobody holds it: 1 when taken.
    virtual int TryLock();
    // Gives back one hold of the busy word.
    virtual void Unlock();
    virtual void PostReleaseRequest(int suppress);
    // Asks the playback to play this object in a play mode (first and count by mode).
    virtual void Play(int useEngine, int mode, int first, int count, void const *tag);
    // keep set: nothing; negative: back to the selection start when it lies before the
    // play start, else 0.
    virtual void SetPlayStart(int position, int keep);
    virtual void SelectRegionAt(int channels, int position, int extend) = 0;
    virtual void SetActiveChannels(int channels, int notify) = 0;
    // Frames first..last must be drawn again.
    virtual void RedrawRange(int first, int last);
    virtual void NotifyViews(int code, long a, long b) = 0;
    // Puts a file's frames over position..last on channels (markers owned); 1, or 0 after
    // telling the user why not.
    virtual int InsertAudioFile(int position, int last, int channels, AudioFile *file, MarkerSet *markers, int asNew,
                                int undo, String const &actionName) = 0;

    // Active channels limited to the object's channels (stored back).
    int GetActiveChannels();
    bool HasSelection();
    bool HasSelectionIn(int bits);
    bool HasSelectionIn(ChannelSide side);
    bool IsChannelActive(int index);
    bool AreBothChannelsActive();
    bool IsOneChannelActive();
    int GetSelectionLength() const;
    // The selection covers the whole object on one of the channels in bits.
    bool IsSelectionToEnd(int bits);

    // Selects first..last (either order, kept inside the object) on channels.
    void SetSelection(int first, int last, int channels, int redraw);
    void SetSelectionStart(int position);
    void SetSelectionEnd(int position);
    void ClearSelection(int redraw);
    // 1..32767.
    void SetLevel(int level, int redraw);

    bool IsPlaying() const;
    int GetPlayOrCaretPosition() const;

    bool IsBusy() const { return busy_ != 0; }
    // Set while the audio engine works on the object; the state before.
    int ExchangeEngineApplied(int applied) { return engineApplied_.exchange(applied); }
    bool IsEngineApplied() const { return engineApplied_ != 0; }
    int GetSelectionStart() const { return selectionStart_; }
    int GetSelectionEnd() const { return selectionEnd_; }
    int GetPreviousSelectionStart() const { return previousStart_; }
    int GetPreviousSelectionEnd() const { return previousEnd_; }
    int GetLevel() const { return level_; }
    int GetCaret() const { return caret_; }
    int GetLoop() const { return loop_; }
    void SetLoop(int loop) { loop_ = loop; }

protected:
    std::atomic<int32_t> busy_{0};  // holds: 0 free
    std::atomic<int32_t> engineApplied_{0};
    int32_t selectionStart_ = -1;   // inclusive; a selection exists when the start is 0 or more
    int32_t selectionEnd_ = -1;
    int32_t previousStart_ = -1;  // the last cleared selection
    int32_t previousEnd_ = -1;
    int32_t level_ = kFullLevel;
    int32_t activeChannels_ = 3;  // bit 0 left or mono, bit 1 right
    int32_t caret_ = 0;
    int32_t playPending_ = 0;
    int32_t playStart_ = 0;
    int32_t loop_ = 0;

private:
    void Hold();
    // Empty without a selection.
    RangeInt32 SelectionRange() const;
    // The range and one frame on each side, inside the object.
    void RedrawWidened(RangeInt32 const &range);
    void RedrawSelectionChange(RangeInt32 oldRange, RangeInt32 newRange, bool channelsChanged);
    void FollowSelectionInPlayback(bool rangeChanged);
    int PlayStartFrame(int mode, int first);
};
