// One open key of the registry with typed getters that fall back to defaults and
// setters that report success. Every copy owns a handle of its own.
#pragma once

#include "core/VeltraneDefs.h"

#include <windows.h>

class VELTRANE_API TKey {
public:
    TKey(HKEY parent, char const *subKey, int create);
    TKey(TKey const &other);
    TKey &operator=(TKey const &other);
    ~TKey();

    HKEY GetHKey() const { return Key; }
    operator HKEY() const { return Key; }
    void Close();

    int DeleteSubKey(char const *name);
    int DeleteValue(char *name);
    // Bytes read, or size after copying the default, or 0 without one.
    int GetBinary(void *dst, int size, void const *def, char const *name);
    unsigned GetInt(unsigned def, char const *name);
    // 1 with the value or the default in dst, 0 (dst empty) without either;
    // dst is always terminated.
    int GetString(char *dst, int size, char const *def, char const *name);
    int SetBinary(void const *data, int size, char const *name);
    int SetInt(unsigned value, char const *name);
    int SetString(char const *text, char const *name);

private:
    static HKEY Duplicate(HKEY key);
    HKEY Key;
};
