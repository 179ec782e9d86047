// One audio queue: the elements of a chain and the thread that drives them. The thread
// waits for commands; a start runs the chain once (open, start, cycles until the source
// ends, stop, close), an end destroys the elements and ends the thread. The protocol
// header says what the queue tells the program and what it asks of its elements.
#pragma once

#include "AudioEngineCommon/AudioEngineProtocol.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

class ElementTypes;

class AudioQueue {
public:
    AudioQueue(std::int32_t number, bool master, std::int32_t blockFrames, EngineServiceTable const *services);
    // Destroys the elements when no thread ever ran them; a launched queue must have
    // ended (Finish, Join) before.
    ~AudioQueue();
    AudioQueue(AudioQueue const &) = delete;
    AudioQueue &operator=(AudioQueue const &) = delete;

    // Makes the chain's elements (their factories run here) with each processor's value.
    // False, with a report, when one cannot be made.
    bool Build(AudioChainEntry const *chain, std::int32_t count, ElementTypes const &types);
    bool Launch();
    // Queues a command for the thread; never waits.
    void Post(std::int32_t command);
    // Ends a run at its next block and then the thread, destroying the elements.
    void Finish();
    // Waits for the thread's end; on a thread with windows it goes on dispatching their
    // messages meanwhile, so an element waiting for that thread can finish.
    void Join();

    std::int32_t Number() const { return number_; }
    bool IsMaster() const { return master_; }
    bool HasError() const { return error_ != 0; }
    bool HasEnded() const;
    unsigned ThreadId() const { return threadId_; }
    // A handle of the thread that the caller owns; null without a thread.
    HANDLE DuplicateThreadHandle() const;
    void SetMixWithSource(bool mix) { mixWithSource_ = mix; }
    // The output meter of the chain's last element (the master section's): fills peaks of
    // two channels; false while the queue does not run.
    bool TakeOutputPeaks(float peaks[2]);

private:
    enum { kQuit = -1 };

    struct Station {
        AudioElementRecord *record = nullptr;
        std::string name;
        std::int32_t inChannels = 0;
        bool opened = false;
        bool started = false;
        std::int32_t Command(std::int32_t command, ElementCommandRecord *argument = nullptr, std::int32_t value = 0) {
            return record->command(record, command, argument, value);
        }
    };

    static unsigned __stdcall ThreadStart(void *queue);
    static std::int32_t WQ_CALL EngineCall(void *engineValue, AudioElementRecord *record, std::int32_t code, void *data,
                                           std::int32_t value);
    unsigned Main();
    std::int32_t NextCommand();
    void Run();
    bool OpenChain();
    bool StartChain();
    void Cycles();
    // A block through the elements after the source; false when the run ends.
    bool PassOn(ElementBlock &block, std::int32_t frames);
    void StopChain();
    void DestroyElements();
    void Fail(std::uint32_t code, Station const &station, std::int32_t detail);
    void Notify(std::int32_t type);
    std::int32_t IndexOf(AudioElementRecord const *record) const;
    std::int32_t Reformat(std::int32_t caller, ElementCommandRecord &format);
    std::int32_t DelayBefore(std::int32_t caller);
    float RatioBefore(std::int32_t caller);
    void FlushProcessors();

    std::int32_t number_;
    bool master_;
    std::int32_t blockFrames_;
    EngineServiceTable const *services_;
    std::vector<Station> stations_;
    std::int32_t rate_ = 0;
    bool mixWithSource_ = false;
    HANDLE thread_ = nullptr;
    unsigned threadId_ = 0;
    std::atomic<int> error_{0};
    std::atomic<int> ending_{0};       // a run stops at its next block
    std::atomic<int> relocated_{0};    // an element reported a jump of the position
    std::atomic<int> running_{0};
    std::atomic<int> meterShown_{0};
    CRITICAL_SECTION lock_;            // the commands
    HANDLE commandEvent_;
    std::deque<std::int32_t> commands_;
    std::vector<std::vector<float>> buffers_;
};
