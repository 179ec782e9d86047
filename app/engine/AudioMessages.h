// The messages the audio threads hand to the GUI thread: window message 3035 to the main
// window, the message object in the first parameter. Each kind is a class of its own;
// the application object acts on them by kind and deletes them.
#pragma once

#include "foundation/InterThreadMessage.h"
#include "manager/Document.h"

#include <cstdint>

class AudioObject;

enum { WM_INTERTHREAD_MESSAGE = 3035 };

enum InterThreadKind : long {
    kMessTerminateWaveProcess = 0,
    kMessStopPlayback = 1,
    kMessAudioQueueDone = 2,
    kMessOnEndOfBackgroundQueue = 3,
    kMessOnStartOfBackgroundQueue = 4,
    kMessFlushPlayback = 5,
};

// A playback of the object ended: its play start becomes position (restarted: another
// playback replaced it), when the document is still open.
class MessStopPlayback : public InterThreadMessage {
public:
    MessStopPlayback(AudioObject *object, int32_t position, int32_t restarted);

    AudioObject *object;
    DocumentID document;  // of the object as a document; none when it is not one
    int32_t position;
    int32_t restarted;
};

// Posts the message to the main window, which owns it from then on. Without a main window
// (or when posting fails) it is deleted here.
void PostToMainWindow(InterThreadMessage *message);

// While a receiver is set (tests), messages go to it instead of the main window; it owns
// them. Returns the one set before.
typedef void (*InterThreadReceiver)(InterThreadMessage *message);
InterThreadReceiver SetInterThreadReceiver(InterThreadReceiver receiver);
