#include "manager/Registry.h"

#include "manager/DocumentManager.h"

#include <vector>

char const *_alternateCompany = 0;
char const *_alternateSoftware = 0;

namespace {

REGSAM const Access = KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE;

HKEY CreateKey(HKEY parent, char const *name) {
    HKEY key = 0;
    DWORD disposition;
    if (!parent || ::RegCreateKeyExA(parent, name, 0, 0, 0, Access, 0, &key, &disposition) != ERROR_SUCCESS)
        return 0;
    return key;
}

// Closes the section key when it goes.
struct TSection {
    explicit TSection(char const *section) : Key(GetSectionKey(section)) {}
    ~TSection() {
        if (Key)
            ::RegCloseKey(Key);
    }
    HKEY Key;
};

}  // namespace

HKEY GetRegistryBaseKey() {
    HKEY software = 0;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, Access, &software) != ERROR_SUCCESS)
        return 0;
    char const *company = _alternateCompany ? _alternateCompany : DocumentManager::_companyName.c_str();
    char const *app = _alternateSoftware ? _alternateSoftware : DocumentManager::_appInternalName.c_str();
    HKEY companyKey = CreateKey(software, company);
    ::RegCloseKey(software);
    HKEY appKey = CreateKey(companyKey, app);
    if (companyKey)
        ::RegCloseKey(companyKey);
    return appKey;
}

HKEY GetSectionKey(char const *section) {
    HKEY base = GetRegistryBaseKey();
    HKEY key = CreateKey(base, section);
    if (base)
        ::RegCloseKey(base);
    return key;
}

String GetRegistryString(char const *section, char const *name, char const *def) {
    TSection s(section);
    DWORD type, size = 0;
    if (!s.Key || ::RegQueryValueExA(s.Key, name, 0, &type, 0, &size) != ERROR_SUCCESS)
        return String(def);
    std::vector<char> buffer(size + 1, 0);
    if (::RegQueryValueExA(s.Key, name, 0, &type, (BYTE *)buffer.data(), &size) != ERROR_SUCCESS)
        return String(def);
    return String(buffer.data());  // terminated even when the stored text is not
}

void SetRegistryString(char const *section, char const *name, char const *text) {
    TSection s(section);
    if (s.Key && text)
        ::RegSetValueExA(s.Key, name, 0, REG_SZ, (BYTE const *)text, DWORD(strlen(text) + 1));
}

void GetRegistryBin(char const *section, char const *name, void *buffer, int size) {
    TSection s(section);
    DWORD type, stored = 0;
    if (!s.Key || size <= 0 || ::RegQueryValueExA(s.Key, name, 0, &type, 0, &stored) != ERROR_SUCCESS ||
        stored > DWORD(size))
        return;
    ::RegQueryValueExA(s.Key, name, 0, &type, (BYTE *)buffer, &stored);
}

void SetRegistryBin(char const *section, char const *name, void const *data, int size) {
    TSection s(section);
    if (s.Key)
        ::RegSetValueExA(s.Key, name, 0, REG_BINARY, (BYTE const *)data, DWORD(size));
}

long GetRegistryInt(char const *section, char const *name, long def) {
    TSection s(section);
    long value = def;
    DWORD type, size = sizeof value;
    if (s.Key && (::RegQueryValueExA(s.Key, name, 0, &type, (BYTE *)&value, &size) != ERROR_SUCCESS ||
                  size != sizeof value))
        value = def;
    return value;
}

void SetRegistryInt(char const *section, char const *name, long value) {
    TSection s(section);
    if (s.Key)
        ::RegSetValueExA(s.Key, name, 0, REG_DWORD, (BYTE const *)&value, sizeof value);
}

int IsWin95() {
    static int const win95 = [] {
        DWORD v = ::GetVersion();
        return (v & 0xFF) > 3 ? 1 : 0;
    }();
    return win95;
}
