#include "core/Module.h"

#include "core/VeltraneModule.h"
#include "core/Window.h"

#include <cstdio>
#include <cstring>
#include <vector>

TModule *TModule::_localizedResourceDLL = 0;
TModule *TModule::_commonResourceDLL = 0;

uint GetWindowPtrMsgId = 0;

uint RegisterWindowPtrMsg() {
    if (!GetWindowPtrMsgId) {
        char name[40];
        std::snprintf(name, sizeof name, "GetWindowPtr(%X)", (unsigned)(ULONG_PTR)::GetModuleHandleA(0));
        GetWindowPtrMsgId = ::RegisterWindowMessageA(name);
    }
    return GetWindowPtrMsgId;
}

TModule::TModule(char const *name, bool shouldLoad, bool mustLoad) : Name(0), Handle(0), ShouldFree(shouldLoad) {
    if (shouldLoad) {
        // no critical-error or open-file boxes while loading
        UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        Handle = ::LoadLibraryA(name);
        ::SetErrorMode(previous);
        if (!IsLoaded() && mustLoad)
            TXInvalidModule::Raise(name);
    }
    SetName(name);
}

TModule::TModule(char const *name, HINSTANCE instance) : Name(0), Handle(instance), ShouldFree(0) { SetName(name); }

TModule::TModule(char const *name, HINSTANCE instance, char const *cmdLine) : Name(0), Handle(0), ShouldFree(0) {
    SetName(name);
    if (instance)
        InitModule(instance, cmdLine);
}

TModule::~TModule() {
    if (ShouldFree && IsLoaded())
        ::FreeLibrary(Handle);
    delete[] Name;
}

void TModule::SetName(char const *name) {
    char fileName[MAX_PATH] = "";
    if (!name && IsLoaded()) {
        ::GetModuleFileNameA(Handle, fileName, sizeof fileName);
        name = fileName;
    }
    char *copy = name ? strnewdup(name) : 0;
    delete[] Name;
    Name = copy;
}

void TModule::InitModule(HINSTANCE instance, char const *) {
    Handle = instance;
    RegisterWindowPtrMsg();
}

namespace {
// Reads string id straight from a module's table: block id/16 + 1, entry id mod 16,
// each entry a 16-bit length and that many 16-bit characters.
bool ReadString(HINSTANCE module, uint id, String *out, char *buf, int size) {
    if (!module)
        return false;
    HRSRC res = ::FindResourceA(module, MAKEINTRESOURCEA(id / 16 + 1), (LPCSTR)RT_STRING);
    if (!res)
        return false;
    HGLOBAL mem = ::LoadResource(module, res);
    WORD const *p = mem ? (WORD const *)::LockResource(mem) : 0;
    if (!p)
        return false;
    WORD const *end = p + ::SizeofResource(module, res) / sizeof(WORD);
    for (uint i = id % 16; i && p < end; i--)
        p += 1 + *p;
    if (p >= end || *p == 0 || p + 1 + *p > end)
        return false;
    int length = *p;
    int need = ::WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)(p + 1), length, 0, 0, 0, 0);
    if (out) {
        String text(' ', (unsigned long)need);
        ::WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)(p + 1), length, (char *)text.c_str(), need, 0, 0);
        *out = text;
    } else {
        // a room of 0 would make the call report the size instead of writing
        int n = size > 1 ? ::WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)(p + 1), length, buf, size - 1, 0, 0) : 0;
        if (n <= 0 && need > 0 && size > 1) {
            // too long for the buffer: take what fits
            std::vector<char> all(need);
            ::WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)(p + 1), length, all.data(), need, 0, 0);
            n = size - 1;
            std::memcpy(buf, all.data(), n);
        }
        buf[n] = 0;
    }
    return true;
}
}  // namespace

int TModule::LoadStringA(uint id, char *buf, int size) const {
    if (size <= 0)
        return 0;
    HINSTANCE library = (HINSTANCE)VeltraneInstance();
    if (ReadString(Handle, id, 0, buf, size) || (Handle != library && ReadString(library, id, 0, buf, size)))
        return (int)std::strlen(buf);
    *buf = 0;
    return 0;
}

String TModule::LoadStringA(uint id) const {
    String text;
    HINSTANCE library = (HINSTANCE)VeltraneInstance();
    if (!ReadString(Handle, id, &text, 0, 0) && Handle != library)
        ReadString(library, id, &text, 0, 0);
    return text;
}

int TModule::Error(AException &e, uint captionResId, uint promptResId) {
    char question[80] = "";
    char caption[80] = "";
    if (promptResId && !LoadStringA(promptResId, question, sizeof question))
        std::strcpy(question, "OK to Resume?");
    int haveCaption = LoadStringA(captionResId ? captionResId : IDS_UNHANDLEDXMSG, caption, sizeof caption);
    return HandleGlobalException(e, haveCaption ? caption : 0, promptResId ? question : 0);
}

TModule &VeltraneLibraryModule() {
    static TModule module(0, (HINSTANCE)VeltraneInstance());
    return module;
}

TZandorLibrary::~TZandorLibrary() {}

// ---- entry points

TModuleProc::TModuleProc(TModule const &module, char const *name) : Proc(module.GetProcAddress(name)) {
    if (Proc)
        return;
    String text = IS_INTRESOURCE(name)
                      ? TXYrt::MakeMessage(IDS_INVALIDMODULEORD, (uint)(ULONG_PTR)name, &VeltraneLibraryModule())
                      : TXYrt::MakeMessage(IDS_INVALIDMODULEFCN, name, &VeltraneLibraryModule());
    text += module.GetName() ? module.GetName() : "";
    TXYrt::Raise(text, 0);
}

TModule &TUser::GetModule() {
    static TModule user("USER32", ::GetModuleHandleA("USER32"));
    return user;
}

HICON TUser::LoadIconA(HINSTANCE instance, char const *name) {
    static TModuleProcOf<HICON(WINAPI *)(HINSTANCE, LPCSTR)> f(GetModule(), "LoadIconA");
    return f(instance, name);
}

BOOL TUser::DestroyIcon(HICON icon) {
    static TModuleProcOf<BOOL(WINAPI *)(HICON)> f(GetModule(), "DestroyIcon");
    return f(icon);
}

BOOL TUser::GetClassInfoA(HINSTANCE instance, char const *className, WNDCLASSA *wc) {
    static TModuleProcOf<BOOL(WINAPI *)(HINSTANCE, LPCSTR, WNDCLASSA *)> f(GetModule(), "GetClassInfoA");
    return f(instance, className, wc);
}

int TUser::GetMenuStringA(HMENU menu, uint item, char *buf, int size, uint flags) {
    static TModuleProcOf<int(WINAPI *)(HMENU, UINT, LPSTR, int, UINT)> f(GetModule(), "GetMenuStringA");
    return f(menu, item, buf, size, flags);
}

uint TUser::GetMenuState(HMENU menu, uint item, uint flags) {
    static TModuleProcOf<UINT(WINAPI *)(HMENU, UINT, UINT)> f(GetModule(), "GetMenuState");
    return f(menu, item, flags);
}

// ---- version information

TModuleVersionInfo::TModuleVersionInfo(HINSTANCE instance) : Buff(0), Language(0), FixedInfo(0) {
    char name[MAX_PATH] = "";
    ::GetModuleFileNameA(instance, name, sizeof name);
    ::OemToCharA(name, name);
    if (!Init(name)) {
        delete[] (char *)Buff;
        Buff = 0;
        FixedInfo = 0;
    }
}

TModuleVersionInfo::TModuleVersionInfo(char const *fileName) : Buff(0), Language(0), FixedInfo(0) {
    if (!Init(fileName)) {
        delete[] (char *)Buff;
        Buff = 0;
        FixedInfo = 0;
    }
}

TModuleVersionInfo::~TModuleVersionInfo() { delete[] (char *)Buff; }

bool TModuleVersionInfo::Init(char const *fileName) {
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeA(fileName, &handle);
    if (!size) {
        char text[20];
        std::snprintf(text, sizeof text, "%ld", (long)::GetLastError());
        TXYrt::Raise(String(text), 0);
    }
    Buff = new char[size];
    if (!::GetFileVersionInfoA(fileName, handle, size, Buff))
        return false;
    UINT length = 0;
    void *fixed = 0;
    if (!::VerQueryValueA(Buff, "\\", &fixed, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return false;
    FixedInfo = (VS_FIXEDFILEINFO *)fixed;
    WORD *translation = 0;
    if (!::VerQueryValueA(Buff, "\\VarFileInfo\\Translation", (void **)&translation, &length) || length < 4) {
        FixedInfo = 0;
        return false;
    }
    Language = ((uint32_t)translation[0] << 16) | translation[1];
    return true;
}

bool TModuleVersionInfo::GetInfoString(char const *key, char const *&value, uint language) {
    if (!Buff || !FixedInfo)
        return false;
    char path[128];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%08lx\\%s", (unsigned long)(language ? language : Language),
                  key);
    UINT length = 0;
    void *p = 0;
    if (!::VerQueryValueA(Buff, path, &p, &length))
        return false;
    value = (char const *)p;
    return true;
}

VS_FIXEDFILEINFO const TModuleVersionInfo::NoFixedInfo = {};

uint32_t TModuleVersionInfo::GetFileSubType() const {
    uint32_t sub = GetFixedInfo().dwFileSubtype;
    switch (GetFixedInfo().dwFileType) {
    case VFT_DRV: return sub <= 8 ? sub : 9;
    case VFT_FONT: return sub <= 2 ? 10 + sub : 13;
    default: return sub;
    }
}

FILETIME TModuleVersionInfo::GetFileDate() const {
    FILETIME ft;
    ft.dwLowDateTime = GetFixedInfo().dwFileDateLS;
    ft.dwHighDateTime = GetFixedInfo().dwFileDateMS;
    return ft;
}

String TModuleVersionInfo::GetLanguageName(uint language) {
    char name[128] = "";
    ::VerLanguageNameA(language, name, sizeof name);
    return String(name);
}
