#include "foundation/MessageCatalogue.h"
#include "foundation/Strings.h"
#include "foundation/Thread.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string Text(SubString s) { return String(std::move(s)).c_str(); }

TEST(Catalogue, BuiltInTableWithoutLanguageModule) {
    EXPECT_EQ("File error", Text(FindString(18012u)));
    EXPECT_EQ("", Text(FindString(17999u)));
    EXPECT_EQ("", Text(FindString(18027u)));
    EXPECT_EQ("%s\nAn error occurred. This file could not be opened.", Text(FindString(18000u)));
    EXPECT_EQ("File error caused by lack of space in the virtual memory file. Please increase the size of the "
              "virtual memory file in the Windows' Control Panel (Virtual Memory settings).",
              Text(FindString(18026u)));
    EXPECT_EQ("There is not enough disk space on partition D:.", Text(BuildString(18019, "D:")));
    EXPECT_EQ("", Text(BuildString(17999, "D:")));

    char buffer[CatalogueBufferSize];
    EXPECT_EQ(buffer, FindString(buffer, 18008u));
    EXPECT_STREQ("Invalid directory name.", buffer);
    EXPECT_STREQ("There is not enough disk space on partition E:.", BuildString(buffer, 18019, "E:"));
    EXPECT_STREQ("", BuildString(buffer, 1, "E:"));

    // A long argument is not cut at the load buffer's size.
    std::string longName(3000, 'x');
    std::string built = Text(BuildString(18000, longName.c_str()));
    EXPECT_EQ(longName + "\nAn error occurred. This file could not be opened.", built);
    BuildString(buffer, 18000, longName.c_str());
    EXPECT_EQ(std::string::size_type(CatalogueBufferSize - 1), std::string(buffer).size());

    String *adopted = LoadAndAdoptString(18024);
    EXPECT_STREQ("This file is of the wrong type.", adopted->c_str());
    String *kept = adopted;
    AdoptString(kept, 18012);
    EXPECT_EQ(adopted, kept);
    String *fresh = nullptr;
    AdoptString(fresh, 18012);
    ASSERT_NE(nullptr, fresh);
    EXPECT_STREQ("File error", fresh->c_str());
    delete adopted;
    delete fresh;
}

// Asks for the same cached numbers as the others, many times.
class CacheReader : public Thread {
public:
    unsigned long MainLoop() override {
        for (int i = 0; i < 2000; ++i)
            seen[i % 4] = &FindCachedString(18020u + static_cast<unsigned>(i % 4));
        return 0;
    }
    String const *seen[4] = {};
};

TEST(Catalogue, CachedTextIsOneObjectForAllThreads) {
    String const &first = FindCachedString(18013u);
    EXPECT_EQ(&first, &FindCachedString(18013u));
    EXPECT_EQ(0, std::string(first.c_str()).find("The file could not be renamed."));
    CacheReader readers[4];
    for (CacheReader &r : readers)
        r.Run(&r);
    for (CacheReader &r : readers)
        r.WaitForEnd();
    for (int k = 0; k < 4; ++k) {
        String const *expected = &FindCachedString(18020u + static_cast<unsigned>(k));
        for (CacheReader &r : readers)
            EXPECT_EQ(expected, r.seen[k]) << "number " << 18020 + k;
    }
    EXPECT_STREQ("This file is of the wrong type.", FindCachedString(18024u).c_str());
}

std::string BesideTheTests(char const *name) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + name;
}

TEST(Catalogue, LanguageModuleAnswersOnceRegistered) {
    HMODULE language = LoadLibraryA(BesideTheTests("CatalogueTestLanguage.dll").c_str());
    ASSERT_NE(nullptr, language);
    // No module registered yet: even a named module's lookup uses the table.
    EXPECT_EQ("File error", Text(FindString(language, 18012u)));

    NotifyLocalizedStringDll(language);
    EXPECT_EQ("", Text(FindString(18012u))) << "missing from the module: the table is not consulted";
    EXPECT_EQ("Partition %s is full.", Text(FindString(18019u)));
    EXPECT_EQ("Partition D: is full.", Text(BuildString(18019, "D:")));
    EXPECT_EQ("Language module text", Text(FindString(language, 18100u)));
    char buffer[CatalogueBufferSize];
    EXPECT_STREQ("", FindString(buffer, 18000u));

    NotifyLocalizedStringDll(nullptr);
    EXPECT_EQ("File error", Text(FindString(18012u)));
    FreeLibrary(language);
}

}  // namespace
