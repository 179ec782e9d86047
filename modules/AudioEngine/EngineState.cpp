#include "EngineState.h"

#include "MasterSection.h"

#include <algorithm>

EngineState::EngineState() = default;
EngineState::~EngineState() = default;

EngineState &TheEngine() {
    static EngineState engine;
    return engine;
}

void EngineState::SetServices(EngineServiceTable const &services) {
    services_ = services;
    initialised_ = true;
}

std::int32_t EngineState::NewQueueNumber() {
    ReapEnded();
    std::lock_guard<std::mutex> hold(queuesLock_);
    return nextQueue_++;
}

void EngineState::AddQueue(std::unique_ptr<AudioQueue> queue) {
    std::lock_guard<std::mutex> hold(queuesLock_);
    queues_.push_back(std::move(queue));
}

bool EngineState::WithQueue(std::int32_t number, std::function<void(AudioQueue &)> const &act) {
    std::lock_guard<std::mutex> hold(queuesLock_);
    for (auto &queue : queues_) {
        if (queue->Number() == number) {
            act(*queue);
            return true;
        }
    }
    return false;
}

std::unique_ptr<AudioQueue> EngineState::TakeQueue(std::int32_t number) {
    std::lock_guard<std::mutex> hold(queuesLock_);
    auto found = std::find_if(queues_.begin(), queues_.end(), [number](auto &q) { return q->Number() == number; });
    if (found == queues_.end())
        return nullptr;
    std::unique_ptr<AudioQueue> queue = std::move(*found);
    queues_.erase(found);
    return queue;
}

std::vector<std::unique_ptr<AudioQueue>> EngineState::TakeAllQueues() {
    std::lock_guard<std::mutex> hold(queuesLock_);
    std::vector<std::unique_ptr<AudioQueue>> all = std::move(queues_);
    queues_.clear();
    return all;
}

// A background queue's thread ends right after its elements are gone.
void EngineState::ReapEnded() {
    std::vector<std::unique_ptr<AudioQueue>> ended;
    {
        std::lock_guard<std::mutex> hold(queuesLock_);
        for (auto q = queues_.begin(); q != queues_.end();) {
            if (!(*q)->IsMaster() && (*q)->HasEnded()) {
                ended.push_back(std::move(*q));
                q = queues_.erase(q);
            } else {
                ++q;
            }
        }
    }
}

void EndQueue(std::unique_ptr<AudioQueue> queue) {
    if (!queue)
        return;
    queue->Finish();
    queue->Join();
}
