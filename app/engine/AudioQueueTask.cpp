#include "engine/AudioQueueTask.h"

#include "audio/AudioObject.h"
#include "engine/AudioEngineEntries.h"
#include "foundation/Exception.h"

#include <cstring>
#include <vector>

namespace {

enum { kTextBusy = 11196 };

AudioChainEntry Entry(char const *type, void *element) {
    AudioChainEntry entry;
    entry.element = element;
    std::strncpy(entry.typeName, type, AudioChainEntry::kNameSize - 1);
    return entry;
}

AudioQueueTask *FindTaskLocked(int32_t queue) {
    List<Task> &tasks = TheTaskList().tasks;
    for (Task *task = tasks.GetFirst(); task; task = tasks.GetNext(task)) {
        auto *queued = dynamic_cast<AudioQueueTask *>(task);
        if (queued && queued->queue == queue)
            return queued;
    }
    return nullptr;
}

// The reader, the given entries as they are (their second word cleared), the writer.
std::vector<AudioChainEntry> WrapChain(AudioChainEntry const *chain, int32_t count, AudioQueueTask &task) {
    std::vector<AudioChainEntry> entries;
    entries.reserve(size_t(count) + 2);
    entries.push_back(Entry("AE_FileReader", task.reader.get()));
    for (int32_t i = 0; i < count; ++i) {
        entries.push_back(chain[i]);
        entries.back().reserved = 0;
    }
    entries.push_back(Entry("AE_FileWriter", task.writer.get()));
    return entries;
}

// The queue stands: the task follows its thread and enters the list.
void ListTask(AudioQueueTask *task, int32_t queue, int priority) {
    AudioEngineEntries const &engine = TheAudioEngine().entries;
    BackgroundTaskList &list = TheTaskList();
    AutoCriticalSection hold(list.lock);
    task->queue = queue;
    if (engine.getHandleOfAudioQueue)
        task->GetThread().Init(engine.getHandleOfAudioQueue(queue),
                               engine.getIDOfAudioQueue ? engine.getIDOfAudioQueue(queue) : 0);
    list.Append(task);
    task->SetPriority(priority);
}

}  // namespace

QueueRequest::QueueRequest(ApplyRequest const &r)
    : object(static_cast<AudioObject *>(r.object)),
      document(static_cast<Document const *>(r.document), long(r.documentSerial)), first(r.first), last(r.last),
      name(r.name ? r.name : ""), channelMask(r.channelMask), mixWithSource(r.mixWithSource),
      flags{r.stopPlayback, r.openTaskWindow, r.minimizeWindow, r.beep, r.message, r.restoreWindow},
      priority(r.priority) {}

QueueElementRecord::~QueueElementRecord() {
    if (holdsObject && request.object)
        request.object->Unlock();
}

AudioQueueTask::AudioQueueTask(ApplyRequest const &request, String const &firstProcessor)
    : Task(String(request.name ? request.name : ""), nullptr, 0), owner(static_cast<AudioObject *>(request.object)),
      processor(firstProcessor), reader(new QueueElementRecord(request, *this)),
      writer(new QueueElementRecord(request, *this)) {
    reader->partner = writer.get();
    writer->partner = reader.get();
}

AudioQueueTask::~AudioQueueTask() {
    reader.reset();
    writer.reset();
    TheTaskList().Detach(this);
}

long double AudioQueueTask::GetProgress() const {
    uint32_t all = total;
    uint32_t finished = done;
    if (all == 0)
        return 0;
    return finished >= all ? 1.0L : static_cast<long double>(finished) / all;
}

int32_t CreateAudioQueueTask(AudioChainEntry const *chain, int32_t count, ApplyRequest const *request) {
    if (!request || !request->object || count < 0 || (count > 0 && !chain))
        return 0;
    AudioObject *owner = static_cast<AudioObject *>(request->object);
    // The job holds the object from here until its writer is done with it.
    if (!owner->TryLock()) {
        owner->ExchangeEngineApplied(0);
        ExceptionThrower(1).SetAndThrow(ResMess(kTextBusy));
        return 0;
    }
    int32_t queue = 0;
    try {
        std::unique_ptr<AudioQueueTask> task(
            new AudioQueueTask(*request, count > 0 ? String(chain[0].typeName) : String()));
        task->writer->holdsObject = 1;
        AudioEngineEntries const &engine = TheAudioEngine().entries;
        std::vector<AudioChainEntry> entries = WrapChain(chain, count, *task);
        if (engine.createAudioQueue)
            queue = engine.createAudioQueue(entries.data(), int32_t(entries.size()), kEngineChannels,
                                            kEngineBlockFrames);
        if (queue)
            ListTask(task.release(), queue, request->priority);
    } catch (...) {
        PostCurrentFailure();
        queue = 0;
    }
    if (!queue)
        owner->ExchangeEngineApplied(0);
    return queue;
}

void MarkQueueTaskFailed(int32_t queue) {
    AutoCriticalSection hold(TheTaskList().lock);
    if (AudioQueueTask *task = FindTaskLocked(queue))
        task->failed = 1;
}

void DeleteQueueTask(int32_t queue) {
    AutoCriticalSection hold(TheTaskList().lock);
    delete FindTaskLocked(queue);
}

int IsQueueTaskFailed(int32_t queue) {
    AutoCriticalSection hold(TheTaskList().lock);
    AudioQueueTask *task = FindTaskLocked(queue);
    return task && task->failed ? 1 : 0;
}
