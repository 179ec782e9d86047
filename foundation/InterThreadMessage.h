// Base of the messages that worker threads post to the GUI thread. Each kind
// is a class of its own; the program acts on them by kind.
#pragma once

#include "foundation/OsmeraDefs.h"

class ThreadEvent;

class OSMERA_API InterThreadMessage {
public:
    // Flag bit: the receiver deletes the message once it has handled it.
    enum { DeleteWhenHandled = 1 };

    InterThreadMessage() : kind(-1), result(0), event(nullptr), flags(0) {}
    InterThreadMessage(InterThreadMessage const &) = default;
    InterThreadMessage &operator=(InterThreadMessage const &) = default;
    virtual ~InterThreadMessage();

    int IsDeleteWhenHandled() const { return (flags & DeleteWhenHandled) != 0; }

    long kind;           // -1 until a derived message sets it
    long result;         // the receiver's answer
    ThreadEvent *event;  // set by a sender that waits for the message to be handled
    long flags;
};
