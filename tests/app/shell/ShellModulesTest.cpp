// The program's start-up and close-down as a whole, run from copies of the program folder:
// which modules it loads and unloads, in which order, what it says and how it ends.
#include <gtest/gtest.h>

#include <functional>

#include "tests/app/shell/ProgramCopy.h"

namespace {

using apptest::Only;
using apptest::ProgramCopy;
using apptest::RunningProgram;
using apptest::Trace;

// The modules and calls the tables below follow.
std::vector<std::string> const kWatched = {"+Pelrin", "-Pelrin", "+Dastrel", "-Dastrel", "+filter", "-filter",
                                           "+Torvask", "-Torvask", "+AudioEngine", "-AudioEngine", "-EnglishTs",
                                           "Brastow: CDR_"};

std::string Joined(Trace const &trace) {
    std::string text;
    for (std::string const &entry : trace)
        text += entry + " ";
    return text;
}

bool AnyContains(std::vector<std::string> const &texts, std::string const &part) {
    for (std::string const &text : texts)
        if (text.find(part) != std::string::npos)
            return true;
    return false;
}

TEST(TessaroModules, ACompleteInstallationLoadsAndUnloadsInOrderFromAnotherFolder) {
    ProgramCopy copy;
    RunningProgram tessaro(copy.Folder());
    ASSERT_TRUE(tessaro.Frame() != 0);
    EXPECT_EQ(0, tessaro.Close());
    EXPECT_TRUE(tessaro.Boxes().empty()) << tessaro.Boxes()[0];
    EXPECT_EQ("+Pelrin +Dastrel +filter Brastow: CDR_Init 0 +Torvask +AudioEngine "
              "-AudioEngine Brastow: CDR_Terminate -Torvask Brastow: CDR_End -EnglishTs -filter -Dastrel -Pelrin ",
              Joined(Only(tessaro.ReadTrace(), kWatched)));
}

// A processing module that is missing, broken or short of an entry point stops the start
// before the application; what was loaded goes again.
struct BrokenModule {
    char const *what;
    std::function<void(ProgramCopy const &)> arrange;
    long exitCode;
    std::vector<std::string> boxSays;  // parts of the one box
    char const *trace;
};

TEST(TessaroModules, ABrokenProcessingModuleEndsTheStartAndReleasesWhatWasLoaded) {
    BrokenModule const cases[] = {
        {"no Pelrin", [](ProgramCopy const &c) { c.Remove("system\\Pelrin.dll"); }, -1, {"Pelrin.dll"}, ""},
        {"garbage filter",
         [](ProgramCopy const &c) { c.Write("system\\filter.dll", std::string(4096, 'x')); },
         -1,
         {"filter.dll"},
         "+Pelrin +Dastrel -Dastrel -Pelrin "},
        {"Dastrel without its size entry",
         [](ProgramCopy const &c) { c.ReplaceWithTestFile("system\\Dastrel.dll", "DastrelWithoutSize.dll"); },
         1,
         {"Dastrel", "_TCExpectedSize"},
         "+Pelrin +Dastrel -Dastrel -Pelrin "},
        {"filter without its entry",
         [](ProgramCopy const &c) { c.ReplaceWithTestFile("system\\filter.dll", "FilterWithoutEntry.dll"); },
         1,
         {"filter", "_StartFilter"},
         "+Pelrin +Dastrel +filter -filter -Dastrel -Pelrin "},
    };
    for (BrokenModule const &broken : cases) {
        SCOPED_TRACE(broken.what);
        ProgramCopy copy;
        broken.arrange(copy);
        RunningProgram tessaro(copy.Folder());
        ASSERT_TRUE(tessaro.Started());
        EXPECT_EQ(broken.exitCode, tessaro.Wait());
        EXPECT_TRUE(tessaro.Frame() == 0);
        ASSERT_EQ(1u, tessaro.Boxes().size()) << Joined(tessaro.Boxes());
        for (std::string const &part : broken.boxSays)
            EXPECT_NE(std::string::npos, tessaro.Boxes()[0].find(part)) << tessaro.Boxes()[0];
        Trace trace = Only(tessaro.ReadTrace(), kWatched);
        EXPECT_EQ(broken.trace, Joined(trace));
    }
}

// The CD library may refuse to start and the sampler link may be no library: the program
// runs all the same and still ends the CD library.
TEST(TessaroModules, ARefusingCdLibraryAndABrokenSamplerLinkLeaveAWorkingProgram) {
    ProgramCopy copy;
    copy.Write("Brastow.ini", "[Brastow]\r\nRefuse=1\r\n");
    copy.Write("system\\Torvask.dll", std::string(4096, 'x'));
    RunningProgram tessaro(copy.Folder());
    ASSERT_TRUE(tessaro.Frame() != 0);
    EXPECT_EQ(0, tessaro.Close());
    EXPECT_TRUE(tessaro.Boxes().empty()) << Joined(tessaro.Boxes());
    EXPECT_EQ("+Pelrin +Dastrel +filter Brastow: CDR_Init 19 +AudioEngine -AudioEngine Brastow: CDR_Terminate "
              "Brastow: CDR_End -EnglishTs -filter -Dastrel -Pelrin ",
              Joined(Only(tessaro.ReadTrace(), kWatched)));
}

// The settings file: missing, it is written at close; unreadable, the user is warned and
// the program runs on its defaults; values out of their range are held to it.
TEST(TessaroSettings, MissingUnreadableAndOutOfRangeSettingsStillStartTheProgram) {
    {
        ProgramCopy copy;
        RunningProgram tessaro(copy.Folder());
        ASSERT_TRUE(tessaro.Frame() != 0);
        EXPECT_EQ(0, tessaro.Close());
        EXPECT_TRUE(tessaro.Boxes().empty()) << Joined(tessaro.Boxes());
        std::string saved = testsupport::ReadBytes(copy.File("system\\main.set"));
        for (char const *part : {"NRun=1", "Misc", "FlickerFree=1", "MasterSection", "AEngine=", "FileCache",
                                 "CSize=", "Player", "Frame Window", "MS_mess=0"})
            EXPECT_NE(std::string::npos, saved.find(part)) << part << "\n" << saved;
    }
    {
        ProgramCopy copy;
        copy.Write("system\\main.set", "Main\r\n{\r\n\tTessaro\r\n\t{\r\n\t\tNRun=4\r\n\t}\r\n}\r\n");
        HANDLE locked = CreateFileA(copy.File("system\\main.set").c_str(), GENERIC_READ | GENERIC_WRITE, 0, 0,
                                    OPEN_EXISTING, 0, 0);
        RunningProgram tessaro(copy.Folder());
        std::vector<std::string> boxes = tessaro.AnswerBoxes();
        CloseHandle(locked);
        ASSERT_EQ(1u, boxes.size()) << Joined(boxes);
        EXPECT_NE(std::string::npos, boxes[0].find("main.set")) << boxes[0];
        EXPECT_EQ(0, tessaro.Close()) << Joined(tessaro.Boxes());
    }
    {
        ProgramCopy copy;
        copy.Write("system\\main.set", "Main\r\n{\r\nTessaro\r\n{\r\n\tNRun=-3\r\n\tMS_mess=9\r\n\tMisc\r\n\t{\r\n"
                                       "\t\tFlickerFree=5\r\n\t\tDropMrk=x\r\n\t}\r\n\tMasterSection\r\n\t{\r\n"
                                       "\t\tAEngine=7\r\n\t\tX=999999\r\n\t}\r\n\tFileCache\r\n\t{\r\n"
                                       "\t\tCSize=-5\r\n\t\tMode=12\r\n\t}\r\n}\r\n}\r\n@@@ garbage {{{\r\n");
        RunningProgram tessaro(copy.Folder());
        ASSERT_TRUE(tessaro.Frame() != 0);
        EXPECT_EQ(0, tessaro.Close());
        EXPECT_TRUE(tessaro.Boxes().empty()) << Joined(tessaro.Boxes());
        std::string saved = testsupport::ReadBytes(copy.File("system\\main.set"));
        for (char const *part : {"NRun=1", "MS_mess=1", "FlickerFree=1", "DropMrk=0", "AEngine=1",
                                 "CSize=262144", "Mode=2"})
            EXPECT_NE(std::string::npos, saved.find(part)) << part << "\n" << saved;
    }
}

}  // namespace
