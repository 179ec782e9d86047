// The messages of the audio engine's jobs to the GUI thread (window message 3035, posted,
// deleted by the receiver): the master section asks for an apply (kind 2), a background
// job starts (4) and ends (3). Each carries its own copies of what the GUI needs, never a
// record that an engine thread deletes.
//
// The shell's handler of 3035 acts on them: kind 2 runs the effects' apply of an engine
// processor (guarded against re-entry), kinds 3 and 4 the start and end of a job as the
// application object does them (stopping the playback, minimising and restoring the
// document's window, the background task window, the beep and the message).
#pragma once

#include "engine/AudioMessages.h"
#include "engine/AudioQueueTask.h"
#include "foundation/Strings.h"
#include "manager/Document.h"

#include <cstdint>

// The master section's Apply: the program asks where and how, then hands the request to
// the engine's WqConfirmApply.
class MessAudioQueueDone : public InterThreadMessage {
public:
    MessAudioQueueDone();
};

// What a job is, as the GUI needs it.
struct BackgroundJob {
    explicit BackgroundJob(QueueRequest const &request, String const &processor);

    AudioObject *object;   // follow it only while the document is valid
    DocumentID document;
    String name;           // of the wave
    String processor;      // the first processor of the chain
    JobFlags flags;
};

class MessOnStartOfBackgroundQueue : public InterThreadMessage {
public:
    explicit MessOnStartOfBackgroundQueue(BackgroundJob const &job);

    BackgroundJob job;
};

class MessOnEndOfBackgroundQueue : public InterThreadMessage {
public:
    explicit MessOnEndOfBackgroundQueue(BackgroundJob const &job);

    BackgroundJob job;
    int32_t kept = 0;       // the result went into the wave
    int32_t failed = 0;     // the engine or an element reported an error
    int32_t cancelled = 0;  // the user cancelled the task
};
