// The framework's own exceptions; their texts come from the framework library's
// string table (32707 to 32767).
#pragma once

#include "core/VeltraneDefs.h"

#include "foundation/Exception.h"
#include "foundation/Strings.h"

typedef unsigned int uint;
class TModule;
class TWindow;

// Message numbers of the framework's string table.
enum {
    IDS_INVALIDCLIENTWINDOW = 32707,
    IDS_INVALIDCHILDWINDOW = 32708,
    IDS_INVALIDWINDOW = 32709,
    IDS_CLIPBOARDBUSY = 32729,
    IDS_INVALIDDIBHANDLE = 32732,
    IDS_GDIDESTROYFAIL = 32733,
    IDS_GDIDELETEFAIL = 32734,
    IDS_GDIFILEREADFAIL = 32735,
    IDS_GDIRESLOADFAIL = 32736,
    IDS_GDICREATEFAIL = 32737,
    IDS_GDIALLOCFAIL = 32738,
    IDS_GDIFAILURE = 32739,
    IDS_LAYOUTBADRELWIN = 32740,
    IDS_LAYOUTINCOMPLETE = 32741,
    IDS_MENUFAILURE = 32744,
    IDS_CHILDCREATEFAIL = 32745,
    IDS_WINDOWEXECUTEFAIL = 32746,
    IDS_WINDOWCREATEFAIL = 32747,
    IDS_CHILDREGISTERFAIL = 32748,
    IDS_CLASSREGISTERFAIL = 32749,
    IDS_COMMCTRLFAILURE = 32755,
    IDS_INVALIDMODULEORD = 32756,
    IDS_INVALIDMODULEFCN = 32757,
    IDS_INVALIDMAINWINDOW = 32759,
    IDS_INVALIDMODULE = 32760,
    IDS_OUTOFMEMORY = 32761,
    IDS_NOAPP = 32762,
    IDS_UNKNOWNERROR = 32763,
    IDS_UNHANDLEDXMSG = 32764,
    IDS_OKTORESUME = 32765,
    IDS_YRTEXCEPTION = 32766,
    IDS_UNKNOWNEXCEPTION = 32767,
};

class VELTRANE_API TXBase : public AException {
public:
    TXBase(String const &msg);
    TXBase(TXBase const &src);
    virtual ~TXBase();
    virtual TXBase *Clone() const;
    [[noreturn]] virtual void Throw();
    [[noreturn]] static void Raise(String const &msg);

    static int InstanceCount;  // live exception objects of this family
};

class VELTRANE_API TXYrt : public TXBase {
public:
    TXYrt(String const &msg, uint errorCode = 0);
    TXYrt(uint resId, TModule *module = 0);
    TXYrt *Clone() const override;
    [[noreturn]] void Throw() override;
    // Reports through the module's Error: 0 means go on.
    virtual int Unhandled(TModule *module, uint promptResId);
    uint GetErrorCode() const { return ErrorCode; }

    [[noreturn]] static void Raise(String const &msg, uint errorCode = 0);
    [[noreturn]] static void Raise(uint resId, TModule *module = 0);
    // The text of a string of the module (the framework's own when null).
    static String ResourceIdToString(int *found, uint resId, TModule *module = 0);
    static String MakeMessage(uint resId, char const *arg, TModule *module = 0);
    static String MakeMessage(uint resId, uint arg, TModule *module = 0);

protected:
    uint ErrorCode;
};

class VELTRANE_API TXOutOfMemory : public TXYrt {
public:
    TXOutOfMemory();
    TXOutOfMemory *Clone() const override;
    [[noreturn]] void Throw() override;
    [[noreturn]] static void Raise();
};

class VELTRANE_API TXInvalidMainWindow : public TXYrt {
public:
    TXInvalidMainWindow();
    TXInvalidMainWindow *Clone() const override;
    [[noreturn]] void Throw() override;
    [[noreturn]] static void Raise();
};

class VELTRANE_API TXInvalidModule : public TXYrt {
public:
    TXInvalidModule(char const *name = 0);
    TXInvalidModule *Clone() const override;
    [[noreturn]] void Throw() override;
    [[noreturn]] static void Raise(char const *name = 0);
};

class VELTRANE_API TXWindow : public TXYrt {
public:
    TXWindow(TWindow *window = 0, uint resId = IDS_INVALIDWINDOW);
    TXWindow(TXWindow const &src);
    TXWindow *Clone() const override;
    [[noreturn]] void Throw() override;
    int Unhandled(TModule *module, uint promptResId) override;
    TWindow *GetWindow() const { return Window; }

    // The text for a window: the resource's format filled with "title, id, ".
    static String Msg(TWindow *window, uint resId);
    [[noreturn]] static void Raise(TWindow *window = 0, uint resId = IDS_INVALIDWINDOW);

    TWindow *Window;
};

// Shows the report of an exception; with a question the box asks Yes/No.
// Returns 0 when the user chose Yes, else -1.
VELTRANE_API int HandleGlobalException(AException &e, char const *caption, char const *question);

// The foundation's Exception keeps its message in texts of its own, not in why():
// an AException carrying them (text and second line) for a report.
VELTRANE_API AException Describe(Exception const &e);
