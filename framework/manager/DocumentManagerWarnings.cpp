// Warnings to the user from any thread: a plain text is shown at once, an exception's
// warning is queued and shown by the interface thread, one box after another.
#include "manager/DocumentManager.h"

#include "core/FrameWindow.h"

#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

namespace {

String SystemErrorText(unsigned long code) {
    char buffer[1001] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, 0, code, 0, buffer,
                     sizeof buffer - 1, 0);
    String text(buffer);
    text.Trim("\n\r \t", 3);
    return text;
}

}  // namespace

String DocumentManager::ComposeWarning(Exception const &e) {
    String text;
    if (e.text) {
        text = *e.text;
        if (e.errorCode) {
            text += FindString(19005);
            text += String(e.errorCode);
            text += " (\"";
            text += SystemErrorText(e.errorCode);
            text += "\")";
        }
        text += "\n";
    }
    if (e.second) {
        text += *e.second;
        text += "\n";
    }
    return text;
}

void DocumentManager::WarnUser(AException const &e, int post) {
    if (!e.why().IsEmpty()) {
        // A plain text is shown at once, without holding the lock.
        ShowBox(e.why().c_str(), GetName(), MB_ICONHAND);
        return;
    }
    // Every exception without a plain text is an Exception (that is how they are built).
    Exception copy(static_cast<Exception const &>(e));
    OnExceptionMessage(copy);
    String text = ComposeWarning(copy);
    if (text.IsEmpty())
        return;
    bool first = QueueWarning(text);
    HWND main = MainWindow ? MainWindow->GetHandle() : 0;
    if (post && main && ::IsWindow(main)) {
        if (first)
            ::PostMessageA(main, WM_COMMAND, 20092, 0);
    } else if (::GetCurrentThreadId() == guiThreadId_ || !main) {
        CmWarnUser();
    } else if (first) {
        ::PostMessageA(main, WM_COMMAND, 20092, 0);
    }
}

bool DocumentManager::QueueWarning(String const &text) {
    AutoCriticalSection lock(warningLock_);
    warnings_.Append(new StringItem<ListElement>(text));
    return warnings_.GetCount() == 1;
}

// The boxes are shown without holding the lock, so that no other thread waits behind one.
void DocumentManager::CmWarnUser() {
    if (!BeginShowingWarnings())
        return;
    List<StringItem<ListElement>> batch;
    while (TakeWarnings(batch)) {
        while (StringItem<ListElement> *w = batch.DetachFirst()) {
            ShowBox(w->c_str(), GetName(), MB_ICONHAND);
            delete w;
        }
    }
}

bool DocumentManager::BeginShowingWarnings() {
    AutoCriticalSection lock(warningLock_);
    if (showingWarnings_)
        return false;  // the running call shows what arrives meanwhile
    showingWarnings_ = 1;
    return true;
}

bool DocumentManager::TakeWarnings(List<StringItem<ListElement>> &batch) {
    AutoCriticalSection lock(warningLock_);
    if (!warnings_.GetFirst()) {
        showingWarnings_ = 0;
        return false;
    }
    while (StringItem<ListElement> *w = warnings_.DetachFirst())
        batch.Append(w);
    return true;
}

LRESULT DocumentManager::EvException(WPARAM, LPARAM lParam) {
    if (Exception *e = reinterpret_cast<Exception *>(lParam)) {
        WarnUser(*e, 0);
        delete e;
    }
    return 1;
}
