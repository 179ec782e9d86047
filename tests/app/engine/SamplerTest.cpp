// Sampler devices over the real sampler link (system\Torvask.dll of the program folder)
// with its sample memory in a folder of the test, and the SCSI units of a copy of the CD
// library that lists simulated ones: the preset file, the interfaces' use counts, and
// samples sent to a sampler and received back.
#include "audio/AudioFile.h"
#include "bars/Progress.h"
#include "audio/SamplerSampleInfo.h"
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "effects/SamplerSetupDialog.h"
#include "engine/SamplerDevice.h"
#include "engine/SamplerDialogs.h"
#include "engine/SamplerLink.h"
#include "engine/SamplerScsiUnits.h"
#include "engine/SamplerTransfer.h"
#include "foundation/Config.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using testsupport::TempDir;

char const kMemoryVariable[] = "TORVASK_MEMORY";
char const kUnitText[] = "HALVERN SX-64 SAMPLER (2:6:0)";
char const kSecondUnitText[] = "PLEXTOR CD-R   PX-W1210A (1:2:0)";

// A copy of the CD library that lists two simulated units, listing them for the program
// while the object lives.
class SimulatedScsiUnits {
public:
    SimulatedScsiUnits() {
        char linked[MAX_PATH];
        GetModuleFileNameA(GetModuleHandleA("Brastow.dll"), linked, MAX_PATH);
        CopyFileA(linked, dir_.File("Brastow.dll").c_str(), FALSE);
        testsupport::WriteBytes(dir_.File("Brastow.ini"),
                                "[SimulatedUnits]\r\n"
                                "1=HALVERN |SX-64 SAMPLER   |2|6|0|3\r\n"
                                "2=PLEXTOR |CD-R   PX-W1210A|1|2\r\n");
        library_ = LoadLibraryA(dir_.File("Brastow.dll").c_str());
        reinterpret_cast<decltype(&CDR_Init)>(reinterpret_cast<void *>(GetProcAddress(library_, "CDR_Init")))();
        SetScsiUnitLister(reinterpret_cast<ScsiUnitLister>(
            reinterpret_cast<void *>(GetProcAddress(library_, "GetConnectedScsiUnits"))));
    }
    ~SimulatedScsiUnits() {
        SetScsiUnitLister(nullptr);
        reinterpret_cast<decltype(&CDR_End)>(reinterpret_cast<void *>(GetProcAddress(library_, "CDR_End")))();
        FreeLibrary(library_);
    }

private:
    TempDir dir_;
    HMODULE library_;
};

// One device of a preset file.
struct DeviceRow {
    char const *name;
    int model;
    int midiIn;
    int midiOut;
    int midiChannel;
    int scsiUnit;
};

void ExpectDevice(DeviceRow const &row, SamplerDevice const &device) {
    SCOPED_TRACE(row.name);
    EXPECT_STREQ(row.name, device.name.c_str());
    EXPECT_EQ(row.model, device.model);
    EXPECT_EQ(row.midiIn, device.midiIn);
    EXPECT_EQ(row.midiOut, device.midiOut);
    EXPECT_EQ(row.midiChannel, device.midiChannel);
    EXPECT_EQ(row.scsiUnit, device.scsiUnit);
}

// Every file below a folder with its bytes.
std::map<std::string, std::string> Snapshot(std::string const &folder) {
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &found)) {
        std::string name = found.cFileName, path = folder + "\\" + name;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files[path] = testsupport::ReadBytes(path);
        else if (name != "." && name != "..")
            for (auto const &file : Snapshot(path))
                files.insert(file);
    }
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
    return files;
}

// The file of the sampler's memory that holds a sample ("" when none does).
std::string StoredFile(std::string const &memory, int number, char const *name) {
    char suffix[96];
    std::snprintf(suffix, sizeof suffix, "\\%05d %s.wav", number, name);
    for (auto const &file : Snapshot(memory))
        if (file.first.size() > std::strlen(suffix) &&
            file.first.compare(file.first.size() - std::strlen(suffix), std::string::npos, suffix) == 0)
            return file.first;
    return "";
}

// Every sample of a WAV file as the program reads it.
std::vector<int32_t> SamplesOf(std::string const &path) {
    audiotest::OwnedFile file(OpenAudioFile(kAccessMapped, FileName(path.c_str()), 0, 0));
    return file.get() ? audiotest::ReadSamples24(*file) : std::vector<int32_t>();
}

class Samplers : public ::testing::Test {
protected:
    Samplers() : audioSettings(work.Path()) {}

    void SetUp() override {
        apptest::UseEnglishTexts();
        SetEnvironmentVariableA(kMemoryVariable, memory.Path().c_str());
        ASSERT_TRUE(LoadSamplerLibraryFrom(FileName((apptest::ProgramFolder() + "\\system\\Torvask.dll").c_str())));
        SetSamplerPresetFile(FileName(PresetFile().c_str()));
        TheSamplerSettings() = SamplerSettings();
    }
    void TearDown() override {
        SetProgressCancelAtCheck(0);
        UnloadSamplerDevices();
        FreeSamplerLibrary();
        SetSamplerPresetFile(FileName());
        SetEnvironmentVariableA(kMemoryVariable, nullptr);
    }

    std::string PresetFile() const { return work.File("samplers.set"); }
    // Writes groups of "key=value" lines as the preset file and reads the devices from it.
    void LoadPresets(std::string const &groups) {
        testsupport::WriteBytes(PresetFile(), "Samplers\r\n{\r\n" + groups + "}\r\n");
        LoadSamplerDevices(1);
    }
    // A WAV file of noise in the work folder.
    std::string Fixture(char const *name, int channels, int bits, int rate, int frames) {
        std::string path = work.File(name);
        testsupport::WriteBytes(
            path, audiotest::SimpleWave(channels, bits, uint32_t(rate),
                                        audiotest::Noise(size_t(frames) * channels * bits / 8, uint32_t(frames))));
        return path;
    }
    // Sends a WAV file to a device as a new sample; the sample as stored.
    QbSampleEntry Transmit(int device, std::string const &file, char const *name, int location) {
        QbSampleEntry entry = {};
        EXPECT_EQ(QB_OK, BuildSamplerSampleEntry(0, entry));
        entry.number = QB_ANY_NUMBER;
        entry.location = std::int16_t(location);
        std::strncpy(entry.name, name, sizeof entry.name - 1);
        SamplerInterfaceHold hold(device);
        EXPECT_EQ(QB_OK,
                  TheSamplerEntries().transmitNewSample(hold.GetHandle(), &entry, file.c_str(), nullptr, nullptr));
        return entry;
    }

    TempDir memory;
    TempDir work;
    audiotest::SettingsScope audioSettings;
    SimulatedScsiUnits units;
};

std::string const kKeysAndRack =
    "\tKeys\r\n\t{\r\n\t\tModel=Halvern MS-16 2.1\r\n\t\tMidiIn=Torvask MIDI In 1\r\n"
    "\t\tMidiOut=Torvask MIDI Out 2\r\n\t}\r\n"
    "\tRack\r\n\t{\r\n\t\tModel=Halvern SX-64 3.04\r\n\t\tMidiIn=Torvask MIDI In 2\r\n"
    "\t\tMidiOut=Torvask MIDI Out 1\r\n\t\tScsiUnit=HALVERN SX-64 SAMPLER (2:6:0)\r\n\t}\r\n";
int const kKeys = 0;
int const kRack = 1;

}  // namespace

// Devices written to the preset file come back sorted by name without regard to case, the
// default device apart; a second load without reload reads nothing.
TEST_F(Samplers, PresetFileRoundTrip) {
    LoadSamplerDevices(0);
    EXPECT_EQ(0, SamplerDevices().GetCount());
    ASSERT_EQ(2, CountScsiUnits());
    EXPECT_STREQ(kUnitText, ScsiUnitText(0).c_str());
    EXPECT_STREQ(kSecondUnitText, ScsiUnitText(1).c_str());

    DeviceRow const rows[] = {{"zeta", 0, 1, 0, 15, -1},
                              {"Alpha", 1, 0, 1, 0, 0},
                              {"beta", 1, -1, -1, 7, 1},
                              {kDefaultSamplerPreset, 1, 1, 1, 3, 0}};
    Config written(kSamplerPresetRoot);
    for (DeviceRow const &row : rows) {
        SamplerDevice device(row.name);
        device.model = row.model;
        device.midiIn = row.midiIn;
        device.midiOut = row.midiOut;
        device.midiChannel = row.midiChannel;
        device.scsiUnit = row.scsiUnit;
        written.MoveDown(row.name);
        WriteSamplerDevice(written, device);
        written.MoveUp();
    }
    written.Save(FileName(PresetFile().c_str()));
    std::string text = testsupport::ReadBytes(PresetFile());
    EXPECT_NE(std::string::npos, text.find("Model=Halvern SX-64 3.04\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("MidiIn=Torvask MIDI In 2\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find(std::string("ScsiUnit=") + kUnitText + "\r\n")) << text;

    TheSamplerSettings().currentDevice = 2;
    LoadSamplerDevices(0);
    EXPECT_EQ(0, SamplerDevices().GetCount());
    LoadSamplerDevices(1);
    ASSERT_EQ(3, SamplerDevices().GetCount());
    ExpectDevice(rows[1], *FindSamplerDevice(0));
    ExpectDevice(rows[2], *FindSamplerDevice(1));
    ExpectDevice(rows[0], *FindSamplerDevice(2));
    ExpectDevice(rows[3], DefaultSamplerDevice());
    EXPECT_EQ(2, TheSamplerSettings().currentDevice);

    Config settings("Main");
    SaveSamplerSettings(settings);
    TheSamplerSettings().currentDevice = -1;
    LoadSamplerSettings(settings);
    EXPECT_EQ(2, TheSamplerSettings().currentDevice);
}

// Texts are matched as the library's trimmed texts without regard to case; what matches
// nothing reads as none, and a device of an unknown model is left out.
TEST_F(Samplers, PresetsAreMatchedToTheLink) {
    LoadPresets(
        "\t__default__\r\n\t{\r\n\t\tModel=Halvern SX-64 3.04\r\n\t\tMidiChannel=4\r\n"
        "\t\tScsiUnit=PLEXTOR CD-R   PX-W1210A (1:2:0)\r\n\t}\r\n");
    EXPECT_EQ(0, SamplerDevices().GetCount());
    ExpectDevice({kDefaultSamplerPreset, 1, -1, -1, 4, 1}, DefaultSamplerDevice());

    TheSamplerSettings().currentDevice = 2;
    LoadPresets(
        "\tPiano\r\n\t{\r\n\t\tModel=HALVERN sx-64 3.04\r\n\t\tMidiIn=Torvask MIDI In 2\r\n"
        "\t\tMidiOut=  Torvask MIDI Out 2 \r\n\t\tMidiChannel=99\r\n\t\tScsiUnit=" +
        std::string(kUnitText) +
        "\r\n\t}\r\n"
        "\tOld\r\n\t{\r\n\t\tModel=Halvern XR-1 1.0\r\n\t}\r\n"
        "\tDrums\r\n\t{\r\n\t\tModel=Halvern MS-16 2.1\r\n\t\tMidiIn=Gone\r\n\t\tMidiChannel=9\r\n"
        "\t\tScsiUnit=NOBODY UNIT (9:9:0)\r\n\t}\r\n");
    ASSERT_EQ(2, SamplerDevices().GetCount());
    ExpectDevice({"Drums", 0, -1, -1, 9, -1}, *FindSamplerDevice(0));
    ExpectDevice({"Piano", 1, 1, 1, 15, 0}, *FindSamplerDevice(1));
    ExpectDevice({kDefaultSamplerPreset, 0, -1, -1, 0, -1}, DefaultSamplerDevice());
    EXPECT_EQ(-1, TheSamplerSettings().currentDevice);
}

// Without the library file nothing is loaded: no models, no devices, no interface.
TEST_F(Samplers, WithoutTheLibraryThereAreNoModels) {
    FreeSamplerLibrary();
    EXPECT_FALSE(LoadSamplerLibrary());  // no system\Torvask.dll beside the tests
    EXPECT_FALSE(LoadSamplerLibraryFrom(FileName(work.File("Torvask.dll").c_str())));
    EXPECT_FALSE(IsSamplerLibraryAvailable());
    EXPECT_EQ(nullptr, TheSamplerEntries().countSamplerModels);
    EXPECT_TRUE(SamplerModelTexts().empty());
    EXPECT_TRUE(SamplerMidiInputNames().empty());
    LoadPresets(kKeysAndRack);
    EXPECT_EQ(0, SamplerDevices().GetCount());
    EXPECT_FALSE(OpenSamplerInterface(0));
    EXPECT_EQ(QB_ERR_NOT_SUPPORTED, ReceiveSamplerSample(0, 1, nullptr));
}

// Opening twice and closing once keeps the interface open, over MIDI and over MIDI and
// SCSI; a model speaking SCSI needs a unit.
TEST_F(Samplers, AnInterfaceStaysOpenWhileItHasUsers) {
    LoadPresets(kKeysAndRack + "\tUnitless\r\n\t{\r\n\t\tModel=Halvern SX-64 3.04\r\n\t}\r\n");
    for (int index : {kKeys, kRack}) {
        SCOPED_TRACE(index);
        SamplerDevice &device = *FindSamplerDevice(index);
        ASSERT_TRUE(OpenSamplerInterface(index));
        QbHandle handle = device.GetHandle();
        ASSERT_NE(nullptr, handle);
        ASSERT_TRUE(OpenSamplerInterface(index));
        CloseSamplerInterface(index);
        EXPECT_EQ(1, device.GetOpenCount());
        EXPECT_EQ(handle, device.GetHandle());
        std::int16_t count = -1;
        QbSampleEntry *list = nullptr;
        EXPECT_EQ(QB_OK,
                  TheSamplerEntries().createSampleList(handle, QB_ANY_LOCATION, &count, &list, nullptr, nullptr));
        TheSamplerEntries().disposeSampleList(&list);
        CloseSamplerInterface(index);
        EXPECT_EQ(0, device.GetOpenCount());
        EXPECT_EQ(nullptr, device.GetHandle());
        CloseSamplerInterface(index);
        EXPECT_EQ(0, device.GetOpenCount());
    }
    EXPECT_FALSE(OpenSamplerInterface(2));
    EXPECT_FALSE(OpenSamplerInterface(3));
}

// Samples sent to each model come back sample-exact in files the program reads; the
// lists show them, and a number typed after a pick is the one received.
TEST_F(Samplers, TransfersAreSampleExact) {
    LoadPresets(kKeysAndRack);
    struct Case {
        char const *name;
        int device;
        int channels;
        int bits;
        int rate;
        int frames;
        int location;
    } const cases[] = {
        {"Keys 8", kKeys, 1, 8, 22050, 20001, QB_ANY_LOCATION},
        {"Keys 16", kKeys, 1, 16, 44100, 30000, QB_ANY_LOCATION},
        {"Rack 24", kRack, 2, 24, 48000, 25000, 2},
    };
    std::string const received = memory.Path() + "\\Received\\";
    std::vector<QbSampleEntry> stored;
    for (Case const &c : cases) {
        SCOPED_TRACE(c.name);
        std::string fixture = Fixture("fixture.wav", c.channels, c.bits, c.rate, c.frames);
        QbSampleEntry sent = Transmit(c.device, fixture, c.name, c.location);
        SamplerSampleList samples;
        ASSERT_EQ(QB_OK, samples.Load(c.device, c.location));
        ASSERT_EQ(1 + (c.device == kKeys ? int(stored.size()) : 0), samples.GetCount());
        QbSampleEntry const &listed = samples[samples.GetCount() - 1];
        EXPECT_STREQ(c.name, listed.name);
        EXPECT_EQ(sent.number, listed.number);
        EXPECT_EQ(c.frames, listed.frames);
        EXPECT_EQ(c.channels, listed.channels);
        EXPECT_EQ(c.bits, listed.bits);
        EXPECT_EQ(c.rate, listed.rate);
        EXPECT_EQ(QB_OK, ReceiveSamplerSample(c.device, listed.number, &listed));
        EXPECT_EQ(0, AutoProgressBar::GetNestingDepth());
        std::vector<int32_t> samplesSent = SamplesOf(fixture);
        ASSERT_EQ(size_t(c.frames * c.channels), samplesSent.size());
        EXPECT_TRUE(samplesSent == SamplesOf(StoredFile(memory.Path(), sent.number, c.name)));
        EXPECT_TRUE(samplesSent == SamplesOf(received + c.name + ".wav"));
        stored.push_back(listed);
    }

    SamplerLocationList locations;
    EXPECT_FALSE(SamplerOffersLocations(kKeys));
    EXPECT_EQ(QB_ERR_NOT_SUPPORTED, locations.Load(kKeys));
    EXPECT_TRUE(SamplerOffersLocations(kRack));
    ASSERT_EQ(QB_OK, locations.Load(kRack));
    EXPECT_EQ(QB_LOCATIONS_BANKS, locations.GetKind());
    ASSERT_EQ(2, locations.GetCount());
    EXPECT_STREQ("Bank A", locations[0].name);
    EXPECT_EQ(0, locations[0].sampleCount);
    EXPECT_EQ(2, locations[1].number);
    EXPECT_EQ(1, locations[1].sampleCount);

    EXPECT_EQ(QB_OK, ReceiveSamplerSample(kKeys, stored[1].number, &stored[0]));
    EXPECT_TRUE(SamplesOf(received + "Keys 16.wav") == SamplesOf(received + "Keys 16 (2).wav"));
}

// A transfer stopped from the status bar's gauge leaves the memory and the received
// samples as they were, and closes its gauge.
TEST_F(Samplers, ACancelledTransferLeavesNothingHalfWritten) {
    LoadPresets(kKeysAndRack);
    std::string first = Fixture("first.wav", 2, 16, 44100, 100000);
    std::string second = Fixture("second.wav", 2, 16, 44100, 90000);
    QbSampleEntry stored = Transmit(kRack, first, "Pad", QB_ANY_LOCATION);
    std::map<std::string, std::string> const before = Snapshot(memory.Path());

    SetProgressCancelAtCheck(3);
    EXPECT_EQ(QB_ERR_CANCELLED, ReceiveSamplerSample(kRack, stored.number, nullptr));
    EXPECT_EQ(0, AutoProgressBar::GetNestingDepth());
    EXPECT_TRUE(audiotest::FilesIn(memory.Path() + "\\Received").empty());

    SamplerInterfaceHold hold(kRack);
    SamplerEntries const &qb = TheSamplerEntries();
    QbSampleEntry entry = stored;
    entry.number = QB_ANY_NUMBER;
    for (int replace : {0, 1}) {
        SCOPED_TRACE(replace);
        SamplerProgress progress;
        SetProgressCancelAtCheck(3);
        EXPECT_EQ(QB_ERR_CANCELLED, replace ? qb.replaceSample(hold.GetHandle(), &stored, second.c_str(),
                                                               &SamplerProgress::Report, &progress)
                                            : qb.transmitNewSample(hold.GetHandle(), &entry, second.c_str(),
                                                                   &SamplerProgress::Report, &progress));
    }
    EXPECT_EQ(0, AutoProgressBar::GetNestingDepth());
    EXPECT_TRUE(before == Snapshot(memory.Path()));
}

// What the link cannot do it refuses with its reason and without a change; a sample can
// be renamed, given another root key and deleted.
TEST_F(Samplers, TheLinkRefusesWhatItCannotDo) {
    LoadPresets(kKeysAndRack);
    SamplerEntries const &qb = TheSamplerEntries();
    std::string mono = Fixture("mono.wav", 1, 16, 44100, 100);
    QbSampleEntry stored = Transmit(kKeys, mono, "Bell", QB_ANY_LOCATION);
    testsupport::WriteBytes(work.File("text.wav"), "not a sample");
    SamplerInterfaceHold keys(kKeys);
    SamplerInterfaceHold rack(kRack);
    QbHandle gone = nullptr;
    ASSERT_EQ(QB_OK, qb.createMidiSamplerInterface(0, 0, 0, 0, &gone));
    qb.disposeSamplerInterface(gone);
    std::map<std::string, std::string> const before = Snapshot(memory.Path());

    // sends a file as a new sample numbered number into location
    auto send = [&](QbHandle handle, std::string const &file, int number, int location) {
        QbSampleEntry entry = stored;
        entry.number = number;
        entry.location = std::int16_t(location);
        return qb.transmitNewSample(handle, &entry, file.c_str(), nullptr, nullptr);
    };
    QbHandle made = nullptr;
    QbSampleEntry unknown = stored;
    unknown.number = 77;
    std::int16_t count = 0;
    QbSampleEntry *list = nullptr;
    struct Case {
        char const *what;
        std::int32_t expected;
        std::int32_t answer;
    } const cases[] = {
        {"no such model", QB_ERR_ARGUMENT, qb.createMidiSamplerInterface(2, 0, 0, 0, &made)},
        {"SCSI to a MIDI model", QB_ERR_NOT_SUPPORTED, qb.createScsiSamplerInterface(0, 0, 2, 6, &made)},
        {"MIDI channel 16", QB_ERR_ARGUMENT, qb.createMidiSamplerInterface(0, 16, 0, 0, &made)},
        {"no such port", QB_ERR_ARGUMENT, qb.createMidiAndScsiSamplerInterface(1, 0, 0, 2, 2, 6, &made)},
        {"no such target", QB_ERR_ARGUMENT, qb.createScsiSamplerInterface(1, 0, 2, 16, &made)},
        {"a disposed interface", QB_ERR_HANDLE,
         qb.createSampleList(gone, QB_ANY_LOCATION, &count, &list, nullptr, nullptr)},
        {"no such location", QB_ERR_NO_LOCATION,
         qb.createSampleList(rack.GetHandle(), 9, &count, &list, nullptr, nullptr)},
        {"no such sample", QB_ERR_NO_SAMPLE, qb.receiveSample(keys.GetHandle(), &unknown, nullptr, nullptr)},
        {"number out of range", QB_ERR_ARGUMENT, BuildSamplerSampleEntry(QB_MAX_SAMPLE_NUMBER + 1, unknown)},
        {"stereo to a mono sampler", QB_ERR_FORMAT,
         send(keys.GetHandle(), Fixture("stereo.wav", 2, 16, 44100, 100), QB_ANY_NUMBER, QB_ANY_LOCATION)},
        {"24 bits to a 16-bit sampler", QB_ERR_FORMAT,
         send(keys.GetHandle(), Fixture("24.wav", 1, 24, 44100, 100), QB_ANY_NUMBER, QB_ANY_LOCATION)},
        {"a rate the sampler lacks", QB_ERR_FORMAT,
         send(rack.GetHandle(), Fixture("96k.wav", 1, 16, 96000, 100), QB_ANY_NUMBER, QB_ANY_LOCATION)},
        {"no sample file", QB_ERR_FORMAT, send(rack.GetHandle(), work.File("text.wav"), 5, QB_ANY_LOCATION)},
        {"a number taken", QB_ERR_SAMPLE_EXISTS, send(keys.GetHandle(), mono, stored.number, QB_ANY_LOCATION)},
        {"into no location", QB_ERR_NO_LOCATION, send(rack.GetHandle(), mono, 5, 9)},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.expected, c.answer) << c.what;
    EXPECT_EQ(nullptr, made);
    EXPECT_EQ(nullptr, list);
    EXPECT_TRUE(before == Snapshot(memory.Path()));

    QbSampleEntry renamed = stored;
    std::strcpy(renamed.name, "Bell high");
    renamed.rootKey = 72;
    ASSERT_EQ(QB_OK, qb.correctSampleInformation(keys.GetHandle(), &renamed));
    QbSampleEntry info = {};
    ASSERT_EQ(QB_OK, BuildSamplerSampleEntry(stored.number, info));
    ASSERT_EQ(QB_OK, qb.receiveSampleInfo(keys.GetHandle(), &info, nullptr, nullptr));
    EXPECT_STREQ("Bell high", info.name);
    EXPECT_EQ(72, info.rootKey);
    EXPECT_TRUE(SamplesOf(mono) == SamplesOf(StoredFile(memory.Path(), stored.number, "Bell high")));
    EXPECT_EQ("", StoredFile(memory.Path(), stored.number, "Bell"));
    ASSERT_EQ(QB_OK, qb.deleteSample(keys.GetHandle(), &info));
    EXPECT_EQ(QB_ERR_NO_SAMPLE, qb.receiveSampleInfo(keys.GetHandle(), &info, nullptr, nullptr));
}

// ---- the dialogs on the screen, answered through the modal seam

namespace {

class DialogApp : public TApplication {
public:
    DialogApp() : TApplication("SamplerDialogsTest", Module()) {}
    using TApplication::SetMainWindow;

private:
    static TModule *&Module() {
        static TModule *module;
        return module;
    }
};

struct ItemSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchItem(HWND child, LPARAM lp) {
    auto *search = reinterpret_cast<ItemSearch *>(lp);
    if (::GetDlgCtrlID(child) != search->id)
        return TRUE;
    search->found = child;
    return FALSE;
}

// The control of a dialog or of one of its pages.
HWND ItemOf(HWND dialog, int id) {
    ItemSearch search = {id, nullptr};
    ::EnumChildWindows(dialog, &MatchItem, LPARAM(&search));
    return search.found;
}

// Chooses an item of a combo or list box as the user does (both notify with 1).
void Choose(HWND dialog, int id, int item) {
    HWND control = ItemOf(dialog, id);
    char name[16] = "";
    ::GetClassNameA(control, name, sizeof name);
    bool combo = _stricmp(name, "ComboBox") == 0;
    ::SendMessageA(control, combo ? CB_SETCURSEL : LB_SETCURSEL, WPARAM(item), 0);
    ::SendMessageA(::GetParent(control), WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE),
                   LPARAM(control));
}

int ItemCount(HWND dialog, int id, bool combo) {
    return int(::SendMessageA(ItemOf(dialog, id), combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
}

bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(ItemOf(dialog, id)) != 0; }

}  // namespace

class SamplerDialogs : public Samplers {
protected:
    SamplerDialogs() : language_("EnglishTs", apptest::UseEnglishTexts()), previous_(TModule::_localizedResourceDLL) {
        frame_ = new TFrameWindow(nullptr, "main");
        app_.SetMainWindow(frame_);
        frame_->Create();
        frame_->Show(SW_SHOW);
        TModule::_localizedResourceDLL = &language_;
    }
    ~SamplerDialogs() override {
        frame_->Destroy();
        TModule::_localizedResourceDLL = previous_;
    }

    DialogApp app_;
    TModule language_;
    TModule *previous_;
    TFrameWindow *frame_;
};

// Locations loaded, another location chosen after the interface was closed again, a
// sample picked and then another number typed: the typed one is received, sample-exact,
// and the gauge is gone after each transfer, a cancelled one leaving nothing behind. A device without locations disables their controls.
TEST_F(SamplerDialogs, ReceiveHonoursTheTypedNumber) {
    LoadPresets(kKeysAndRack);
    SamplerLocationList banks;
    ASSERT_EQ(QB_OK, banks.Load(kRack));
    ASSERT_EQ(2, banks.GetCount());
    std::string lead = Fixture("lead.wav", 2, 16, 44100, 3000);
    std::string pad = Fixture("pad.wav", 2, 24, 48000, 4000);
    std::string bass = Fixture("bass.wav", 1, 16, 22050, 5000);
    Transmit(kRack, lead, "Lead", banks[0].number);
    QbSampleEntry padStored = Transmit(kRack, pad, "Pad", banks[1].number);
    QbSampleEntry bassStored = Transmit(kRack, bass, "Bass", banks[1].number);
    TheSamplerSettings().currentDevice = kRack;
    std::string const received = memory.Path() + "\\Received\\";

    apptest::WhenModal([&](HWND dialog) {
        EXPECT_TRUE(Enabled(dialog, ReceiveSampleDialog::kLoadLocations));
        EXPECT_FALSE(Enabled(dialog, ReceiveSampleDialog::kReceive)) << "no number yet";
        apptest::Click(dialog, ReceiveSampleDialog::kLoadLocations);
        EXPECT_EQ(2, ItemCount(dialog, ReceiveSampleDialog::kLocationCombo, true));
        EXPECT_EQ(1, ItemCount(dialog, ReceiveSampleDialog::kSampleList, false));
        EXPECT_EQ(0, FindSamplerDevice(kRack)->GetOpenCount()) << "the interface is closed between steps";
        Choose(dialog, ReceiveSampleDialog::kLocationCombo, 1);
        ASSERT_EQ(2, ItemCount(dialog, ReceiveSampleDialog::kSampleList, false));
        Choose(dialog, ReceiveSampleDialog::kSampleList, 0);
        EXPECT_EQ(std::to_string(padStored.number), testsupport::TextOf(ItemOf(dialog, 900)));
        ::SetDlgItemInt(dialog, 900, UINT(bassStored.number), FALSE);
        SetProgressCancelAtCheck(2);
        apptest::Click(dialog, ReceiveSampleDialog::kReceive);
        EXPECT_EQ(0, AutoProgressBar::GetNestingDepth());
        EXPECT_TRUE(audiotest::FilesIn(memory.Path() + "\\Received").empty()) << "cancelled: nothing half-written";
        SetProgressCancelAtCheck(0);
        apptest::Click(dialog, ReceiveSampleDialog::kReceive);
        EXPECT_EQ(0, AutoProgressBar::GetNestingDepth());
        Choose(dialog, ReceiveSampleDialog::kDeviceCombo, kKeys);
        EXPECT_FALSE(Enabled(dialog, ReceiveSampleDialog::kLoadLocations));
        EXPECT_FALSE(Enabled(dialog, ReceiveSampleDialog::kLocationCombo));
        EXPECT_EQ(0, ItemCount(dialog, ReceiveSampleDialog::kLocationCombo, true));
        apptest::Click(dialog, IDCANCEL);
    });
    RunReceiveSampleDialog(frame_);

    EXPECT_EQ(kKeys, TheSamplerSettings().currentDevice);
    EXPECT_TRUE(SamplesOf(bass) == SamplesOf(received + "Bass.wav"));
    EXPECT_TRUE(audiotest::FilesIn(memory.Path() + "\\Received").size() == 1) << "only the typed sample";
}

// Cancel still keeps the working device, channel included, as the default preset; a model
// without SCSI disables the unit's choice.
TEST_F(SamplerDialogs, SetupCancelKeepsTheDefault) {
    LoadPresets(kKeysAndRack);
    TheSamplerSettings().currentDevice = kRack;
    apptest::WhenModal([&](HWND dialog) {
        EXPECT_TRUE(Enabled(dialog, SamplerSetupPage::kScsiCombo));
        Choose(dialog, SamplerSetupPage::kModelCombo, 0);
        EXPECT_FALSE(Enabled(dialog, SamplerSetupPage::kScsiCombo));
        EXPECT_TRUE(Enabled(dialog, SamplerSetupPage::kMidiInCombo));
        ::SetDlgItemInt(::GetParent(ItemOf(dialog, SamplerSetupPage::kChannelEdit)), SamplerSetupPage::kChannelEdit, 5,
                        FALSE);
        apptest::Click(dialog, IDCANCEL);
    });
    RunSamplerSetupDialog(frame_);

    EXPECT_EQ(2, SamplerDevices().GetCount());
    SamplerDevice const &rack = *FindSamplerDevice(kRack);
    ExpectDevice({kDefaultSamplerPreset, 0, rack.midiIn, rack.midiOut, 4, rack.scsiUnit}, DefaultSamplerDevice());
    EXPECT_EQ(1, rack.model) << "the list is read again from the file";
}

// A wave's sample data and destination: shown, changed and stored on OK; the note names.
TEST_F(SamplerDialogs, WaveSampleDataAndDestination) {
    for (auto const &[note, name] : std::vector<std::pair<int, char const *>>{
             {0, "C-1"}, {1, "C#-1"}, {11, "B-1"}, {12, "C0"}, {60, "C4"}, {61, "C#4"}, {127, "G9"}})
        EXPECT_STREQ(name, SamplerNoteName(note).c_str());

    SamplerSampleInfo info;
    info.name = "Old";
    apptest::WhenModal([&](HWND dialog) {
        EXPECT_EQ("60", std::to_string(::SendMessageA(ItemOf(dialog, 900), CB_GETCURSEL, 0, 0)));
        EXPECT_EQ(128, ItemCount(dialog, 900, true));
        ::SetDlgItemTextA(dialog, 100, "Choir");
        ::SetDlgItemInt(dialog, 901, 42, FALSE);
        ::SendMessageA(ItemOf(dialog, 900), CB_SETCURSEL, 69, 0);
        apptest::Click(dialog, IDOK);
    });
    SampleInfoDialog(frame_, info, &language_).Execute();
    EXPECT_STREQ("Choir", info.name.c_str());
    EXPECT_EQ(42, info.number);
    EXPECT_EQ(69, info.rootKey);

    LoadPresets(kKeysAndRack);
    TheSamplerSettings().currentDevice = kKeys;
    TheSamplerSettings().currentSample = 7;
    apptest::WhenModal([&](HWND dialog) {
        EXPECT_EQ("7", testsupport::TextOf(ItemOf(dialog, 900)));
        ::SendMessageA(ItemOf(dialog, 100), CB_SETCURSEL, kRack, 0);
        ::SetDlgItemInt(dialog, 900, 16383, FALSE);
        apptest::Click(dialog, IDOK);
    });
    SamplerTargetDialog(frame_, &language_).Execute();
    EXPECT_EQ(kRack, TheSamplerSettings().currentDevice);
    EXPECT_EQ(16383, TheSamplerSettings().currentSample);
}
