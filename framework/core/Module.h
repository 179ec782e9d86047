// Loaded executable modules: the program, this library, resource modules and
// libraries loaded by name; their strings, resources, entry points and versions.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/TArrays.h"
#include "core/XBase.h"

#include <windows.h>

#include <cstdint>

class VELTRANE_API TModule {
public:
    TModule(char const *name, bool shouldLoad, bool mustLoad = true);
    TModule(char const *name, HINSTANCE instance);
    TModule(char const *name, HINSTANCE instance, char const *cmdLine);
    virtual ~TModule();
    TModule(TModule const &) = delete;
    TModule &operator=(TModule const &) = delete;

    // Reports an exception; 0 means go on, anything else stop.
    virtual int Error(AException &e, uint captionResId, uint promptResId = 0);

    void SetName(char const *name);
    char const *GetName() const { return Name; }
    void InitModule(HINSTANCE instance, char const *cmdLine);
    HINSTANCE GetHandle() const { return Handle; }
    void SetHandle(HINSTANCE instance) { Handle = instance; }
    operator HINSTANCE() const { return Handle; }
    bool operator==(TModule const &o) const { return Handle == o.Handle; }
    bool IsLoaded() const { return (ULONG_PTR)Handle > 32; }

    // The string from this module's table, else from the framework library's;
    // an empty result (0) when neither has it.
    int LoadStringA(uint id, char *buf, int size) const;
    String LoadStringA(uint id) const;

    int GetModuleFileNameA(char *buf, int size) const { return ::GetModuleFileNameA(Handle, buf, size); }
    FARPROC GetProcAddress(char const *name) const { return ::GetProcAddress(Handle, name); }
    HRSRC FindResourceA(TResId id, char const *type) const { return ::FindResourceA(Handle, id, type); }
    HGLOBAL LoadResource(HRSRC res) const { return ::LoadResource(Handle, res); }
    DWORD SizeofResource(HRSRC res) const { return ::SizeofResource(Handle, res); }
    HBITMAP LoadBitmapA(TResId id) const { return ::LoadBitmapA(Handle, id); }
    BOOL GetClassInfoA(char const *name, WNDCLASSA *wc) const { return ::GetClassInfoA(Handle, name, wc); }
    HACCEL LoadAcceleratorsA(TResId id) const { return ::LoadAcceleratorsA(Handle, id); }
    HMENU LoadMenuA(TResId id) const { return ::LoadMenuA(Handle, id); }
    HCURSOR LoadCursorA(TResId id) const { return ::LoadCursorA(Handle, id); }
    HICON LoadIconA(TResId id) const { return ::LoadIconA(Handle, id); }
    HICON CopyIcon(HICON icon) const { return ::CopyIcon(icon); }

    static TModule *GetLocalizedDLL() { return _localizedResourceDLL; }
    static TModule *_localizedResourceDLL;
    static TModule *_commonResourceDLL;

protected:
    char *Name;
    HINSTANCE Handle;
    int ShouldFree;
};

// The framework library's own module (its string table is the fallback of every module).
VELTRANE_API TModule &VeltraneLibraryModule();

class VELTRANE_API TZandorLibrary : public TModule {
public:
    TZandorLibrary(HINSTANCE instance) : TModule("ZandorDLL", instance) {}
    ~TZandorLibrary();
};

// An entry point bound by name, or by ordinal (a value below 0x10000).
class VELTRANE_API TModuleProc {
public:
    TModuleProc(TModule const &module, char const *name);
    FARPROC Proc;
};

// Binds a function of a given type: TModuleProcOf<int (WINAPI *)(HWND)> p(module, "Name").
template <class F>
class TModuleProcOf : public TModuleProc {
public:
    TModuleProcOf(TModule const &module, char const *name) : TModuleProc(module, name) {}
    operator F() const { return reinterpret_cast<F>(Proc); }
};

// A few user-interface functions bound by name from the already loaded USER32.
class VELTRANE_API TUser {
public:
    static TModule &GetModule();
    static HICON LoadIconA(HINSTANCE instance, char const *name);
    static BOOL DestroyIcon(HICON icon);
    static BOOL GetClassInfoA(HINSTANCE instance, char const *className, WNDCLASSA *wc);
    static int GetMenuStringA(HMENU menu, uint item, char *buf, int size, uint flags);
    static uint GetMenuState(HMENU menu, uint item, uint flags);
};

// A module's version resource.
class VELTRANE_API TModuleVersionInfo {
public:
    TModuleVersionInfo(HINSTANCE instance);
    TModuleVersionInfo(char const *fileName);
    ~TModuleVersionInfo();
    TModuleVersionInfo(TModuleVersionInfo const &) = delete;
    TModuleVersionInfo &operator=(TModuleVersionInfo const &) = delete;

    bool GetInfoString(char const *key, char const *&value, uint language = 0);
    bool GetFileDescription(char const *&v, uint lang = 0) { return GetInfoString("FileDescription", v, lang); }
    bool GetFileVersion(char const *&v, uint lang = 0) { return GetInfoString("FileVersion", v, lang); }
    bool GetInternalName(char const *&v, uint lang = 0) { return GetInfoString("InternalName", v, lang); }
    bool GetLegalCopyright(char const *&v, uint lang = 0) { return GetInfoString("LegalCopyright", v, lang); }
    bool GetOriginalFilename(char const *&v, uint lang = 0) { return GetInfoString("OriginalFilename", v, lang); }
    bool GetProductName(char const *&v, uint lang = 0) { return GetInfoString("ProductName", v, lang); }
    bool GetProductVersion(char const *&v, uint lang = 0) { return GetInfoString("ProductVersion", v, lang); }
    bool GetSpecialBuild(char const *&v, uint lang = 0) { return GetInfoString("SpecialBuild", v, lang); }

    // An object left empty by a damaged resource reads as all zeros.
    VS_FIXEDFILEINFO const &GetFixedInfo() const { return FixedInfo ? *FixedInfo : NoFixedInfo; }
    bool HasData() const { return FixedInfo != 0; }
    uint32_t GetSignature() const { return GetFixedInfo().dwSignature; }
    uint32_t GetStrucVersion() const { return GetFixedInfo().dwStrucVersion; }
    uint32_t GetFileVersionMS() const { return GetFixedInfo().dwFileVersionMS; }
    uint32_t GetFileVersionLS() const { return GetFixedInfo().dwFileVersionLS; }
    uint32_t GetProductVersionMS() const { return GetFixedInfo().dwProductVersionMS; }
    uint32_t GetProductVersionLS() const { return GetFixedInfo().dwProductVersionLS; }
    uint32_t GetFileFlagsMask() const { return GetFixedInfo().dwFileFlagsMask; }
    uint32_t GetFileFlags() const { return GetFixedInfo().dwFileFlags; }
    uint32_t GetFileOS() const { return GetFixedInfo().dwFileOS; }
    uint32_t GetFileType() const { return GetFixedInfo().dwFileType; }
    uint32_t GetFileSubType() const;
    FILETIME GetFileDate() const;
    bool IsFileFlagSet(uint32_t flag) const { return (GetFileFlagsMask() & flag) && (GetFileFlags() & flag); }
    bool IsDebug() const { return IsFileFlagSet(VS_FF_DEBUG); }
    bool IsPreRelease() const { return IsFileFlagSet(VS_FF_PRERELEASE); }
    bool IsPatched() const { return IsFileFlagSet(VS_FF_PATCHED); }
    bool IsPrivateBuild() const { return IsFileFlagSet(VS_FF_PRIVATEBUILD); }
    bool InfoInferred() const { return IsFileFlagSet(VS_FF_INFOINFERRED); }
    bool IsSpecialBuild() const { return IsFileFlagSet(VS_FF_SPECIALBUILD); }

    uint32_t GetLanguage() const { return Language; }
    String GetLanguageName() const { return HasData() ? GetLanguageName(Language) : String(); }
    static String GetLanguageName(uint language);

protected:
    bool Init(char const *fileName);

private:
    void *Buff;
    uint32_t Language;  // language identifier in the high word, code page in the low word
    VS_FIXEDFILEINFO *FixedInfo;
    static VS_FIXEDFILEINFO const NoFixedInfo;
};
