// The messages the audio threads hand to the GUI thread: window message 3035 to the main
// window, the message object in the first parameter. Each kind is a class of its own;
// the application object acts on them by kind and deletes them.
#pragma once

#include "foundation/InterThreadMessage.h"
#include "foundation/Strings.h"
#include "manager/Document.h"

#include <windows.h>

#include <cstdint>

class AudioFile;
class AudioObject;
class MarkerSet;

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

// A recording or a background job wrote new audio: it goes into the object over
// start..end (channels), or, without an object, becomes a new wave in a window of its own.
// The message owns the file and the markers until the handler takes them; whatever it
// leaves is deleted with the message. Delivered synchronously (SendToMainWindow).
class MessTerminateWaveProcess : public InterThreadMessage {
public:
    MessTerminateWaveProcess();
    ~MessTerminateWaveProcess() override;
    MessTerminateWaveProcess(MessTerminateWaveProcess const &) = delete;
    MessTerminateWaveProcess &operator=(MessTerminateWaveProcess const &) = delete;

    AudioObject *object = nullptr;
    int32_t start = 0;
    int32_t end = 0;
    uint32_t channels = 0;
    AudioFile *file = nullptr;
    int32_t convert = 0;  // the channels written are not the object's: the result is a new wave
    int32_t undo = 0;     // the insertion is one undoable step
    String name;          // of the undo step
    MarkerSet *markers = nullptr;
};

// The main window's part in kind 0: puts the audio where the message says and stores 1 in
// its result when that worked (the user was told why not). The main window's handler of
// window message 3035 calls it, then sets the message's event as for every kind.
void HandleTerminateWaveProcess(MessTerminateWaveProcess &message);

// Posts the message to the main window, which owns it from then on. Without a main window
// (or when posting fails) it is deleted here.
void PostToMainWindow(InterThreadMessage *message);

// While a receiver is set (tests), messages go to it instead of the main window; it owns
// them. Returns the one set before.
typedef void (*InterThreadReceiver)(InterThreadMessage *message);
InterThreadReceiver SetInterThreadReceiver(InterThreadReceiver receiver);

// Hands the message to the main window and returns once it is handled, with its result:
// on the main window's thread at once, from another thread by posting it and waiting for
// its event. 0 without a main window. The caller keeps the message.
long SendToMainWindow(InterThreadMessage &message);

// The window of the GUI thread that takes the messages of the audio threads and the
// wave-in device's notices: the main window, or the one given here (null: the main
// window again). Returns the one given before.
HWND SetAudioMessageWindow(HWND window);
HWND GetAudioMessageWindow();
