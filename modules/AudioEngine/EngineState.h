// The engine's state for the process: the program's services, the element types, the
// queues by number and the master section. Entry points run on the program's threads;
// the queue table has a lock of its own, the rest is touched on the GUI thread only.
#pragma once

#include "AudioEngineCommon/AudioEngineProtocol.h"
#include "AudioQueue.h"
#include "ElementTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class MasterSection;

class EngineState {
public:
    EngineState();
    ~EngineState();

    EngineServiceTable const *Services() const { return initialised_ ? &services_ : nullptr; }
    void SetServices(EngineServiceTable const &services);
    ElementTypes &Types() { return types_; }
    HWND applicationWindow = nullptr;

    // A new queue's number; ended background queues are let go of here.
    std::int32_t NewQueueNumber();
    void AddQueue(std::unique_ptr<AudioQueue> queue);
    // Calls act with the queue of the number under the table's lock; false without one.
    bool WithQueue(std::int32_t number, std::function<void(AudioQueue &)> const &act);
    std::unique_ptr<AudioQueue> TakeQueue(std::int32_t number);
    std::vector<std::unique_ptr<AudioQueue>> TakeAllQueues();

    std::int32_t masterQueue = 0;
    std::unique_ptr<MasterSection> master;

private:
    void ReapEnded();

    bool initialised_ = false;
    EngineServiceTable services_ = {};
    ElementTypes types_;
    std::mutex queuesLock_;
    std::vector<std::unique_ptr<AudioQueue>> queues_;
    std::int32_t nextQueue_ = 1;
};

EngineState &TheEngine();
// Ends a queue: its run stops, its elements are destroyed, its thread is joined.
void EndQueue(std::unique_ptr<AudioQueue> queue);
