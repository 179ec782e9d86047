// The registry key wrapper and the per-user value helpers, under throw-away keys.
#include "manager/Registry.h"
#include "core/RegistryKey.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string UniqueName(char const *stem) { return std::string(stem) + std::to_string(::GetCurrentProcessId()); }

// Deletes a key and everything below it.
void DeleteTree(HKEY parent, char const *name) {
    HKEY key;
    if (::RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char sub[256];
    while (::RegEnumKeyA(key, 0, sub, sizeof sub) == ERROR_SUCCESS)
        DeleteTree(key, sub);
    ::RegCloseKey(key);
    ::RegDeleteKeyA(parent, name);
}

bool Exists(char const *path) {
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

}  // namespace

TEST(TKey, RoundTripsAndDefaults) {
    std::string path = "Software\\" + UniqueName("TessaroKeyTest");
    {
        TKey key(HKEY_CURRENT_USER, path.c_str(), 1);
        ASSERT_TRUE(key.GetHKey());
        EXPECT_EQ(1, key.SetInt(0xDEADBEEF, "Int"));
        EXPECT_EQ(1, key.SetString("hello", "Text"));
        unsigned char bytes[5] = {1, 2, 3, 4, 5};
        EXPECT_EQ(1, key.SetBinary(bytes, 5, "Bin"));

        EXPECT_EQ(0xDEADBEEFu, key.GetInt(7, "Int"));
        EXPECT_EQ(7u, key.GetInt(7, "Missing"));

        char text[16];
        EXPECT_EQ(1, key.GetString(text, sizeof text, "def", "Text"));
        EXPECT_STREQ("hello", text);
        EXPECT_EQ(1, key.GetString(text, sizeof text, "def", "Missing"));
        EXPECT_STREQ("def", text);
        EXPECT_EQ(0, key.GetString(text, sizeof text, 0, "Missing"));
        EXPECT_STREQ("", text);
        // A default longer than the buffer is cut and still terminated.
        EXPECT_EQ(1, key.GetString(text, 4, "abcdefgh", "Missing"));
        EXPECT_STREQ("abc", text);

        unsigned char out[8] = {}, def[8] = {9, 9, 9, 9, 9, 9, 9, 9};
        EXPECT_EQ(5, key.GetBinary(out, sizeof out, def, "Bin"));
        EXPECT_EQ(0, std::memcmp(out, bytes, 5));
        unsigned char exact[3] = {};
        EXPECT_EQ(3, key.GetBinary(exact, 3, def, "Missing"));  // exactly size bytes of the default
        EXPECT_EQ(9, exact[2]);
        EXPECT_EQ(0, key.GetBinary(exact, 3, 0, "Missing"));

        // Copies own their handles: each closes its own.
        TKey copy(key);
        TKey assigned(HKEY_CURRENT_USER, "Software", 0);
        assigned = key;
        EXPECT_NE(copy.GetHKey(), key.GetHKey());
        EXPECT_NE(assigned.GetHKey(), key.GetHKey());
        key.Close();
        EXPECT_EQ(0xDEADBEEFu, copy.GetInt(0, "Int"));
        EXPECT_EQ(0xDEADBEEFu, assigned.GetInt(0, "Int"));

        char name[] = "Int";
        EXPECT_EQ(1, copy.DeleteValue(name));
        EXPECT_EQ(0, copy.DeleteValue(name));
        EXPECT_EQ(3u, copy.GetInt(3, "Int"));
        EXPECT_EQ(0, key.SetInt(1, "Int"));  // a closed key refuses
    }
    {
        TKey missing(HKEY_CURRENT_USER, (path + "\\Nothing").c_str(), 0);
        EXPECT_FALSE(missing.GetHKey());
        EXPECT_EQ(5u, missing.GetInt(5, "Int"));
        EXPECT_EQ(0, missing.SetString("x", "Text"));
        EXPECT_EQ(0, missing.DeleteSubKey("x"));
    }
    DeleteTree(HKEY_CURRENT_USER, path.c_str());
    EXPECT_FALSE(Exists(path.c_str()));
}

TEST(RegistryHelpers, ValuesLiveUnderCompanyApplicationAndSection) {
    std::string company = UniqueName("TessaroCompanyTest");
    _alternateCompany = company.c_str();
    _alternateSoftware = "Editor";
    std::string base = "Software\\" + company;

    EXPECT_EQ(9, GetRegistryInt("General", "Language", 9));  // fresh user: the default
    EXPECT_TRUE(Exists((base + "\\Editor\\General").c_str()));

    SetRegistryInt("General", "Language", 12);
    EXPECT_EQ(12, GetRegistryInt("General", "Language", 9));
    SetRegistryString("General", "Name", "Tessaro");
    EXPECT_STREQ("Tessaro", GetRegistryString("General", "Name", "x").c_str());
    EXPECT_STREQ("x", GetRegistryString("General", "Missing", "x").c_str());

    char block[6] = "abcde";
    SetRegistryBin("General", "Block", block, 6);
    char small[4] = "zzz", big[8] = "";
    GetRegistryBin("General", "Block", small, sizeof small);  // too small: untouched
    EXPECT_STREQ("zzz", small);
    GetRegistryBin("General", "Block", big, sizeof big);
    EXPECT_STREQ("abcde", big);

    HKEY key = GetRegistryBaseKey();
    ASSERT_TRUE(key);
    ::RegCloseKey(key);

    _alternateCompany = 0;
    _alternateSoftware = 0;
    DeleteTree(HKEY_CURRENT_USER, base.c_str());
    EXPECT_FALSE(Exists(base.c_str()));
    EXPECT_EQ(IsWin95(), IsWin95());
}
