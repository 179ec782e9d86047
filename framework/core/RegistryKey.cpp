#include "core/RegistryKey.h"

#include <cstring>

namespace {
REGSAM const Access = KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE;  // 0x2001F
}

TKey::TKey(HKEY parent, char const *subKey, int create) : Key(0) {
    LONG result;
    if (create) {
        DWORD disposition;
        result = ::RegCreateKeyExA(parent, subKey, 0, 0, 0, Access, 0, &Key, &disposition);
    } else {
        result = ::RegOpenKeyExA(parent, subKey, 0, Access, &Key);
    }
    if (result != ERROR_SUCCESS)
        Key = 0;
}

HKEY TKey::Duplicate(HKEY key) {
    HKEY copy = 0;
    if (key && ::RegOpenKeyExA(key, 0, 0, Access, &copy) != ERROR_SUCCESS)
        copy = 0;
    return copy;
}

TKey::TKey(TKey const &other) : Key(Duplicate(other.Key)) {}

TKey &TKey::operator=(TKey const &other) {
    if (this != &other) {
        HKEY copy = Duplicate(other.Key);
        Close();
        Key = copy;
    }
    return *this;
}

TKey::~TKey() { Close(); }

void TKey::Close() {
    if (Key) {
        ::RegCloseKey(Key);
        Key = 0;
    }
}

int TKey::DeleteSubKey(char const *name) { return Key && ::RegDeleteKeyA(Key, name) == ERROR_SUCCESS; }

int TKey::DeleteValue(char *name) { return Key && ::RegDeleteValueA(Key, name) == ERROR_SUCCESS; }

int TKey::GetBinary(void *dst, int size, void const *def, char const *name) {
    DWORD type, read = DWORD(size > 0 ? size : 0);
    if (Key && ::RegQueryValueExA(Key, name, 0, &type, (BYTE *)dst, &read) == ERROR_SUCCESS)
        return int(read);
    if (!def)
        return 0;
    std::memcpy(dst, def, size);
    return size;
}

unsigned TKey::GetInt(unsigned def, char const *name) {
    unsigned value;
    DWORD type, size = sizeof value;
    if (Key && ::RegQueryValueExA(Key, name, 0, &type, (BYTE *)&value, &size) == ERROR_SUCCESS &&
        size == sizeof value)
        return value;
    return def;
}

int TKey::GetString(char *dst, int size, char const *def, char const *name) {
    if (size <= 0)
        return 0;
    DWORD type, read = DWORD(size);
    if (Key && ::RegQueryValueExA(Key, name, 0, &type, (BYTE *)dst, &read) == ERROR_SUCCESS) {
        dst[read < DWORD(size) ? read : size - 1] = 0;
        return 1;
    }
    if (!def) {
        dst[0] = 0;
        return 0;
    }
    std::strncpy(dst, def, size);
    dst[size - 1] = 0;
    return 1;
}

int TKey::SetBinary(void const *data, int size, char const *name) {
    return Key && ::RegSetValueExA(Key, name, 0, REG_BINARY, (BYTE const *)data, DWORD(size)) == ERROR_SUCCESS;
}

int TKey::SetInt(unsigned value, char const *name) {
    return Key && ::RegSetValueExA(Key, name, 0, REG_DWORD, (BYTE const *)&value, sizeof value) == ERROR_SUCCESS;
}

int TKey::SetString(char const *text, char const *name) {
    return Key && text &&
           ::RegSetValueExA(Key, name, 0, REG_SZ, (BYTE const *)text, DWORD(std::strlen(text) + 1)) == ERROR_SUCCESS;
}
