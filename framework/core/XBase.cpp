#include "core/XBase.h"

#include "core/MessageBoxSeam.h"
#include "core/Module.h"
#include "core/System.h"
#include "core/Window.h"

#include <cstdio>

int TXBase::InstanceCount = 0;

TXBase::TXBase(String const &msg) : AException(msg) { InstanceCount++; }
TXBase::TXBase(TXBase const &src) : AException(src) { InstanceCount++; }
TXBase::~TXBase() { InstanceCount--; }
TXBase *TXBase::Clone() const { return new TXBase(*this); }
void TXBase::Throw() { throw *this; }
void TXBase::Raise(String const &msg) { TXBase(msg).Throw(); }

// ---- TXYrt

TXYrt::TXYrt(String const &msg, uint errorCode) : TXBase(msg), ErrorCode(errorCode) {}
TXYrt::TXYrt(uint resId, TModule *module) : TXBase(ResourceIdToString(0, resId, module)), ErrorCode(resId) {}
TXYrt *TXYrt::Clone() const { return new TXYrt(*this); }
void TXYrt::Throw() { throw *this; }
void TXYrt::Raise(String const &msg, uint errorCode) { TXYrt(msg, errorCode).Throw(); }
void TXYrt::Raise(uint resId, TModule *module) { TXYrt(resId, module).Throw(); }

int TXYrt::Unhandled(TModule *module, uint promptResId) {
    if (!module)
        module = &VeltraneLibraryModule();
    return module->Error(*this, IDS_YRTEXCEPTION, promptResId);
}

String TXYrt::ResourceIdToString(int *found, uint resId, TModule *module) {
    // without a module the framework's own table holds the framework's texts
    if (!module)
        module = &VeltraneLibraryModule();
    char buf[128];
    int ok = module->LoadStringA(resId, buf, sizeof buf) != 0;
    if (found)
        *found = ok;
    if (ok)
        return String(buf);
    std::snprintf(buf, sizeof buf, "Exception #%u (Could not load description string; <veltrane/except> not bound?).",
                  resId);
    return String(buf);
}

String TXYrt::MakeMessage(uint resId, char const *arg, TModule *module) {
    String format = ResourceIdToString(0, resId, module);
    char buf[256];
    std::snprintf(buf, sizeof buf, format.c_str(), arg ? arg : "");
    return String(buf);
}

String TXYrt::MakeMessage(uint resId, uint arg, TModule *module) {
    String format = ResourceIdToString(0, resId, module);
    char buf[256];
    std::snprintf(buf, sizeof buf, format.c_str(), arg);
    return String(buf);
}

// ---- the fixed ones

TXOutOfMemory::TXOutOfMemory() : TXYrt(IDS_OUTOFMEMORY) {}
TXOutOfMemory *TXOutOfMemory::Clone() const { return new TXOutOfMemory(*this); }
void TXOutOfMemory::Throw() { throw *this; }
void TXOutOfMemory::Raise() { TXOutOfMemory().Throw(); }

TXInvalidMainWindow::TXInvalidMainWindow() : TXYrt(IDS_INVALIDMAINWINDOW) {}
TXInvalidMainWindow *TXInvalidMainWindow::Clone() const { return new TXInvalidMainWindow(*this); }
void TXInvalidMainWindow::Throw() { throw *this; }
void TXInvalidMainWindow::Raise() { TXInvalidMainWindow().Throw(); }

TXInvalidModule::TXInvalidModule(char const *name) : TXYrt(MakeMessage(IDS_INVALIDMODULE, name), 0) {}
TXInvalidModule *TXInvalidModule::Clone() const { return new TXInvalidModule(*this); }
void TXInvalidModule::Throw() { throw *this; }
void TXInvalidModule::Raise(char const *name) { TXInvalidModule(name).Throw(); }

// ---- TXWindow

TXWindow::TXWindow(TWindow *window, uint resId) : TXYrt(Msg(window, resId), resId), Window(window) {}
TXWindow::TXWindow(TXWindow const &src) : TXYrt(src), Window(src.Window) {}
TXWindow *TXWindow::Clone() const { return new TXWindow(*this); }
void TXWindow::Throw() { throw *this; }
void TXWindow::Raise(TWindow *window, uint resId) { TXWindow(window, resId).Throw(); }

int TXWindow::Unhandled(TModule *module, uint promptResId) {
    Window = 0;
    return TXYrt::Unhandled(module, promptResId);
}

String TXWindow::Msg(TWindow *window, uint resId) {
    char description[200] = "";
    if (window) {
        char const *title = window->GetTitle();
        if (!title || IS_INTRESOURCE(title))
            title = "Untitled";
        std::snprintf(description, sizeof description, "%s, %u, %s", title, (uint)window->GetId(), "");
    }
    return MakeMessage(resId, description, &VeltraneLibraryModule());
}

// ---- the report

namespace {
BOOL CALLBACK FoundWindow(HWND, LPARAM found) {
    *(bool *)found = true;
    return FALSE;
}
}  // namespace

int HandleGlobalException(AException &e, char const *caption, char const *question) {
    String text = e.why();
    if (text.IsEmpty())
        text = "Unknown Exception";
    unsigned style = MB_ICONSTOP;
    if (question) {
        text += "\n";
        text += question;
        style |= MB_YESNO;
    } else {
        style |= MB_OK;
    }
    if (!caption)
        caption = "Unhandled Exception";
    // task-modal when the thread owns a window (always on NT), else system-modal
    bool ownsWindow = TSystem::GetPlatformId() == VER_PLATFORM_WIN32_NT;
    if (!ownsWindow)
        ::EnumThreadWindows(::GetCurrentThreadId(), &FoundWindow, (LPARAM)&ownsWindow);
    style |= ownsWindow ? MB_TASKMODAL : MB_SYSTEMMODAL;
    return ShowMessageBox(0, text.c_str(), caption, style) == IDYES ? 0 : -1;
}

AException Describe(Exception const &e) {
    String text = e.GetText();
    if (!e.GetSecondText().IsEmpty()) {
        text += "\n";
        text += e.GetSecondText();
    }
    return AException(text);
}
