// A background job of the audio engine: the program wraps the engine's chain of
// processors between its file reader and file writer, the engine runs the queue in a
// thread of its own, and the job stands in the background task list as an
// AudioQueueTask until the engine tells that its elements are gone.
#pragma once

#include "AudioEngineCommon/AudioEngineProtocol.h"
#include "engine/BackgroundTask.h"
#include "foundation/Strings.h"
#include "manager/Document.h"

#include <atomic>
#include <cstdint>
#include <memory>

class AudioObject;
class AudioQueueTask;
class KAudioElement;

// What the user asked of the GUI around a job (the apply request's flags).
struct JobFlags {
    int32_t stopPlayback;
    int32_t openTaskWindow;
    int32_t minimizeWindow;
    int32_t beep;
    int32_t message;
    int32_t restoreWindow;
};

// The apply request as the program keeps it.
struct QueueRequest {
    explicit QueueRequest(ApplyRequest const &request);

    AudioObject *object;
    DocumentID document;
    int32_t first;
    int32_t last;  // inclusive
    String name;
    uint32_t channelMask;
    int32_t mixWithSource;
    JobFlags flags;
    int32_t priority;

    int32_t Length() const { return last - first + 1; }
};

// What the file reader and the file writer of one queue share: the engine hands it to
// their factories as the chain entry's element pointer.
struct QueueElementRecord {
    QueueElementRecord(ApplyRequest const &request, AudioQueueTask &owner) : request(request), task(&owner) {}
    // Gives back the object's busy word when no file took it.
    ~QueueElementRecord();
    QueueElementRecord(QueueElementRecord const &) = delete;
    QueueElementRecord &operator=(QueueElementRecord const &) = delete;

    KAudioElement *element = nullptr;  // the element made over this record
    QueueRequest request;
    AudioQueueTask *task;
    QueueElementRecord *partner = nullptr;
    // The writer's: it holds the object's busy word for the job, until its file takes it.
    int32_t holdsObject = 0;
};

class AudioQueueTask : public Task {
public:
    AudioQueueTask(ApplyRequest const &request, String const &processor);
    // Deletes both records; leaves the task list when it stands in it. The list's lock is
    // taken.
    ~AudioQueueTask() override;

    // done / total; 0 without a total, 1 once done reaches it.
    long double GetProgress() const override;

    int32_t queue = 0;
    AudioObject *owner;
    std::atomic<uint32_t> done{0};
    std::atomic<uint32_t> total{0};
    String processor;  // the chain's first processor: the name of the undo step
    std::unique_ptr<QueueElementRecord> reader;
    std::unique_ptr<QueueElementRecord> writer;
    std::atomic<int32_t> failed{0};
};

// The engine's service: builds the chain reader, the given entries, writer; has the engine
// make the queue and lists the task. The queue number, or 0 (the owner's engine flag and
// busy word are given back then).
int32_t CreateAudioQueueTask(AudioChainEntry const *chain, int32_t count, ApplyRequest const *request);
// Under the list's lock: marks the task of the queue failed.
void MarkQueueTaskFailed(int32_t queue);
// Under the list's lock: the task of the queue is deleted.
void DeleteQueueTask(int32_t queue);
// Whether the task of the queue failed (0 without one).
int IsQueueTaskFailed(int32_t queue);
