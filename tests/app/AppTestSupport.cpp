#include "tests/app/AppTestSupport.h"

#include "foundation/MessageCatalogue.h"
#include "tests/support/TestSupport.h"

namespace apptest {

std::string ProgramFolder() {
    std::string tests = testsupport::ProgramFolder();
    return tests.substr(0, tests.find_last_of('\\')) + "\\program";
}

HMODULE LoadLanguageModule(char const *name) {
    return LoadLibraryExA((ProgramFolder() + "\\system\\" + name).c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
}

HMODULE UseEnglishTexts() {
    static HMODULE english = LoadLibraryA((ProgramFolder() + "\\system\\EnglishTs.dll").c_str());
    NotifyLocalizedStringDll(english);
    return english;
}

// What the next modal dialog of the thread is to do, from a timer its loop dispatches: the
// action gets the dialog once it stands.
namespace {

std::function<void(HWND)> _modalAction;

BOOL CALLBACK FindModal(HWND window, LPARAM found) {
    char name[16] = "";
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && ::IsWindowVisible(window) && ::IsWindowEnabled(window) &&
        ::GetWindow(window, GW_OWNER) && !::IsWindowEnabled(::GetWindow(window, GW_OWNER))) {
        *reinterpret_cast<HWND *>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerModal(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND modal = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindModal, LPARAM(&modal));
    if (!modal || !_modalAction)
        return;
    ::KillTimer(nullptr, timer);
    auto action = std::move(_modalAction);
    _modalAction = nullptr;
    action(modal);
}

}  // namespace

void WhenModal(std::function<void(HWND)> action) {
    _modalAction = std::move(action);
    ::SetTimer(nullptr, 0, 20, &AnswerModal);
}

void Click(HWND dialog, int id) {
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(::GetDlgItem(dialog, id)));
}

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool PumpUntil(std::function<bool()> const &condition) {
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 20000; ::Sleep(5)) {
        Pump();
        if (condition())
            return true;
    }
    return false;
}

}  // namespace apptest
