// The program's stations in the audio engine's chains. KAudioElement offers the engine
// the record of the element protocol (AudioEngineCommon/AudioEngineProtocol.h), turns the
// engine's commands into calls of its virtual operations, keeps the element's format and
// meters peaks and clipping on its input and output. ProgramAudioElement holds what the
// program's four types (file reader and writer, input and speaker) share.
//
// Locks: the element lock guards the meters and the two parameters; the engine calls
// everything else from the queue's one thread.
#pragma once

#include "AudioEngineCommon/AudioEngineProtocol.h"
#include "foundation/CriticalSection.h"
#include "foundation/Exception.h"

#include <cstdint>
#include <vector>

class KAudioElement {
public:
    // The engine's callback and value; construction is the protocol's third word (3).
    KAudioElement(ElementEngineCallback callback, void *engineValue, int32_t construction);

    // ---- virtual operations, in the protocol's order
    virtual int32_t OnUnknownCommand(int32_t command, ElementCommandRecord *record, int32_t value);
    virtual ~KAudioElement();
    // Frames done, kElementEnd at the end, another negative value on an error.
    virtual int32_t Process(ElementBlock &block) = 0;
    virtual int32_t ProcessWithSource(ElementBlock &block) = 0;
    virtual int32_t ReservedA();
    virtual int32_t ReservedB();
    virtual void OnRecordA(ElementHookRecord *record) = 0;
    virtual void OnRecordB(ElementHookRecord *record) = 0;
    // 0 or an error; sets the format fields.
    virtual int32_t Open(int32_t rate, int32_t channels, int32_t extra) = 0;
    virtual int32_t Close() = 0;
    virtual int32_t Start() = 0;
    virtual int32_t Stop() = 0;
    // 0 or a refusal code.
    virtual int32_t CheckFormat(int32_t value, int32_t channels, int32_t rate, int32_t extra) = 0;
    virtual int32_t Query(ElementCommandRecord *record);
    virtual void OnMeterDelay(int32_t frames);
    virtual int32_t GetDelay() = 0;
    virtual int32_t SetValue(int32_t value);
    virtual float GetRatio() = 0;
    virtual int32_t OnParameterA(int32_t value);
    virtual int32_t OnParameterB(int32_t value);

    KAudioElement(KAudioElement const &) = delete;
    KAudioElement &operator=(KAudioElement const &) = delete;

    // What the factory answers the engine.
    AudioElementRecord *GetRecord() { return &record_; }
    // Asks the engine (a code of ElementEngineCode).
    int32_t CallEngine(int32_t code, void *data, int32_t value);
    int32_t GetRate() const { return rate_; }
    int32_t GetInputChannels() const { return inputChannels_; }
    int32_t GetOutputChannels() const { return outputChannels_; }
    bool IsOpen() const { return open_ != 0; }

protected:
    // Each type names itself.
    void SetIdentity(char const *name);

    int32_t inputChannels_ = 0;
    int32_t outputChannels_ = 0;
    int32_t rate_ = 0;
    int32_t requestedRate_ = 0;

private:
    // The meters of one side: peaks, clip counts and the delay rings, per channel.
    struct Meter {
        int32_t peaksOn = 0;  // 0 off, 1 on, -1 on and kept
        int32_t clipsOn = 0;
        int32_t delay = 0;
        std::vector<float> peaks;
        std::vector<int32_t> clips;
        std::vector<int32_t> positions;
        std::vector<std::vector<float>> rings;

        void Allocate(int channels);
        void Free();
        bool SetDelay(int32_t frames);
        void Measure(float *const *channels, int count, int32_t frames);
        void TakePeaks(ElementCommandRecord &record);
        void TakeClips(ElementCommandRecord &record);
    };

    static KAudioElement &Of(AudioElementRecord *record) { return *static_cast<KAudioElement *>(record->element); }
    static int32_t WQ_CALL CommandEntry(AudioElementRecord *record, int32_t command, ElementCommandRecord *argument,
                                        int32_t value);
    static int32_t WQ_CALL ProcessEntry(AudioElementRecord *record, ElementBlock *block);
    static int32_t WQ_CALL ProcessWithSourceEntry(AudioElementRecord *record, ElementBlock *block);
    static int32_t WQ_CALL HookAEntry(AudioElementRecord *record, ElementHookRecord *hook, int32_t value);
    static int32_t WQ_CALL HookBEntry(AudioElementRecord *record, ElementHookRecord *hook, int32_t value);

    // Nothing thrown reaches the engine: it is reported and the call fails.
    template <class Call>
    static int32_t Guarded(Call const &call) {
        try {
            return call();
        } catch (...) {
            PostCurrentFailure();
            return int32_t(kElementFailed);
        }
    }
    int32_t AroundHook(void (KAudioElement::*part)(ElementHookRecord *), ElementHookRecord *hook, int32_t value);
    int32_t Dispatch(int32_t command, ElementCommandRecord *argument, int32_t value);
    int32_t Around(ElementBlock &block, bool withSource);
    int32_t DoOpen(ElementCommandRecord &format);
    int32_t DoClose();
    int32_t Reformat(ElementCommandRecord &format, int32_t reopen);
    int32_t DoStart();
    int32_t DoStop();
    int32_t SetBypass(int32_t bypass);
    int32_t TakeMeter(int32_t command, ElementCommandRecord *argument);
    int32_t Switch(int32_t &state, bool on, int32_t value);
    int32_t SetParameters(ElementCommandRecord const &argument);
    int32_t Peer(int32_t command, ElementCommandRecord *argument, int32_t value);
    void TellPeer(int32_t command);
    void ReleasePeer();

    AudioElementRecord record_;
    ElementEngineCallback callback_;
    void *engineValue_;
    Meter input_;
    Meter output_;
    int32_t parameters_[2] = {};
    int32_t running_ = 0;
    int32_t open_ = 0;
    int32_t lastError_ = 0;
    int32_t madePeer_ = 0;
    ElementHookRecord *attached_ = nullptr;
    CriticalSection lock_;
};

// What the program's four types share: no ratio but 1, no delay, no value, nothing in the
// record hooks, and no second processing entry.
class ProgramAudioElement : public KAudioElement {
public:
    using KAudioElement::KAudioElement;

    int32_t ProcessWithSource(ElementBlock &block) override;
    void OnRecordA(ElementHookRecord *) override {}
    void OnRecordB(ElementHookRecord *) override {}
    int32_t Close() override { return 0; }
    int32_t GetDelay() override { return 0; }
    int32_t SetValue(int32_t) override { return 0; }
    float GetRatio() override { return 1.0f; }
};

// Builds an element of type T for a factory: the address of its record, or null when it
// cannot be made. Nothing escapes into the engine.
template <class T, class... Args>
AudioElementRecord *MakeAudioElement(Args... args) {
    try {
        return (new T(args...))->GetRecord();
    } catch (...) {
        return nullptr;
    }
}
