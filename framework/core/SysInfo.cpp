#include "core/SysInfo.h"

#include "core/Application.h"
#include "core/FrameWindow.h"

int _isNT = 0;
int _win95 = 1;  // until start-up knows better

TSysInfo _sysInfo;

TSysInfo &TSysInfo::Get() { return _sysInfo; }

TSysInfo::TSysInfo() : RestoreCursor(0), WaitCount(0) {
    DWORD v = ::GetVersion();
    Version = ((v & 0xFF) << 8) | ((v >> 8) & 0xFF);
    Stack.reserve(20);
}

TSysInfo::TSysInfo(TSysInfo const &other) { CopyFrom(other); }

TSysInfo &TSysInfo::operator=(TSysInfo const &other) {
    if (this != &other) {
        Clear();
        CopyFrom(other);
    }
    return *this;
}

TSysInfo::~TSysInfo() { Clear(); }

void TSysInfo::CopyFrom(TSysInfo const &other) {
    for (TStatusState const *s : other.Stack)
        Stack.push_back(new TStatusState(*s));
    Version = other.Version;
    RestoreCursor = other.RestoreCursor;
    WaitCount = other.WaitCount;
}

void TSysInfo::Clear() {
    for (TStatusState *s : Stack)
        delete s;
    Stack.clear();
}

int TSysInfo::IsWin4() const { return _win95; }
int TSysInfo::IsSmCaption() const { return _win95; }

void TSysInfo::BeginWait() {
    HCURSOR previous = ::SetCursor(::LoadCursorA(0, IDC_WAIT));
    if (WaitCount == 0)  // nested waits end with the cursor from before the first
        RestoreCursor = previous;
    ++WaitCount;
}

void TSysInfo::EndWait() {
    if (WaitCount > 1) {
        --WaitCount;
        return;
    }
    ::SetCursor(RestoreCursor);
    WaitCount = 0;
}

void TSysInfo::SetStatus(char *text, int wait) {
    Stack.push_back(new TStatusState(text ? text : "", wait));
    if (wait)
        BeginWait();
    UpdateStatus(1);
}

void TSysInfo::SetStatus(unsigned id, int wait) {
    char text[129] = "";
    if (TApplication *app = GetApplicationObject())
        app->LoadStringA(id, text, sizeof text);
    SetStatus(text, wait);
}

void TSysInfo::PopStatus() {
    TStatusState *top = Stack.back();
    Stack.pop_back();
    if (top->Wait)
        EndWait();
    delete top;
}

void TSysInfo::RestoreStatus() {
    if (!Stack.empty())
        PopStatus();
    UpdateStatus(0);
}

void TSysInfo::ResetStatus() {
    WaitCount = 0;
    while (!Stack.empty())
        PopStatus();
    UpdateStatus(0);
}

TStatusTextDisplay *TStatusTextDisplay::OfMainWindow() {
    TApplication *app = GetApplicationObject();
    TFrameWindow *main = app ? app->GetMainWindow() : 0;
    return main ? dynamic_cast<TStatusTextDisplay *>(main->ChildWithId(IDW_MESSAGEBAR)) : 0;
}

void TSysInfo::UpdateStatus(int now) {
    TStatusTextDisplay *display = TStatusTextDisplay::OfMainWindow();
    if (!display)
        return;
    display->ShowStatusText(GetStatusText());
    TWindow *bar = dynamic_cast<TWindow *>(display);
    if (now && bar->GetHandle())
        bar->UpdateWindow();
}
