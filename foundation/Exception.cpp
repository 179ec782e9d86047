#include "foundation/Exception.h"

#include "foundation/MessageCatalogue.h"
#include "foundation/OsmeraModule.h"
#include "foundation/Strings.h"

#include <windows.h>
#include <exception>
#include <new>

namespace {

void *volatile postWindow;

String const &EmptyText() {
    static String const empty;
    return empty;
}

// Every exception of this library starts from this one.
AException const &EmptyAException() {
    static AException const empty{String()};
    return empty;
}

String *Adopt(char const *text) { return text && *text ? new String(text) : nullptr; }

String *Share(String const *text) { return text ? new String(*text) : nullptr; }

// A new handle on the caller's block, null for an empty text.
String *Share(String const &text) { return text.IsEmpty() ? nullptr : new String(text); }

}  // namespace

AException::AException(String const &why) : why_(new String(why)) {}

AException::AException(AException const &other) : why_(new String(*other.why_)) {}

AException &AException::operator=(AException const &other) {
    if (this != &other)
        *why_ = *other.why_;
    return *this;
}

AException::~AException() { delete why_; }

void AException::raise() const { throw AException(*this); }

Exception::Exception() : Exception(static_cast<char const *>(nullptr), nullptr, 0) {}
Exception::Exception(char const *t) : Exception(t, nullptr, 0) {}
Exception::Exception(String const &t) : Exception(t, String(), 0) {}
Exception::Exception(char const *t, char const *s) : Exception(t, s, 0) {}
Exception::Exception(String const &t, String const &s) : Exception(t, s, 0) {}
Exception::Exception(char const *t, unsigned long code) : Exception(t, nullptr, code) {}
Exception::Exception(String const &t, unsigned long code) : Exception(t, String(), code) {}

Exception::Exception(char const *t, char const *s, unsigned long code)
    : AException(EmptyAException()), errorCode(code), driveIndex(0), text(Adopt(t)), second(Adopt(s)) {}

Exception::Exception(String const &t, String const &s, unsigned long code)
    : AException(EmptyAException()), errorCode(code), driveIndex(0), text(Share(t)), second(Share(s)) {}

Exception::Exception(Exception const &other)
    : AException(other), errorCode(other.errorCode), driveIndex(other.driveIndex), text(Share(other.text)),
      second(Share(other.second)) {}

Exception &Exception::operator=(Exception const &other) {
    if (this == &other)
        return *this;
    AException::operator=(other);
    errorCode = other.errorCode;
    driveIndex = other.driveIndex;
    delete text;
    delete second;
    text = Share(other.text);
    second = Share(other.second);
    return *this;
}

Exception::~Exception() {
    delete text;
    delete second;
}

void Exception::NotifyPostHandle(void *window) { postWindow = window; }

String const &Exception::GetText() const { return text ? *text : EmptyText(); }

String const &Exception::GetSecondText() const { return second ? *second : EmptyText(); }

ExceptionThrower::ExceptionThrower(int post) : threadId_(0xFFFFFFFFUL), window_(0) {
    if (!post)
        return;
    if (void *w = postWindow)
        window_ = w;
    else
        threadId_ = LoaderThreadId();
}

void ExceptionThrower::Deliver(Exception const &e) {
    if (threadId_ == 0xFFFFFFFFUL && window_ == 0)
        throw Exception(e);
    // A copy that cannot be made travels as a null LPARAM: posting never throws.
    Exception *copy = nullptr;
    try {
        copy = new Exception(e);
    } catch (...) {
    }
    BOOL posted = threadId_ != 0xFFFFFFFFUL
                      ? PostThreadMessageA(threadId_, WM_POSTED_EXCEPTION, 0, reinterpret_cast<LPARAM>(copy))
                      : PostMessageA(reinterpret_cast<HWND>(window_), WM_POSTED_EXCEPTION, 0,
                                     reinterpret_cast<LPARAM>(copy));
    // Nobody will receive it: do not leak the copy.
    if (!posted)
        delete copy;
}

void ExceptionThrower::SetAndThrow() { Deliver(Exception()); }
void ExceptionThrower::SetAndThrow(Exception const &e) { Deliver(e); }
void ExceptionThrower::SetAndThrow(char const *t) { Deliver(Exception(t)); }
void ExceptionThrower::SetAndThrow(String const &t) { SetAndThrow(t.c_str()); }
void ExceptionThrower::SetAndThrow(ResMess id) { SetAndThrow(String(FindString(id.id))); }
void ExceptionThrower::SetAndThrow(char const *t, char const *s) { Deliver(Exception(t, s)); }
void ExceptionThrower::SetAndThrow(String const &t, String const &s) { SetAndThrow(t.c_str(), s.c_str()); }
void ExceptionThrower::SetAndThrow(ResMess id, ResMess s) {
    SetAndThrow(String(FindString(id.id)), String(FindString(s.id)));
}
void ExceptionThrower::SetAndThrow(char const *t, unsigned long code) { Deliver(Exception(t, code)); }
void ExceptionThrower::SetAndThrow(String const &t, unsigned long code) { SetAndThrow(t.c_str(), code); }
void ExceptionThrower::SetAndThrow(ResMess id, unsigned long code) { SetAndThrow(String(FindString(id.id)), code); }
void ExceptionThrower::SetAndThrow(char const *t, char const *s, unsigned long code) {
    Deliver(Exception(t, s, code));
}
void ExceptionThrower::SetAndThrow(String const &t, String const &s, unsigned long code) {
    SetAndThrow(t.c_str(), s.c_str(), code);
}
void ExceptionThrower::SetAndThrow(ResMess id, ResMess s, unsigned long code) {
    SetAndThrow(String(FindString(id.id)), String(FindString(s.id)), code);
}

namespace {

void RethrowUnexpected() { throw; }

// Building the exception allocates too; a failure while doing so must not
// recurse into this handler forever.
thread_local bool inNewHandler;

void OutOfMemory() {
    if (inNewHandler)
        throw std::bad_alloc();
    inNewHandler = true;
    try {
        ExceptionThrower(0).SetAndThrow("Out of memory");
    } catch (...) {
        inNewHandler = false;
        throw;
    }
}

}  // namespace

void InitExceptionHandler() {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    std::set_unexpected(RethrowUnexpected);
#pragma GCC diagnostic pop
    // Plain malloc keeps returning null: a handler run from inside the C
    // runtime could not unwind through it. Every allocation of ours goes
    // through operator new or the heap library, which run this handler.
    std::set_new_handler(OutOfMemory);
}

void PostCurrentFailure() {
    try {
        try {
            throw;
        } catch (Exception const &e) {
            ExceptionThrower(1).SetAndThrow(e);
        } catch (AException const &e) {
            ExceptionThrower(1).SetAndThrow(e.why());
        } catch (...) {
            ExceptionThrower(1).SetAndThrow("Unexpected failure in a worker thread");
        }
    } catch (...) {
    }
}

namespace {
struct HandlersAtLoad {
    HandlersAtLoad() { InitExceptionHandler(); }
} handlersAtLoad;
}  // namespace
