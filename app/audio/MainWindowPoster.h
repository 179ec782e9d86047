// What waves and their workers hand to the main window of the GUI thread: inter-thread
// messages (window message 3035, the message in the first parameter) and the release
// requests of transient waves (3025). The application object acts on them; until one runs,
// and in tests, a poster of one's own may be registered.
#pragma once

#include "foundation/InterThreadMessage.h"
#include "manager/Document.h"

class AudioObject;
class Wave;

enum : unsigned { kMsgInterThread = 3035, kMsgReleaseRequest = 3025 };

// Kind 5: the wave's data changed; a playback of it reads again from where it is.
class MessFlushPlayback : public InterThreadMessage {
public:
    enum { kKind = 5 };

    MessFlushPlayback(AudioObject *object, Document const *document) : object(object), document(document) {
        kind = kKind;
        flags = DeleteWhenHandled;
    }

    AudioObject *object;
    DocumentID document;
};

class MainWindowPoster {
public:
    virtual ~MainWindowPoster() {}

    // Takes the message over; the receiver deletes it once handled.
    virtual void PostInterThreadMessage(InterThreadMessage *message) = 0;
    // The wave asks to be deleted while the document of that serial is still it.
    virtual void PostReleaseRequest(Wave *wave, long serial) = 0;
};

// The registered poster, else one that posts to the document manager's main window (and
// drops what no window can take).
MainWindowPoster &ThePoster();
// Registers a poster (null: none); returns the one registered before.
MainWindowPoster *SetMainWindowPoster(MainWindowPoster *poster);
