// The window class of the tree and its registration by applications.
#include "pindral/Pindral.h"

#include "pindral/TreeWindow.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {

std::mutex _lock;
std::vector<HINSTANCE> _applications;  // those that registered the class

HINSTANCE Self() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<char const *>(&Self), &self);
    return self;
}

void Trace(char const *call, HINSTANCE application, BOOL result) {
    char line[120];
    std::snprintf(line, sizeof line, "Pindral: %s %p %d\n", call, static_cast<void *>(application), int(result));
    OutputDebugStringA(line);
}

bool RegisterTreeClass() {
    WNDCLASSA tree = {};
    tree.style = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    tree.lpfnWndProc = SftTree_WndProc;
    tree.cbWndExtra = sizeof(LONG_PTR);
    tree.hInstance = Self();
    tree.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    tree.lpszClassName = PINDRAL_CLASS;
    // a class left behind by an unregistration that found windows still open serves again
    return RegisterClassA(&tree) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

BOOL WINAPI SftTree_RegisterApp2(HINSTANCE application) {
    BOOL result = TRUE;
    try {
        std::lock_guard<std::mutex> hold(_lock);
        if (std::find(_applications.begin(), _applications.end(), application) == _applications.end()) {
            result = !_applications.empty() || RegisterTreeClass();
            if (result)
                _applications.push_back(application);
        }
    } catch (...) {
        result = FALSE;
    }
    Trace("SftTree_RegisterApp2", application, result);
    return result;
}

BOOL WINAPI SftTree_UnregisterApp2(HINSTANCE application) {
    BOOL result = FALSE;
    {
        std::lock_guard<std::mutex> hold(_lock);
        auto at = std::find(_applications.begin(), _applications.end(), application);
        if (at != _applications.end()) {
            _applications.erase(at);
            if (_applications.empty())
                UnregisterClassA(PINDRAL_CLASS, Self());
            result = TRUE;
        }
    }
    Trace("SftTree_UnregisterApp2", application, result);
    return result;
}

LRESULT CALLBACK SftTree_WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return pindral::TreeWindow::Dispatch(window, message, wParam, lParam);
}
