#include "engine/BackgroundQueueMessages.h"

MessAudioQueueDone::MessAudioQueueDone() {
    kind = kMessAudioQueueDone;
    flags = DeleteWhenHandled;
}

BackgroundJob::BackgroundJob(QueueRequest const &request, String const &firstProcessor)
    : object(request.object), document(request.document), name(request.name), processor(firstProcessor),
      flags(request.flags) {}

MessOnStartOfBackgroundQueue::MessOnStartOfBackgroundQueue(BackgroundJob const &started) : job(started) {
    kind = kMessOnStartOfBackgroundQueue;
    flags = DeleteWhenHandled;
}

MessOnEndOfBackgroundQueue::MessOnEndOfBackgroundQueue(BackgroundJob const &ended) : job(ended) {
    kind = kMessOnEndOfBackgroundQueue;
    flags = DeleteWhenHandled;
}
