// Loading the audio engine and the plug-in modules from a plug-in folder of the test's
// own: which modules are kept, in which form their names are bound, and what is said
// about a module that does not load.
#include "engine/AudioEngineEntries.h"
#include "engine/PlugInLoader.h"
#include "foundation/MessageCatalogue.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/engine/EngineTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace enginetest;

namespace {

std::string Plugins() { return apptest::ProgramFolder() + "\\system\\plugins\\"; }
std::string Fixtures() { return testsupport::ProgramFolder() + "\\engine-fixtures\\"; }

struct Placed {
    std::string from;  // a file of the build, or empty for a file that is no module
    char const *as;
};

std::vector<std::string> PlugInNames() {
    std::vector<std::string> names;
    for (PlugIn *p = ThePlugIns().GetFirst(); p; p = ThePlugIns().GetNext(p))
        names.push_back(p->name.c_str());
    return names;
}

HWND HandedWindow(char const *module) {
    typedef HWND(__cdecl * Probe)();
    HMODULE loaded = GetModuleHandleA(module);
    auto probe = loaded ? reinterpret_cast<Probe>(reinterpret_cast<void (*)()>(GetProcAddress(loaded, "ProbeHandedWindow")))
                        : nullptr;
    return probe ? probe() : nullptr;
}

TEST(PlugInLoading, TheFolderDecidesWhichModulesStay) {
    apptest::UseEnglishTexts();
    std::string const engine = Plugins() + "AudioEngine.dll";
    std::string const basic = Plugins() + "BasicPlugIns.dll";
    struct Case {
        char const *what;
        std::vector<Placed> files;
        int modules;
        std::vector<std::string> plugIns;
        char const *failedModule;  // named by the one report expected, or null
    } const cases[] = {
        {"no engine", {{basic, "BasicPlugIns.dll"}}, 0, {}, nullptr},
        {"the engine alone", {{engine, "AudioEngine.dll"}}, 1, {"Mono Mix"}, nullptr},
        // One file of the disk holds the engine's name in any case; the scan skips it.
        {"the engine named in capitals", {{engine, "AUDIOENGINE.DLL"}}, 1, {"Mono Mix"}, nullptr},
        {"a module of underscore names is taken",
         {{engine, "AudioEngine.dll"}, {Fixtures() + "UnderscorePlugIn.dll", "UnderscorePlugIn.dll"}},
         2,
         {"Mono Mix", "Underscore Probe"},
         nullptr},
        {"another version is freed",
         {{engine, "AudioEngine.dll"}, {Fixtures() + "OldPlugIn.dll", "OldPlugIn.dll"}},
         1,
         {"Mono Mix"},
         nullptr},
        {"a damaged module is reported and the scan goes on",
         {{engine, "AudioEngine.dll"}, {"", "A_Damaged.dll"}, {basic, "BasicPlugIns.dll"}},
         2,
         {"Mono Mix", "Gain", "Phase Invert", "Delay Line"},
         "A_Damaged.dll"},
    };
    for (Case const &c : cases) {
        testsupport::TempDir root;
        std::string folder = root.Path() + "\\system\\plugins\\";
        CreateDirectoryA((root.Path() + "\\system").c_str(), nullptr);
        CreateDirectoryA(folder.c_str(), nullptr);
        for (Placed const &file : c.files) {
            if (!file.from.empty())
                ASSERT_TRUE(CopyFileA(file.from.c_str(), (folder + file.as).c_str(), FALSE)) << c.what << " " << file.as;
            else
                testsupport::WriteBytes(folder + file.as, std::string(4096, 'M'));
        }
        MainWindowStandIn main;
        SetPlugInRoot(String(root.Path().c_str()));
        LoadPlugIns();
        LoadPlugIns();  // nothing more while it is loaded
        SetPlugInApplicationWindow(main.window);
        main.PumpUntil([] { return false; }, 50);
        EXPECT_EQ(c.modules, ThePlugInModules().GetCount()) << c.what;
        EXPECT_EQ(c.plugIns, PlugInNames()) << c.what;
        PlugInDLL *last = ThePlugInModules().GetLast();
        if (c.plugIns.size() > 1 && c.plugIns[1] == "Underscore Probe") {
            EXPECT_EQ(1, last->underscore) << c.what;
            EXPECT_EQ(main.window, HandedWindow("UnderscorePlugIn.dll")) << "bound in the underscore form";
        }
        EXPECT_FALSE(GetModuleHandleA("OldPlugIn.dll")) << c.what;
        std::vector<std::string> expected;
        if (c.failedModule)
            expected.push_back(BuildString(19021, c.failedModule).c_str());
        EXPECT_EQ(expected, main.failures) << c.what;
        UnloadPlugIns();
        EXPECT_FALSE(GetModuleHandleA("AudioEngine.dll")) << c.what;
        EXPECT_EQ(0, ThePlugInModules().GetCount()) << c.what;
        SetPlugInRoot(String());
    }
}

}  // namespace
