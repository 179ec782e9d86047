// The shell's tables and rules without a window: the file cache's size, the program-wide
// keys, the explanations of system errors, the play mode bits, the volume slider, the
// ".wav" association and the shell's settings groups.
#include <gtest/gtest.h>

#include <windows.h>

#include "audio/AudioFileSettings.h"
#include "foundation/Config.h"
#include "foundation/FileCache.h"
#include "foundation/Exception.h"
#include "shell/FileAssociation.h"
#include "shell/ProgramKeys.h"
#include "shell/ShellSettings.h"
#include "shell/SystemErrors.h"
#include "shell/WaveMDIClient.h"
#include "shell/WFrameWindow.h"
#include "shell/WaveOutVolume.h"
#include "core/Module.h"
#include "tests/app/AppTestSupport.h"
#include "tests/framework/BoxRecorder.h"

namespace {

int64_t const MiB = 1 << 20;

TEST(ShellTables, CacheSizeFromMemoryAndStoredValue) {
    struct Row {
        int64_t memory;
        bool stored;
        int64_t value;
        int32_t bytes;
    } const rows[] = {
        {6 * MiB, false, 0, 262144},     {8 * MiB, false, 0, 262144},      {64 * MiB, false, 0, 7340032},
        {65 * MiB, false, 0, 7602176},   {2048 * MiB, false, 0, 16777216}, {6 * MiB, true, 0, 0},
        {2048 * MiB, true, 0, 0},        {64 * MiB, true, 100000, 262144}, {64 * MiB, true, -5, 262144},
        {64 * MiB, true, 1024 * MiB, 16777216},
    };
    for (Row const &row : rows) {
        SCOPED_TRACE(testing::Message() << row.memory / MiB << " MiB, stored " << row.stored << " " << row.value);
        int64_t stored = row.stored ? row.value : DefaultCacheBytes(uint64_t(row.memory));
        EXPECT_EQ(row.bytes, ValidCacheBytes(stored));
    }
}

TEST(ShellTables, ASecondSizingResizesTheOneCache) {
    SizeFileCache(ValidCacheBytes(100000));
    FileCacheManager *first = &TheFileCacheManager();
    EXPECT_EQ(4ul, first->GetNumBlocks());
    SizeFileCache(ValidCacheBytes(1024 * MiB));
    EXPECT_EQ(first, &TheFileCacheManager());
    EXPECT_EQ(256ul, first->GetNumBlocks());
    DeleteFileCache();
}

KeyEvent Key(unsigned vk, unsigned scan) {
    KeyEvent key = {};
    key.virtualKey = vk;
    key.scanCode = scan;
    key.down = true;
    return key;
}

// The rows are searched first match first: the traps are the rows that an earlier one hides.
TEST(ShellTables, KeyTablesFirstMatchAndTheirTraps) {
    KeyTable standard = KeyTableFor(0), subtype = KeyTableFor(3329);
    EXPECT_EQ(KeyTableFor(3332).rows, subtype.rows);
    KeyTarget waveWindow = {false, true}, dialog = {true, false};
    struct Row {
        char const *what;
        KeyTable table;
        KeyEvent key;
        KeyTarget target;
        KeyDecision::Kind kind;
        int actionOrCommand;
    };
    KeyEvent keypadEndNumLock = Key(35, 79);
    keypadEndNumLock.numLock = true;
    KeyEvent shiftEnd = Key(35, 79);
    shiftEnd.shift = true;
    KeyEvent altDigit = Key('3', 4);
    altDigit.alt = true;
    KeyEvent ctrlDigit = Key('3', 4);
    ctrlDigit.ctrl = true;
    KeyEvent insertNumLock = Key(45, 82);
    insertNumLock.numLock = true;
    KeyEvent enterMain = Key(13, 28);
    KeyEvent enterKeypad = Key(13, 28);
    enterKeypad.extended = true;
    KeyEvent plusHeld = Key(107, 78);
    plusHeld.repeated = true;
    KeyEvent plusUp = Key(107, 78);
    plusUp.down = false;
    KeyEvent ctrlF9 = Key(120, 67);
    ctrlF9.ctrl = true;
    Row const rows[] = {
        {"keypad End, NumLock on", standard, keypadEndNumLock, waveWindow, KeyDecision::kAction, kKeySelectionStart},
        {"Shift+End, NumLock off", standard, shiftEnd, waveWindow, KeyDecision::kAction, kKeySelectionStart},
        {"End alone", standard, Key(35, 79), waveWindow, KeyDecision::kAction, kKeyToSelectionStart},
        {"Alt+digit", standard, altDigit, waveWindow, KeyDecision::kIgnore, 0},
        {"digit", standard, Key('3', 4), waveWindow, KeyDecision::kDigit, 102},
        {"Ctrl+digit", standard, ctrlDigit, waveWindow, KeyDecision::kDigit, 112},
        {"digit in a dialog", standard, Key('3', 4), dialog, KeyDecision::kIgnore, 0},
        {"Insert, NumLock on", standard, insertNumLock, waveWindow, KeyDecision::kIgnore, 0},
        {"Insert, NumLock off", standard, Key(45, 82), waveWindow, KeyDecision::kAction, kKeyPause},
        {"main Enter", standard, enterMain, waveWindow, KeyDecision::kIgnore, 0},
        {"keypad Enter", standard, enterKeypad, waveWindow, KeyDecision::kAction, kKeyPlay},
        {"F8 in a dialog", standard, Key(119, 66), dialog, KeyDecision::kAction, kKeyPlay},
        {"keypad 0 in a dialog", standard, Key(96, 82), dialog, KeyDecision::kIgnore, 0},
        {"keypad plus pressed", standard, Key(107, 78), waveWindow, KeyDecision::kAction, kKeySelectionStart},
        {"keypad plus repeated", standard, plusHeld, waveWindow, KeyDecision::kSwallow, 0},
        {"keypad plus released", standard, plusUp, waveWindow, KeyDecision::kAction, kKeySelectionEnd},
        {"keypad plus, no wave", standard, Key(107, 78), dialog, KeyDecision::kIgnore, 0},
        {"Ctrl+F9", standard, ctrlF9, dialog, KeyDecision::kAction, kKeyEngineWindow},
        {"subtype key 25", subtype, Key(25, 53), waveWindow, KeyDecision::kAction, kKeyPlay},
        {"subtype End", subtype, Key(35, 74), waveWindow, KeyDecision::kIgnore, 0},
        {"subtype keypad 1", subtype, Key(97, 74), waveWindow, KeyDecision::kAction, kKeyToSelectionStart},
    };
    for (Row const &row : rows) {
        SCOPED_TRACE(row.what);
        KeyDecision decision = DecideKey(row.table, row.key, row.target);
        EXPECT_EQ(row.kind, decision.kind);
        if (row.kind == KeyDecision::kAction)
            EXPECT_EQ(row.actionOrCommand, decision.action);
        if (row.kind == KeyDecision::kDigit)
            EXPECT_EQ(unsigned(row.actionOrCommand), decision.command);
    }
}

TEST(ShellTables, SystemErrorsAreExplainedByCodeAndDrive) {
    apptest::UseEnglishTexts();
    int const tempDrive = 3;  // D:
    struct Row {
        unsigned long code;
        unsigned long drive;
        char const *second;  // null: left as it was
        SystemErrorFollowUp followUp;
    } const rows[] = {
        {ERROR_DISK_FULL, 3, "The disk of the temporary folder is full", kNoFollowUp},
        {ERROR_HANDLE_DISK_FULL, 3, "The disk of the temporary folder is full", kNoFollowUp},
        {ERROR_DISK_FULL, 2, nullptr, kNoFollowUp},
        {ERROR_TOO_MANY_OPEN_FILES, 0, "(too many files are open", kCloseUnchangedDocuments},
        {ERROR_ACCESS_DENIED, 0, "(access denied)", kNoFollowUp},
        {ERROR_FILE_NOT_FOUND, 3, nullptr, kNoFollowUp},
    };
    for (Row const &row : rows) {
        SCOPED_TRACE(testing::Message() << "code " << row.code << " drive " << row.drive);
        Exception e("failed", "as it was", row.code);
        e.driveIndex = row.drive;
        EXPECT_EQ(row.followUp, ExplainSystemError(e, tempDrive));
        ASSERT_TRUE(e.second != nullptr);
        std::string second = e.second->c_str();
        EXPECT_EQ(0u, second.find(row.second ? row.second : "as it was")) << second;
    }
}

TEST(ShellTables, PlayModeCommandsTakeTurnsAndFlipBits) {
    int bits = 0;
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i)
        seen.push_back(bits = NextPlayModeBits(bits, true));
    EXPECT_EQ((std::vector<int>{1, 2, 3, 2}), seen);
    seen.clear();
    bits = 0;
    for (int i = 0; i < 4; ++i)
        seen.push_back(bits = NextPlayModeBits(bits, false));
    EXPECT_EQ((std::vector<int>{2, 1, 3, 1}), seen);
}

// A device that keeps its volume word.
class FakeVolume : public WaveOutVolumeDevice {
public:
    bool Get(uint32_t &v) override {
        v = volume;
        return hasVolume;
    }
    bool Set(uint32_t v) override {
        volume = v;
        ++sets;
        return hasVolume;
    }
    uint32_t volume = 0x1000FFF0;
    bool hasVolume = true;
    int sets = 0;
};

TEST(ShellTables, VolumeSliderFollowsTheLouderChannelAndIsRestoredAtClose) {
    EXPECT_EQ(0xFFFF / 15, VolumeToSlider(0x1000FFFF));
    EXPECT_EQ(0xFFFF / 15, VolumeToSlider(0xFFFF0010));
    EXPECT_EQ(0, VolumeToSlider(0));
    EXPECT_EQ(0xFFFFFFFFu, SliderToVolume(kVolumeSliderMax));
    EXPECT_EQ(0x00960096u, SliderToVolume(10));
    EXPECT_EQ(0u, SliderToVolume(-3));
    FakeVolume device;
    WaveOutVolumeDevice *before = SetWaveOutVolumeDevice(&device);
    RestoreWaveOutVolume();  // nothing changed: nothing set
    EXPECT_EQ(0, device.sets);
    SetWaveOutVolumeFromSlider(100);
    SetWaveOutVolumeFromSlider(200);
    EXPECT_EQ(SliderToVolume(200), device.volume);
    RestoreWaveOutVolume();
    EXPECT_EQ(0x1000FFF0u, device.volume);
    // a device without volume is said, and no slider opens
    apptest::UseEnglishTexts();
    device.hasVolume = false;
    BoxRecorder boxes;
    EXPECT_FALSE(ShowWaveOutVolumeSlider());
    ASSERT_EQ(1u, boxes.Boxes.size());
    EXPECT_EQ("The sound device has no volume control.", boxes.Boxes[0].text);
    SetWaveOutVolumeDevice(before);
}

// A key of the test's own below the current user stands for the classes root.
class ClassesRoot {
public:
    ClassesRoot() { RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, 0, 0, KEY_ALL_ACCESS, 0, &key_, 0); }
    ~ClassesRoot() {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kPath) + "\\Tessaro.wav\\shell\\open\\command").c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kPath) + "\\Tessaro.wav\\shell\\open").c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kPath) + "\\Tessaro.wav\\shell").c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kPath) + "\\Tessaro.wav").c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kPath) + "\\.wav").c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kPath);
    }
    void SetOpenCommand(char const *command) {
        HKEY open = 0;
        RegCreateKeyExA(key_, "Tessaro.wav\\shell\\open\\command", 0, 0, 0, KEY_ALL_ACCESS, 0, &open, 0);
        RegSetValueExA(open, 0, 0, REG_SZ, reinterpret_cast<BYTE const *>(command), DWORD(strlen(command) + 1));
        RegCloseKey(open);
    }
    // The ".wav" key's default value; "-" without the key.
    std::string WaveClass() const {
        char value[64] = "";
        LONG size = sizeof value;
        return RegQueryValueA(key_, ".wav", value, &size) == ERROR_SUCCESS ? value : "-";
    }
    HKEY Key() const { return key_; }

private:
    static constexpr char const *kPath = "Software\\TessaroTests\\Classes";
    HKEY key_ = 0;
};

TEST(ShellTables, WaveFilesAreAssociatedInTheFirstRunsWhenTheOpenCommandIsThere) {
    struct Row {
        int runs;
        char const *command;  // null: no command
        char const *wave;
    } const rows[] = {
        {0, "Tessaro.exe \"%1\"", "Tessaro.wav"}, {2, "Tessaro.exe \"%1\"", "Tessaro.wav"},
        {3, "Tessaro.exe \"%1\"", "-"},           {0, nullptr, "-"},
        {2, nullptr, "-"},                        {0, "", "-"},
        {3, "", "-"},
    };
    for (Row const &row : rows) {
        SCOPED_TRACE(testing::Message() << "NRun " << row.runs << " command " << (row.command ? row.command : "none"));
        ClassesRoot root;
        if (row.command)
            root.SetOpenCommand(row.command);
        AssociateWaveFiles(root.Key(), row.runs);
        EXPECT_EQ(row.wave, root.WaveClass());
    }
}

TEST(ShellTables, TheShellGroupsRoundTrip) {
    ShellSettings &s = TheShellSettings();
    ShellSettings const kept = s;
    s.flickerFree = 0;
    s.markerColumnWidth = 120;
    s.dropMarkers = 1;
    s.graphicFlags = 0x11223344;
    s.cacheBytes = 1048576;
    ShellSettings const written = s;
    Config config("Main");
    SaveShellGroups(config);
    config.MoveDown("FileCache");
    EXPECT_EQ(0x44223311u, config.GetValue(0u, "GrFlags"));  // stored with its outer bytes exchanged
    config.MoveUp();
    s = ShellSettings();
    LoadShellGroups(config, uint64_t(64 * MiB));
    EXPECT_EQ(written.flickerFree, s.flickerFree);
    EXPECT_EQ(written.markerColumnWidth, s.markerColumnWidth);
    EXPECT_EQ(written.dropMarkers, s.dropMarkers);
    EXPECT_EQ(written.graphicFlags, s.graphicFlags);
    EXPECT_EQ(written.cacheBytes, s.cacheBytes);
    DeleteFileCache();
    s = kept;
}

// Every language module draws every button picture; the digits' pictures differ.
TEST(ShellTables, EveryLanguageHasTheBarPicturesAndTheDigitsDiffer) {
    for (char const *language : {"EnglishTs.dll", "FrenchTs.dll", "GermanTs.dll"}) {
        SCOPED_TRACE(language);
        HMODULE module = apptest::LoadLanguageModule(language);
        ASSERT_TRUE(module != 0);
        std::vector<std::string> digits;
        for (int bar = 0; bar < WFrameWindow::kBarCount; ++bar)
            for (WFrameWindow::BarButton const &button : WFrameWindow::BarButtons(WFrameWindow::Bar(bar))) {
                if (!button.command)
                    continue;
                HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(button.picture), RT_BITMAP);
                ASSERT_TRUE(found != 0) << "picture " << button.picture;
                if (bar == WFrameWindow::kNumberedBar) {
                    char const *bytes = static_cast<char const *>(LockResource(LoadResource(module, found)));
                    digits.emplace_back(bytes, SizeofResource(module, found));
                }
            }
        ASSERT_EQ(16u, digits.size());
        for (std::size_t i = 0; i < digits.size(); ++i)
            for (std::size_t j = i + 1; j < digits.size(); ++j)
                EXPECT_NE(digits[i], digits[j]) << i << " and " << j;
        FreeLibrary(module);
    }
}

// Five popups with the sampler link, the sampler's second; four without it. File starts
// with the cascades of New and Open.
TEST(ShellTables, TheMainMenuHasTheSamplerPopupOnlyWithTheSamplerLink) {
    TModule english("EnglishTs", apptest::UseEnglishTexts());
    for (bool sampler : {true, false}) {
        TMenuDescr menu = WFrameWindow::MainMenu(sampler, &english);
        std::string popups;
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            char text[64] = "";
            GetMenuStringA(menu.GetHandle(), i, text, sizeof text, MF_BYPOSITION);
            popups += std::string(text) + " ";
            EXPECT_TRUE(GetSubMenu(menu.GetHandle(), i) != 0) << text;
        }
        EXPECT_EQ(sampler ? "&File &Sampler &Audio &Window &Help " : "&File &Audio &Window &Help ", popups);
        EXPECT_EQ(1, menu.GetGroupCount(0));
        EXPECT_EQ(sampler ? 4 : 3, menu.GetGroupCount(5));
        HMENU file = GetSubMenu(menu.GetHandle(), 0);
        EXPECT_TRUE(GetSubMenu(file, 0) != 0 && GetSubMenu(file, 1) != 0);
    }
}

}  // namespace
