#include "engine/SelfRegistration.h"

#include "core/MessageBoxSeam.h"
#include "foundation/MessageCatalogue.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

enum : uint32_t { kFail = 0x80004005, kNotImplemented = 0x80004001 };

enum {
    kTextOffer = 11302,
    kTextRegistered = 11303,
    kTextUnregistered = 11304,
    kTextRegisterFailed = 11305,
    kTextUnregisterFailed = 11306,
};

char const kCaption[] = "Tessaro";

typedef HRESULT(WINAPI *RegisterEntry)();
typedef HRESULT(WINAPI *CoInitializeEntry)(void *);
typedef void(WINAPI *CoUninitializeEntry)();

// Loads with the system's boxes for missing files switched off.
HMODULE LoadWithoutBoxes(char const *name, DWORD flags) {
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryExA(name, nullptr, flags);
    SetErrorMode(previous);
    return module;
}

int32_t CallEntry(HMODULE module, char const *name) {
    auto entry = reinterpret_cast<RegisterEntry>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return entry ? int32_t(entry()) : int32_t(kNotImplemented);
}

void Tell(String const &text, unsigned icon) { ShowMessageBox(0, text.c_str(), kCaption, MB_OK | icon); }

}  // namespace

int32_t HasSelfRegisterMark(FileName const &file) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0)
        return int32_t(kFail);
    int32_t result = int32_t(kNotImplemented);
    try {
        std::vector<char> block(size);
        if (!GetFileVersionInfoA(file.c_str(), 0, size, block.data()))
            return result;
        WORD *translation = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void **>(&translation),
                            &length) ||
            length < 2 * sizeof(WORD))
            return result;
        char entry[64];
        std::snprintf(entry, sizeof entry, "\\StringFileInfo\\%04hX%04hX\\OLESelfRegister", translation[0],
                      translation[1]);
        void *value = nullptr;
        if (VerQueryValueA(block.data(), entry, &value, &length))
            result = 0;
    } catch (...) {
    }
    return result;
}

int32_t RegisterModule(FileName const &file, int unregister) {
    if (int32_t error = HasSelfRegisterMark(file))
        return error;
    HMODULE ole = LoadWithoutBoxes("ole32.dll", 0);
    if (!ole)
        return int32_t(kFail);
    auto initialize = reinterpret_cast<CoInitializeEntry>(reinterpret_cast<void (*)()>(GetProcAddress(ole, "CoInitialize")));
    auto uninitialize =
        reinterpret_cast<CoUninitializeEntry>(reinterpret_cast<void (*)()>(GetProcAddress(ole, "CoUninitialize")));
    if (initialize)
        initialize(nullptr);
    int32_t result = int32_t(kFail);
    // The module's own folder is searched first for what it needs.
    if (HMODULE module = LoadWithoutBoxes(file.c_str(), LOAD_WITH_ALTERED_SEARCH_PATH)) {
        result = CallEntry(module, unregister ? "DllUnregisterServer" : "DllRegisterServer");
        FreeLibrary(module);
    }
    if (uninitialize)
        uninitialize();
    FreeLibrary(ole);
    return result;
}

int OfferSelfRegistration(FileName const &file) {
    if (HasSelfRegisterMark(file) != 0)
        return 0;
    int answer =
        ShowMessageBox(0, String(BuildString(kTextOffer, file.c_str())).c_str(), kCaption, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer != IDYES && answer != IDNO)
        return 1;
    int unregister = answer == IDNO;
    int32_t result = RegisterModule(file, unregister);
    if (result == 0)
        Tell(FindString(unregister ? kTextUnregistered : kTextRegistered), MB_ICONINFORMATION);
    else
        Tell(String(BuildString(unregister ? kTextUnregisterFailed : kTextRegisterFailed, (unsigned long)(uint32_t(result)))),
             MB_ICONINFORMATION);
    return 1;
}
