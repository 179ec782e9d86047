// The library's error types and the one way to raise them.
//
// ExceptionThrower either throws at once or, when built to post, hands a heap
// copy of the Exception to the GUI as window message 1124 (WPARAM 0, LPARAM
// the Exception*): to the window registered with Exception::NotifyPostHandle,
// else to the thread that loaded this library. The receiver owns the copy and
// deletes it; a null LPARAM carries nothing and is ignored.
//
// A posting SetAndThrow RETURNS to its caller. Code that raises through a
// posting thrower must return right after the call itself.
#pragma once

#include "foundation/OsmeraDefs.h"
#include "foundation/Strings.h"


// Window message that carries a posted Exception (WM_USER + 100).
enum { WM_POSTED_EXCEPTION = 1124 };

class OSMERA_API AException {
public:
    explicit AException(String const &why);
    AException(AException const &other);
    AException &operator=(AException const &other);
    ~AException();

    String const &why() const { return *why_; }
    // Throws a copy of this object itself (caught as AException only).
    void raise() const;

private:
    String *why_;
};

struct OSMERA_API Exception : public AException {
    Exception();
    explicit Exception(char const *text);
    explicit Exception(String const &text);
    Exception(char const *text, char const *second);
    Exception(String const &text, String const &second);
    Exception(char const *text, unsigned long code);
    Exception(String const &text, unsigned long code);
    Exception(char const *text, char const *second, unsigned long code);
    Exception(String const &text, String const &second, unsigned long code);
    Exception(Exception const &other);
    Exception &operator=(Exception const &other);
    ~Exception();

    // Window that receives posted exceptions from throwers made afterwards;
    // 0 sends them to the thread that loaded the library again.
    static void NotifyPostHandle(void *window);

    // The message and the second line ("" when absent).
    String const &GetText() const;
    String const &GetSecondText() const;
    unsigned long GetErrorCode() const { return errorCode; }
    unsigned long GetDriveIndex() const { return driveIndex; }

    unsigned long errorCode;   // system error to explain to the user, 0 when none
    unsigned long driveIndex;  // drive of a disk-full failure (0 for A:), else 0
    String *text;              // null when the message is empty
    String *second;            // null when there is no second line
};

// A message number of the catalogue, passed by value.
struct ResMess {
    explicit ResMess(unsigned int number) : id(number) {}
    unsigned int id;
};

class OSMERA_API ExceptionThrower {
public:
    // post non-zero: deliver by posting. The target is fixed here: the
    // registered post window, else the loader thread.
    explicit ExceptionThrower(int post = 0);
    ExceptionThrower(ExceptionThrower const &) = default;
    ExceptionThrower &operator=(ExceptionThrower const &) = default;

    int IsPosting() const { return threadId_ != 0xFFFFFFFFUL || window_ != 0; }

    void SetAndThrow();
    void SetAndThrow(Exception const &e);
    void SetAndThrow(char const *text);
    void SetAndThrow(String const &text);
    void SetAndThrow(ResMess id);
    void SetAndThrow(char const *text, char const *second);
    void SetAndThrow(String const &text, String const &second);
    void SetAndThrow(ResMess id, ResMess second);
    void SetAndThrow(char const *text, unsigned long code);
    void SetAndThrow(String const &text, unsigned long code);
    void SetAndThrow(ResMess id, unsigned long code);
    void SetAndThrow(char const *text, char const *second, unsigned long code);
    void SetAndThrow(String const &text, String const &second, unsigned long code);
    void SetAndThrow(ResMess id, ResMess second, unsigned long code);

private:
    void Deliver(Exception const &e);

    unsigned long threadId_;  // all ones when not posting to a thread
    void *window_;            // the window handle, 0 when not posting to a window
};

// Hands the exception being handled on to the GUI as a posted failure (call it inside a
// catch block only); nothing escapes, not even a failure to build the report. Thread
// starts and device callbacks end with it.
OSMERA_API void PostCurrentFailure();

// Installs the handlers for unexpected exceptions and failed allocations (a
// failed allocation throws "Out of memory"). Runs when the library loads.
OSMERA_API void InitExceptionHandler();
