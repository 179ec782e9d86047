// The preferences dialog: OK without changes after visiting every page leaves every setting
// as it was; each control's change lands in its setting; the value rules; a refused OK
// changes nothing, the registry included; Cancel's repair of the temporary folder; the
// tool bar page acting at once; the steps after closing; the place and page kept.
#include "shell/PreferencesDialog.h"

#include "audio/AudioFileSettings.h"
#include "audio/TimeSettings.h"
#include "audio/Wave.h"
#include "audio/WaveSettings.h"
#include "cd/CdSettings.h"
#include "controls/PopupSlider.h"
#include "core/MessageBoxSeam.h"
#include "database/DatabaseSettings.h"
#include "engine/PlayerSettings.h"
#include "foundation/Config.h"
#include "foundation/FileCache.h"
#include "manager/Registry.h"
#include "shell/PreferenceValues.h"
#include "shell/ShellSettings.h"
#include "shell/WFrameWindow.h"
#include "shell/WaveMDIClient.h"
#include "shell/WaveStatusBar.h"
#include "tests/app/shell/AnalysisTestKit.h"
#include "tests/app/waveview/WaveWindowTestKit.h"
#include "tests/support/TestSupport.h"
#include "waveview/DoubleView.h"
#include "waveview/LevelFormat.h"
#include "waveview/WaveView.h"
#include "waveview/WaveWindowSettings.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

using namespace analysistest;
using testsupport::TextOf;

namespace {

// Every setting the pages edit, kept to be put back after a test.
struct AllSettings {
    PlayerSettings player = ThePlayerSettings();
    WaveSettings wave = TheWaveSettings();
    AudioFileSettings files = TheAudioFileSettings();
    FileCacheSettings cache = TheFileCacheSettings();
    ShellSettings shell = TheShellSettings();
    WaveWindowSettings windows = TheWaveWindowSettings();
    TimeSettings time = TheTimeSettings();
    int levelUnit = GetLevelDialUnit();
    DatabaseSettings database = TheDatabaseSettings();
    CdSettings cd = TheCdSettings();
    int horizontalSliders = PopupSlider::_horizontal;
    int colorCursors = DocumentManager::UseColorCursors();
    int language = DocumentManager::GetLanguage();
    long logoKey = GetRegistryInt("General", "Logo", 1);
    long languageKey = GetRegistryInt("General", "Language", 9);

    void Restore() const {
        ThePlayerSettings() = player;
        TheWaveSettings() = wave;
        TheAudioFileSettings() = files;
        TheFileCacheSettings() = cache;
        TheShellSettings() = shell;
        TheWaveWindowSettings() = windows;
        TheTimeSettings() = time;
        SetLevelDialUnit(levelUnit);
        TheDatabaseSettings() = database;
        TheCdSettings() = cd;
        PopupSlider::_horizontal = horizontalSliders;
        DocumentManager::UseColorCursors(colorCursors);
        DocumentManager::SetLanguage(language);
        SetRegistryInt("General", "Logo", logoKey);
        SetRegistryInt("General", "Language", languageKey);
    }
};

std::string TempFolder() {
    char path[MAX_PATH];
    DWORD n = ::GetTempPathA(MAX_PATH, path);
    if (n > 3 && path[n - 1] == '\\')
        path[n - 1] = 0;
    return path;
}

// In-range values other than the defaults for every setting of the ten pages.
void SetEveryValueOffDefault(DocumentManager &manager, WFrameWindow &frame) {
    manager.SetAutoSavePref(0);
    manager.SetAutoSaveLayout(0);
    manager.SetLogo(0);
    DocumentManager::SetLanguage(12);
    PlayerSettings &p = ThePlayerSettings();
    p.outDevice = ::waveOutGetNumDevs() ? 0 : PlayerSettings::kWaveMapper;
    p.inDevice = ::waveInGetNumDevs() ? 0 : PlayerSettings::kWaveMapper;
    p.outBufferSize = 24576, p.outBufferCount = 6, p.inBufferSize = 32768, p.inBufferCount = 8;
    p.playbackBits = 24, p.maxDropOut = 50, p.stopOnDrop = 0, p.timedPosition = 0;
    frame.SetShowTips(0);
    frame.SetMouseWindow(0);
    WaveSettings &w = TheWaveSettings();
    w.snapHZoom = 0, w.leftSlope = 2, w.rightSlope = 0, w.scanRange = 120, w.undoLimit = 1000;
    w.selLevelShift = 0, w.openDualMono = 0;
    PopupSlider::_horizontal = 1;
    DocumentManager::UseColorCursors(!DocumentManager::UseColorCursors());
    AudioFileSettings &f = TheAudioFileSettings();
    f.s8AudioFile = 1, f.tempFileRes = 24, f.tempDir = FileName(TempFolder().c_str());
    TheFileCacheSettings().mode = 2;
    TheFileCacheSettings().hugeSize = 30 * preferences::kMiB;
    ShellSettings &s = TheShellSettings();
    s.cacheBytes = 2 * preferences::kMiB, s.flickerFree = 0, s.dropMarkers = 1;
    WaveWindowSettings &v = TheWaveWindowSettings();
    v.openOverView = 0, v.openOverView2 = 1, v.autoZoom = 0, v.openSeconds = 25;
    TimeSettings &t = TheTimeSettings();
    t.dialUnit = 2, t.framesPerSecond = 29.97, t.tempo = 96500, t.beatMeasure = 3, t.beatWholeNote = 8, t.ticks = 960;
    SetLevelDialUnit(1);
    DatabaseSettings &d = TheDatabaseSettings();
    d.warnDel = 0, d.floppy = 1, d.fl1 = -1, d.fl2 = 3, d.listMaxSize = 500, d.beepListLim = 1, d.messListLim = 0;
    CdSettings &c = TheCdSettings();
    c.defPause = 225, c.preRoll = 5, c.numBuf = 64, c.framesInBuf = 26, c.isrc = "DEA123456789", c.playMS = 1;
}

// The groups the pages edit, written by their owners, and the frame's values, as text.
std::string SavedSettings(DocumentManager &manager, WFrameWindow &frame) {
    std::string const path = testsupport::ProgramFolder() + "\\system\\preferences-test.set";
    {
        Config file("main");
        file.MoveDown("General");
        file.SetValue(manager.GetAutoSavePref(), "AutoSavePref");
        file.SetValue(manager.GetAutoSaveLayout(), "AutoSaveLayout");
        file.SetValue(DocumentManager::UseColorCursors(), "ColorCursor");
        file.SetValue(manager.GetLogo(), "Logo");
        file.SetValue(DocumentManager::GetLanguage(), "Language");
        file.MoveUp();
        file.MoveDown("Frame");
        file.SetValue(frame.GetShowTips(), "ShowTips");
        file.SetValue(frame.GetButtonSize(), "ButSize");
        file.SetValue(frame.IsMouseWindow(), "MouseWindow");
        file.MoveUp();
        SaveShellGroups(file);
        for (auto save : {SavePlayerSettings, Wave::SavePrefs, SaveAudioFileSettings, SaveWaveDoubleViewSettings,
                          SaveTimeScaleDefaults, SaveLevelScaleDialUnit, SaveDatabaseSettings, SaveCdSettings,
                          SaveCdPlaySettings, PopupSlider::SavePref})
            save(file);
        file.Save(FileName(path.c_str()));
    }
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    ::DeleteFileA(path.c_str());
    return text.str();
}

// The test's answer in place of the modal run: the dialog is made, the answer acts on it
// and says how it closed.
std::function<int(PrefPropertyDialog &)> _answer;

int Answer(PrefPropertyDialog &dialog) {
    EXPECT_TRUE(dialog.Create());
    analysistest::Pump();
    int result = _answer(dialog);
    if (dialog.GetHandle())
        dialog.Destroy(IDCANCEL);  // the answer left it open
    return result;
}

std::string _box;  // the text of the last message box

int AnswerBox(HWND, char const *text, char const *, unsigned) {
    _box = text;
    return IDOK;
}

class Preferences : public ::testing::Test {
protected:
    void SetUp() override {
        client = new WaveMDIClient;
        frame.reset(new FrameScope(client, true));
        previousRunner = SetPreferencesRunner(&Answer);
        previousBox = SetMessageBoxAnswerer(&AnswerBox);
        _box.clear();
        // a usable temporary folder and a cache to resize, as after a start
        TheAudioFileSettings().tempDir = FileName(TempFolder().c_str());
        TheShellSettings().cacheBytes = SizeFileCache(preferences::kMiB);
    }
    void TearDown() override {
        SetPreferencesRunner(previousRunner);
        SetMessageBoxAnswerer(previousBox);
        _answer = nullptr;
        frame.reset();
        DeleteFileCache();
        kept.Restore();
    }

    DocumentManager &App() { return frame->App(); }
    WFrameWindow &Frame() { return *TheMainFrame(); }
    // Runs command 380 with the answer.
    int Run(std::function<int(PrefPropertyDialog &)> answer) {
        _answer = answer;
        return OpenPreferences(App());
    }

    static HWND Item(PrefPropertyDialog &d, int page, int id) {
        return ::GetDlgItem(d.GetPageRef(page)->GetHandle(), id);
    }
    static void Click(PrefPropertyDialog &d, int page, int id) { ::SendMessageA(Item(d, page, id), BM_CLICK, 0, 0); }
    static void Type(PrefPropertyDialog &d, int page, int id, char const *text) {
        ::SetWindowTextA(Item(d, page, id), text);
    }
    static bool Checked(PrefPropertyDialog &d, int page, int id) {
        return ::SendMessageA(Item(d, page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    // Sends the button's command; the command when the dialog closed, else 0.
    static int Press(PrefPropertyDialog &d, int command) {
        d.SendMessageA(WM_COMMAND, command, 0);
        analysistest::Pump();
        return d.GetHandle() ? 0 : command;
    }

    AllSettings const kept;
    WaveMDIClient *client;  // the frame's, which deletes it
    std::unique_ptr<FrameScope> frame;
    PreferencesRunner previousRunner;
    TMessageBoxAnswerer previousBox;
};

}  // namespace

TEST_F(Preferences, OkAfterVisitingEveryPageLeavesEverySettingAsItWas) {
    SetEveryValueOffDefault(App(), Frame());
    std::string const before = SavedSettings(App(), Frame());
    EXPECT_EQ(IDOK, Run([&](PrefPropertyDialog &d) {
                  EXPECT_EQ(10, d.GetEntryCount());
                  for (int page = 0; page < d.GetEntryCount(); ++page) {
                      d.SelectTab(page);
                      analysistest::Pump();
                  }
                  EXPECT_EQ("", TextOf(Item(d, PrefPropertyDialog::kDatabase, DatabasePage::kFirstDrive)))
                      << "no first floppy drive";
                  EXPECT_TRUE(Checked(d, PrefPropertyDialog::kEditing, EditingPage::kUnlimitedUndo));
                  EXPECT_TRUE(Checked(d, PrefPropertyDialog::kTimeScale, 122)) << "29.97 frames";
                  EXPECT_EQ("3/8", TextOf(Item(d, PrefPropertyDialog::kTimeScale, TimeScalePage::kSignature)));
                  EXPECT_EQ("00:03.00", TextOf(Item(d, PrefPropertyDialog::kCdr, CdrPage::kPause)));
                  return Press(d, IDOK);
              }));
    EXPECT_EQ(before, SavedSettings(App(), Frame()));
}

// Each row changes one control; OK puts the value in its setting.
TEST_F(Preferences, EachControlLandsInItsSetting) {
    using P = PrefPropertyDialog;
    struct Row {
        char const *what;
        std::function<void(PrefPropertyDialog &)> change;
        std::function<long()> setting;
        long expected;
    };
    auto click = [](int page, int id) { return [=](PrefPropertyDialog &d) { Click(d, page, id); }; };
    auto type = [](int page, int id, char const *text) {
        return [=](PrefPropertyDialog &d) { Type(d, page, id, text); };
    };
    Row const rows[] = {
        {"AutoSavePref", click(P::kGeneral, GeneralPage::kAutoSavePref), [&] { return long(App().GetAutoSavePref()); },
         0},
        {"AutoSaveLayout", click(P::kGeneral, GeneralPage::kAutoSaveLayout),
         [&] { return long(App().GetAutoSaveLayout()); }, 0},
        {"Logo, in the registry at once", click(P::kGeneral, GeneralPage::kLogo),
         [] { return GetRegistryInt("General", "Logo", -1); }, 0},
        {"Language",
         [](PrefPropertyDialog &d) {
             ::SendMessageA(Item(d, P::kGeneral, GeneralPage::kLanguage), CB_SETCURSEL, 2, 0);
         },
         [] { return GetRegistryInt("General", "Language", -1) * 100 + DocumentManager::GetLanguage(); }, 707},
        {"SizeOutBuf down to 8 bytes", type(P::kAudioCard, AudioCardPage::kOutSize, "16389"),
         [] { return long(ThePlayerSettings().outBufferSize); }, 16384},
        {"SizeInBuf held to 65536", type(P::kAudioCard, AudioCardPage::kInSize, "99999"),
         [] { return long(ThePlayerSettings().inBufferSize); }, 65536},
        {"NumOutBuf", type(P::kAudioCard, AudioCardPage::kOutCount, "9"),
         [] { return long(ThePlayerSettings().outBufferCount); }, 9},
        {"NumInBuf held to 3", type(P::kAudioCard, AudioCardPage::kInCount, "1"),
         [] { return long(ThePlayerSettings().inBufferCount); }, 3},
        {"PlayBackRes", click(P::kAudioCard, AudioCardPage::kResolution + 2),
         [] { return long(ThePlayerSettings().playbackBits); }, 20},
        {"MaxDropOut", type(P::kAudioCard, AudioCardPage::kMaxDropOut, "77"),
         [] { return long(ThePlayerSettings().maxDropOut); }, 77},
        {"StopOnDrop", click(P::kAudioCard, AudioCardPage::kStopOnDrop),
         [] { return long(ThePlayerSettings().stopOnDrop); }, 0},
        {"PlayPos, shown the other way", click(P::kAudioCard, AudioCardPage::kDevicePosition),
         [] { return long(ThePlayerSettings().timedPosition); }, 0},
        {"ShowTips, and the frame's tips", click(P::kToolBar, ToolBarPage::kShowTips),
         [&] { return long(Frame().GetShowTips() + Frame().GetTooltip().AreTipsEnabled()); }, 0},
        {"HZoom", click(P::kEditing, EditingPage::kSnapZoom), [] { return long(TheWaveSettings().snapHZoom); }, 0},
        {"LeftSlope",
         [](PrefPropertyDialog &d) {
             ::SendMessageA(Item(d, P::kEditing, EditingPage::kLeftSlope), CB_SETCURSEL, 2, 0);
         },
         [] { return long(TheWaveSettings().leftSlope); }, 2},
        {"ScanRange", type(P::kEditing, EditingPage::kScanRange, "300 ms"),
         [] { return long(TheWaveSettings().scanRange); }, 300},
        {"UndoLimit 100000 saves as 1000", [](PrefPropertyDialog &) {},
         [] { return long(TheWaveSettings().undoLimit); }, 1000},
        {"UndoLimit counted",
         [](PrefPropertyDialog &d) {
             Click(d, P::kEditing, EditingPage::kUnlimitedUndo);
             Type(d, P::kEditing, EditingPage::kUndoLimit, "250");
         },
         [] { return long(TheWaveSettings().undoLimit); }, 250},
        {"HSlider", click(P::kEditing, EditingPage::kSliderOrientation + 1),
         [] { return long(PopupSlider::_horizontal); }, 1},
        {"SelLevelShift", click(P::kEditing, EditingPage::kSelLevelShift),
         [] { return long(TheWaveSettings().selLevelShift); }, 0},
        {"S8AudioFile", click(P::kFile, FilePage::kPadFiles), [] { return long(TheAudioFileSettings().s8AudioFile); },
         1},
        {"TempFileRes 24", click(P::kFile, FilePage::kTempFileRes),
         [] { return long(TheAudioFileSettings().tempFileRes); }, 24},
        {"OpenDualMono", click(P::kFile, FilePage::kDualMono), [] { return long(TheWaveSettings().openDualMono); }, 0},
        {"TempDir \"C\" is \"C:\"", type(P::kFile, FilePage::kFolder, "C"),
         [] { return long(TheAudioFileSettings().tempDir == FileName("C:")); }, 1},
        {"Mode", click(P::kFile, FilePage::kCacheMode + 2), [] { return long(TheFileCacheSettings().mode); }, 0},
        {"HSize held to 400 MiB", type(P::kFile, FilePage::kHugeSize, "500"),
         [] { return long(TheFileCacheSettings().hugeSize / preferences::kMiB); }, 400},
        {"CSize 1.1 MiB", type(P::kFile, FilePage::kCacheSize, "1.1"),
         [] { return long(TheShellSettings().cacheBytes); }, 1310720},
        {"CSize held to 0.25 MiB", type(P::kFile, FilePage::kCacheSize, "0.1"),
         [] { return long(TheShellSettings().cacheBytes); }, 262144},
        {"CSize held to 16 MiB, the cache's 256 blocks", type(P::kFile, FilePage::kCacheSize, "40"),
         [] { return long(TheShellSettings().cacheBytes + TheFileCacheManager().GetNumBlocks()); }, 16777216 + 256},
        {"OpenOverView", click(P::kDisplay, DisplayPage::kOverView),
         [] { return long(TheWaveWindowSettings().openOverView); }, 0},
        {"OpenOverView2", click(P::kDisplay, DisplayPage::kOverView2),
         [] { return long(TheWaveWindowSettings().openOverView2); }, 1},
        {"AutoZoom", click(P::kDisplay, DisplayPage::kAutoZoom), [] { return long(TheWaveWindowSettings().autoZoom); },
         0},
        {"MouseWindow", click(P::kDisplay, DisplayPage::kMouseWindow), [&] { return long(Frame().IsMouseWindow()); },
         0},
        {"FlickerFree", click(P::kDisplay, DisplayPage::kFlickerFree),
         [] { return long(TheShellSettings().flickerFree); }, 0},
        {"OpenSec held to 999", type(P::kDisplay, DisplayPage::kOpenSeconds, "5000"),
         [] { return long(TheWaveWindowSettings().openSeconds); }, 999},
        {"time DialUnit", click(P::kUnits, UnitsPage::kTimeUnit + 1), [] { return long(TheTimeSettings().dialUnit); },
         3},
        {"level DialUnit", click(P::kUnits, UnitsPage::kLevelUnit + 2), [] { return long(GetLevelDialUnit()); }, 1},
        {"DropMrk", click(P::kUnits, UnitsPage::kDropMarkers), [] { return long(TheShellSettings().dropMarkers); }, 1},
        {"SmpteFrame 29.97 saves 2997", click(P::kTimeScale, TimeScalePage::kFrameRate + 2),
         [] {
             Config file("main");
             SaveTimeScaleDefaults(file);
             file.MoveDown("TimeScale");
             return long(file.GetValue(0, "SmpteFrame"));
         },
         2997},
        {"Ticks", type(P::kTimeScale, TimeScalePage::kTicks, "960"), [] { return long(TheTimeSettings().ticks); }, 960},
        {"Tempo to the nearest", type(P::kTimeScale, TimeScalePage::kTempo, "16.002"),
         [] { return long(TheTimeSettings().tempo); }, 16002},
        {"WarnDel", click(P::kDatabase, DatabasePage::kWarnDelete), [] { return long(TheDatabaseSettings().warnDel); },
         0},
        {"Floppy", click(P::kDatabase, DatabasePage::kFloppy), [] { return long(TheDatabaseSettings().floppy); }, 1},
        {"Fl1 empty is none", type(P::kDatabase, DatabasePage::kFirstDrive, ""),
         [] { return long(TheDatabaseSettings().fl1); }, -1},
        {"Fl1 \"1\" is A", type(P::kDatabase, DatabasePage::kFirstDrive, "1"),
         [] { return long(TheDatabaseSettings().fl1); }, 0},
        {"Fl2 \"z\" is Z", type(P::kDatabase, DatabasePage::kSecondDrive, "z"),
         [] { return long(TheDatabaseSettings().fl2); }, 25},
        {"ListMaxSize", type(P::kDatabase, DatabasePage::kListMaxSize, "1500"),
         [] { return long(TheDatabaseSettings().listMaxSize); }, 1500},
        {"BeepListLim", click(P::kDatabase, DatabasePage::kBeepAtLimit),
         [] { return long(TheDatabaseSettings().beepListLim); }, 1},
        {"MessListLim", click(P::kDatabase, DatabasePage::kTellAtLimit),
         [] { return long(TheDatabaseSettings().messListLim); }, 0},
        {"DefPause as CD time", type(P::kCdr, CdrPage::kPause, "0:05:10"),
         [] { return long(TheCdSettings().defPause); }, 385},
        {"DefPause held to 10 s", type(P::kCdr, CdrPage::kPause, "0:30:00"),
         [] { return long(TheCdSettings().defPause); }, 750},
        {"PreRoll", type(P::kCdr, CdrPage::kPreRoll, "12"), [] { return long(TheCdSettings().preRoll); }, 12},
        {"NumBuf", type(P::kCdr, CdrPage::kBuffers, "100"), [] { return long(TheCdSettings().numBuf); }, 100},
        {"FramesInBuf", type(P::kCdr, CdrPage::kFramesInBuffer, "40"), [] { return long(TheCdSettings().framesInBuf); },
         40},
        {"ISRC", type(P::kCdr, CdrPage::kIsrc, "GBXYZ0100001"),
         [] { return long(TheCdSettings().isrc == String("GBXYZ0100001")); }, 1},
        {"PlayMS", click(P::kCdr, CdrPage::kPlayMasterSection), [] { return long(TheCdSettings().playMS); }, 1},
    };
    for (Row const &row : rows) {
        kept.Restore();
        App().SetAutoSavePref(1);
        App().SetAutoSaveLayout(1);
        App().SetLogo(1);
        SetRegistryInt("General", "Logo", 1);
        TheWaveSettings().undoLimit = 100000;
        TheAudioFileSettings().tempDir = FileName(TempFolder().c_str());
        TheDatabaseSettings() = DatabaseSettings();
        TheCdSettings() = CdSettings();
        Frame().SetShowTips(1);
        Frame().GetTooltip().EnableTips(1);
        Frame().SetMouseWindow(1);
        EXPECT_EQ(IDOK, Run([&](PrefPropertyDialog &d) {
                      row.change(d);
                      return Press(d, IDOK);
                  }))
            << row.what;
        EXPECT_EQ(row.expected, row.setting()) << row.what;
    }
}

TEST_F(Preferences, TheOutputLatencyFollowsTheBuffers) {
    ThePlayerSettings().outBufferSize = 16384;
    ThePlayerSettings().outBufferCount = 4;
    Run([&](PrefPropertyDialog &d) {
        HWND latency = Item(d, PrefPropertyDialog::kAudioCard, AudioCardPage::kLatency);
        EXPECT_EQ("Output latency: 371 ms", TextOf(latency));
        Type(d, PrefPropertyDialog::kAudioCard, AudioCardPage::kOutCount, "8");
        EXPECT_EQ("Output latency: 743 ms", TextOf(latency));
        d.GetPageRef(PrefPropertyDialog::kCdr)->ExecuteRules();
        EXPECT_EQ("Buffer memory: 1.15 MB", TextOf(Item(d, PrefPropertyDialog::kCdr, CdrPage::kBufferText)))
            << "32 buffers of 16 CD frames";
        return Press(d, IDCANCEL);
    });
    EXPECT_EQ(4, ThePlayerSettings().outBufferCount) << "Cancel keeps the settings";
}

// Every entry of the list stands for its own signature, and reads back as it.
TEST_F(Preferences, TheSixtyFourTimeSignatures) {
    Run([&](PrefPropertyDialog &d) {
        PropertyPage &page = *d.GetPageRef(PrefPropertyDialog::kTimeScale);
        for (int i = 0; i < preferences::kSignatureCount; ++i) {
            Type(d, PrefPropertyDialog::kTimeScale, TimeScalePage::kSignature, preferences::SignatureText(i).c_str());
            page.SaveData();
            EXPECT_EQ(i / 4 + 1, TheTimeSettings().beatMeasure) << i;
            EXPECT_EQ(2 << (i % 4), TheTimeSettings().beatWholeNote) << i;
            EXPECT_EQ(i, preferences::SignatureIndex(TheTimeSettings().beatMeasure, TheTimeSettings().beatWholeNote));
        }
        EXPECT_EQ(10, preferences::SignatureIndex(3, 8)) << "3/8";
        TheTimeSettings().beatMeasure = 5, TheTimeSettings().beatWholeNote = 3;
        Type(d, PrefPropertyDialog::kTimeScale, TimeScalePage::kSignature, "");
        page.SaveData();
        EXPECT_EQ(3, TheTimeSettings().beatWholeNote) << "an empty list edit keeps what the list cannot show";
        return Press(d, IDCANCEL);
    });
}

// The folder is checked before anything is saved: the dialog stays on the File page with the
// focus in the folder, and no setting or registry value has changed; Cancel then repairs an
// unusable current folder with the system drive.
TEST_F(Preferences, ARefusedOkChangesNothingAndCancelSetsTheSystemDrive) {
    App().SetAutoSavePref(1);
    App().SetLogo(1);
    SetRegistryInt("General", "Logo", 1);
    std::string const before = SavedSettings(App(), Frame());
    EXPECT_EQ(IDCANCEL, Run([&](PrefPropertyDialog &d) {
                  Click(d, PrefPropertyDialog::kGeneral, GeneralPage::kAutoSavePref);
                  Click(d, PrefPropertyDialog::kGeneral, GeneralPage::kLogo);
                  Type(d, PrefPropertyDialog::kEditing, EditingPage::kScanRange, "999");
                  Type(d, PrefPropertyDialog::kFile, FilePage::kFolder, "Q:\\no such folder");
                  d.SelectTab(PrefPropertyDialog::kGeneral);
                  EXPECT_EQ(0, Press(d, IDOK)) << "the dialog stays";
                  EXPECT_EQ(
                      "The folder for temporary files must be a writable folder on a local hard disk.\n"
                      "Please choose another folder.",
                      _box);
                  EXPECT_EQ(PrefPropertyDialog::kFile, d.GetCurrPage());
                  EXPECT_EQ(Item(d, PrefPropertyDialog::kFile, FilePage::kFolder), ::GetFocus());
                  EXPECT_EQ(before, SavedSettings(App(), Frame()));
                  EXPECT_EQ(1, GetRegistryInt("General", "Logo", -1));
                  TheAudioFileSettings().tempDir = FileName("Q:\\no such folder");
                  return Press(d, IDCANCEL);
              }));
    EXPECT_EQ(GetSystemDrive(), TheAudioFileSettings().tempDir);
    EXPECT_EQ(50, TheWaveSettings().scanRange);
    EXPECT_EQ(1, App().GetAutoSavePref());
}

// The tool bar page acts on the frame at once, and Cancel does not take it back.
TEST_F(Preferences, TheToolBarPageActsAtOnce) {
    WaveStatusBar *first = TheStatusBar();
    ASSERT_NE(nullptr, first);
    ASSERT_TRUE(first->IsWindowVisible());
    EXPECT_EQ(IDCANCEL, Run([&](PrefPropertyDialog &d) {
                  int const page = PrefPropertyDialog::kToolBar;
                  Type(d, page, ToolBarPage::kButtonSize, "2");
                  EXPECT_EQ(2, Frame().GetButtonSize());
                  Click(d, page, ToolBarPage::kShowStatusBar);
                  EXPECT_FALSE(TheStatusBar() && TheStatusBar()->IsWindowVisible());
                  d.GetPageRef(page)->ExecuteRules();
                  EXPECT_FALSE(::IsWindowEnabled(Item(d, page, ToolBarPage::kFont))) << "no bar, no font";
                  Click(d, page, ToolBarPage::kShowStatusBar);
                  EXPECT_TRUE(TheStatusBar() && TheStatusBar()->IsWindowVisible());
                  d.GetPageRef(page)->ExecuteRules();  // as at idle time
                  EXPECT_TRUE(::IsWindowEnabled(Item(d, page, ToolBarPage::kFont)));
                  Click(d, page, ToolBarPage::kFont + 1);
                  EXPECT_EQ(1, Frame().GetLargeStatusFont());
                  EXPECT_TRUE(TheStatusBar() && TheStatusBar()->IsWindowVisible()) << "a new bar in the large font";
                  return Press(d, IDCANCEL);
              }));
    EXPECT_EQ(2, Frame().GetButtonSize());
    EXPECT_EQ(1, Frame().GetLargeStatusFont());
    RECT client, bar;
    ::GetClientRect(Frame().GetHandle(), &client);
    ::GetWindowRect(TheStatusBar()->GetHandle(), &bar);
    ::MapWindowPoints(0, Frame().GetHandle(), reinterpret_cast<POINT *>(&bar), 2);
    EXPECT_EQ(client.bottom, bar.bottom) << "the frame laid out round the new bar";
}

// After closing: a changed cache size resizes the cache, the status bar forgets what it
// showed; the place and page come back at the next opening.
TEST_F(Preferences, AfterClosingTheCacheAndStatusBarFollowAndThePlaceReturns) {
    TheStatusBar()->SetValue(WaveStatusBar::kCachedField, 7);
    TheStatusBar()->SetValue(WaveStatusBar::kCachedOtherField, 8);
    TPoint placed;
    EXPECT_EQ(IDOK, Run([&](PrefPropertyDialog &d) {
                  ::SetWindowPos(d.GetHandle(), 0, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                  placed = d.GetWindowRect().TopLeft();
                  d.SelectTab(PrefPropertyDialog::kFile);
                  Type(d, PrefPropertyDialog::kFile, FilePage::kCacheSize, "3");
                  return Press(d, IDOK);
              }));
    EXPECT_EQ(48u, TheFileCacheManager().GetNumBlocks());
    EXPECT_EQ(48 * 65536, TheShellSettings().cacheBytes);
    EXPECT_EQ(-1, TheStatusBar()->GetValue(WaveStatusBar::kCachedField));
    EXPECT_EQ(-1, TheStatusBar()->GetValue(WaveStatusBar::kCachedOtherField));
    Run([&](PrefPropertyDialog &d) {
        EXPECT_EQ(PrefPropertyDialog::kFile, d.GetCurrPage()) << "the page left open";
        EXPECT_EQ(placed, d.GetWindowRect().TopLeft()) << "where it was left";
        return Press(d, IDCANCEL);
    });
}

// Command 380 reaches the dialog through the program's MDI client.
TEST_F(Preferences, CommandThroughTheMdiClient) {
    bool opened = false;
    _answer = [&](PrefPropertyDialog &d) {
        opened = true;
        return Press(d, IDCANCEL);
    };
    client->SendMessageA(WM_COMMAND, 380, 0);
    EXPECT_TRUE(opened);
}

TEST(PreferenceValues, DeviceInformationListsTheRatesWithFormats) {
    analysistest::FrameScope frame;  // the language module's texts
    // 11.025 kHz mono 16-bit only; nothing at 22.05 kHz; 44.1 kHz all four
    String text = preferences::DeviceInformation(0x0305, 0x4 | 0xF00, true);
    EXPECT_STREQ(
        "Driver version 3.05\r\rOutput device\r11.025 kHz, Mono 16-bit\n"
        "44.1 kHz, Mono 8-bit, Mono 16-bit, Stereo 8-bit, Stereo 16-bit\n",
        text.c_str());
}

// The double views are found among the MDI client's children and draw again with the new
// settings after the dialog.
TEST(PreferencesAfterClosing, TheWaveWindowsDrawAgain) {
    wavewindowtest::WindowsScope app;
    Wave *wave = app.OpenWave("preferences.wav", 2, 20000, [](int, int frame) { return (frame % 200) * 100; });
    DoubleView *view = app.OpenWindow(wave);
    wavewindowtest::Settle();
    ::ValidateRect(view->GetHandle(), nullptr);
    HWND pane = ::GetWindow(view->GetMainView()->GetHandle(), GW_CHILD);
    ASSERT_NE(nullptr, pane);
    ::ValidateRect(pane, nullptr);
    ApplyPreferencesAfterClose(app, TheShellSettings().cacheBytes);
    EXPECT_TRUE(::GetUpdateRect(view->GetHandle(), nullptr, FALSE));
    EXPECT_TRUE(::GetUpdateRect(pane, nullptr, FALSE)) << "its children too";
}
