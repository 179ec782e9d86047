// What a failing disk leaves of a save: every kind of save in every format, with the n-th
// file operation failing for every n until the save goes through, leaves the old files
// byte for byte, the wave as it was, no temporary file and a message, or (once the new
// file stood under the target name) the whole new file. Full disks, and a program killed
// while it saves.
#include "audio/AudioFile.h"
#include "audio/Marker.h"
#include "audio/NewWaveFormat.h"
#include "audio/Wave.h"
#include "foundation/File.h"
#include "foundation/FileFaults.h"
#include "foundation/MessageCatalogue.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace audiotest;
using namespace wavetest;

using Folder = std::map<std::string, std::string>;

enum Kind { kOwn, kSaveAs, kCopy, kOneChannel, kMerge };
char const *const kKindNames[] = {"over its own file", "save as", "copy", "one channel", "merge"};

int const kFrames = 64000;  // long enough for a peak file

class SaveFaults : public ::testing::Test {
protected:
    SaveFaults() : previousChooser_(SetRawFormatChooser(&ChooseRawFormatAnswer)) {
        apptest::UseEnglishTexts();
        for (std::string const &folder : {work, files, sources})
            CreateDirectoryA(folder.c_str(), nullptr);
        RawFormatAnswer() = SamplePattern(kPcm16, 2, 1, 44100);
    }
    ~SaveFaults() override {
        FileFaults::FailAt(0);
        FileFaults::SetWriteRoom(-1);
        FileFaults::SetReportedFreeSpace(-1);
        SetRawFormatChooser(previousChooser_);
    }

    std::string In(std::string const &folder, std::string const &name) const { return folder + "\\" + name; }

    // Every file of the saving folder with its bytes.
    Folder Snapshot() const {
        Folder folder;
        for (std::string const &name : FilesIn(files))
            folder[name] = testsupport::ReadBytes(In(files, name));
        return folder;
    }

    void Restore(Folder const &folder) const {
        for (std::string const &name : FilesIn(files))
            DeleteFileA(In(files, name).c_str());
        for (auto const &file : folder)
            testsupport::WriteBytes(In(files, file.first), file.second);
    }

    // The audio file of the format that every save starts from, with the target's old
    // neighbours (peaks and markers of no matter what bytes).
    Folder OldFiles(std::string const &extension) {
        std::string source = In(sources, "x." + extension);
        if (!File::Exist(FileName(source.c_str()))) {
            std::unique_ptr<Wave> wave(DistinctWave(1, 2, kFrames));
            wave->WriteAudioFile(FileName(source.c_str()), -1, smSaveCopy);
        }
        Folder folder;
        folder["x." + extension] = testsupport::ReadBytes(source);
        for (char const *name : {"x.gpk", "x.MRK", "y.gpk", "y.MRK", "l.gpk", "l.MRK"})
            folder[name] = std::string("old ") + name;
        folder["y." + extension] = "old target";
        return folder;
    }

    // The wave each kind saves: over x, or (merge) over the two files l and r; with one
    // step in its history and a marker the saved file does not have.
    std::unique_ptr<Wave> Prepare(Kind kind, std::string const &extension, Folder const &old) {
        Restore(old);
        std::unique_ptr<Wave> wave;
        if (kind == kMerge) {
            std::unique_ptr<Wave> source(OpenWave(In(files, "x." + extension)));
            wave.reset(Wave::CreateEmptyWave(SamplePattern(kPcm16, 2, 0, 44100)));
            wave->Paste(0, 3, 0, *source, 0, kFrames - 1, 3, 1, 0, 1, 1);
            wave->Save(FileName(In(files, "l." + extension).c_str()), smSaveAs, 1, nullptr);
            wave->Save(FileName(In(files, "r." + extension).c_str()), smSaveAs, 2, nullptr);
            for (char const *name : {"l.gpk", "l.MRK"})
                testsupport::WriteBytes(In(files, name), old.at(name));
        } else {
            wave.reset(OpenWave(In(files, "x." + extension)));
        }
        wave->InvertPhase(3, 100, 30099, 1);
        wave->GetMarkers().InsertSorted(new Marker(String("cue"), 500, Marker::kPlain, 0));
        return wave;
    }

    std::string Target(Kind kind, std::string const &extension) const {
        return In(files, (kind == kOwn ? "x." : kind == kMerge ? "l." : "y.") + extension);
    }

    int Save(Wave &wave, Kind kind, std::string const &extension) {
        FileName target(Target(kind, extension).c_str());
        switch (kind) {
        case kOwn: return wave.Save(target, smSave, 0, nullptr);
        case kSaveAs: return wave.Save(target, smSaveAs, 0, nullptr);
        case kCopy: return wave.Save(target, smSaveCopy, 0, nullptr);
        case kOneChannel: return wave.Save(target, smSaveAs, 1, nullptr);
        case kMerge: return wave.Save(target, smSaveAs, 0, nullptr);
        }
        return 0;
    }

    static bool HasTemporaryFile(Folder const &folder) {
        for (auto const &file : folder)
            if (file.first.find(".$$$") != std::string::npos)
                return true;
        return false;
    }

    testsupport::TempDir dir;
    std::string work = dir.File("work"), files = dir.File("files"), sources = dir.File("sources");
    SettingsScope settings{work};
    RecordingPoster poster;
    WarningRecorder warnings;

private:
    TRawFormatChooser previousChooser_;
};

TEST_F(SaveFaults, EveryFailingFileOperationLeavesTheOldFilesOrTheWholeNewOne) {
    for (char const *extension : {"wav", "aif", "au", "raw"}) {
        Folder old = OldFiles(extension);
        for (int kind = kOwn; kind <= kMerge; ++kind) {
            std::string what = std::string(kKindNames[kind]) + ", " + extension;
            std::string target = Target(Kind(kind), extension), targetName = target.substr(files.size() + 1);
            Folder done;
            {
                std::unique_ptr<Wave> wave = Prepare(Kind(kind), extension, old);
                ASSERT_EQ(1, Save(*wave, Kind(kind), extension)) << what;
                done = Snapshot();
            }
            ASSERT_NE(done.at(targetName), old.count(targetName) ? old.at(targetName) : "") << what;
            int n = 1;
            for (;; ++n) {
                std::unique_ptr<Wave> wave = Prepare(Kind(kind), extension, old);
                Samples samples = Interleaved(*wave);
                int steps = wave->GetNumUndoMementos();
                Folder before = Snapshot();
                warnings.texts.clear();
                FileFaults::FailAt(n);
                int result = Save(*wave, Kind(kind), extension);
                bool failed = FileFaults::HasFailed();
                FileFaults::FailAt(0);
                std::string at = what + ", operation " + std::to_string(n);
                Folder after = Snapshot();
                if (!failed) {
                    EXPECT_EQ(1, result) << at;
                    EXPECT_TRUE(done == after) << at;
                    break;
                }
                if (after.at(targetName) == before.at(targetName)) {
                    EXPECT_TRUE(before == after) << at << ": the old files, no temporary file";
                    EXPECT_EQ(0, result) << at;
                    EXPECT_FALSE(warnings.texts.empty()) << at << ": the failure told";
                    EXPECT_TRUE(samples == Interleaved(*wave)) << at;
                    EXPECT_EQ(steps, wave->GetNumUndoMementos()) << at;
                    wave->UndoCurrentState();
                    EXPECT_FALSE(samples == Interleaved(*wave)) << at << ": the step undone";
                } else {
                    EXPECT_EQ(done.at(targetName), after.at(targetName)) << at << ": the whole new file";
                    EXPECT_FALSE(HasTemporaryFile(after)) << at;
                    if (kind != kOwn && kind != kMerge) {
                        EXPECT_EQ(old.at(std::string("x.") + extension), after.at(std::string("x.") + extension)) << at;
                    }
                }
            }
            EXPECT_GT(n, 5) << what << ": a save is many operations";
        }
    }
}

TEST_F(SaveFaults, AFullDiskFailsTheSaveBeforeAnySampleOrWhileItWrites) {
    Folder old = OldFiles("wav");
    std::string drive = String(FileName(files.c_str()).GetDrive()).c_str();
    std::string full = String(BuildString(18019, drive.c_str())).c_str();
    for (bool whileWriting : {false, true}) {
        std::unique_ptr<Wave> wave = Prepare(kOwn, "wav", old);
        Folder before = Snapshot();
        warnings.texts.clear();
        if (whileWriting)
            FileFaults::SetWriteRoom(100000);
        else
            FileFaults::SetReportedFreeSpace(int64_t(kFrames) * 4 + 65536);
        EXPECT_EQ(0, Save(*wave, kOwn, "wav"));
        FileFaults::SetWriteRoom(-1);
        FileFaults::SetReportedFreeSpace(-1);
        ASSERT_EQ(1u, warnings.texts.size()) << whileWriting;
        EXPECT_EQ(0u, warnings.texts[0].find(full)) << warnings.texts[0];
        EXPECT_TRUE(before == Snapshot()) << whileWriting;
        EXPECT_EQ(1, wave->GetNumUndoMementos());
    }
}

uint64_t Checksum(std::string const &bytes) {
    uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : bytes)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

// The child that saves the file over itself, which sets the named event as it starts saving.
class SavingChild {
public:
    SavingChild(std::string const &file, std::string const &work, std::string const &event)
        : saving_(CreateEventA(nullptr, TRUE, FALSE, event.c_str())) {
        std::string command = "\"" + testsupport::ProgramFolder() + "\\WaveSaveChild.exe\" \"" + file + "\" \"" + work +
                              "\" " + event;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            CloseHandle(process.hThread);
            process_ = process.hProcess;
        }
    }
    ~SavingChild() {
        if (process_)
            CloseHandle(process_);
        CloseHandle(saving_);
    }
    SavingChild(SavingChild const &) = delete;
    SavingChild &operator=(SavingChild const &) = delete;

    bool Started() const { return process_ != nullptr; }
    // Waits until it saves; false when it ended first.
    bool WaitUntilSaving() const {
        HANDLE both[2] = {saving_, process_};
        return WaitForMultipleObjects(2, both, FALSE, 60000) == WAIT_OBJECT_0;
    }
    // Its exit code once ended.
    DWORD Finish() const {
        DWORD code = 1;
        WaitForSingleObject(process_, 120000);
        GetExitCodeProcess(process_, &code);
        return code;
    }
    void Kill() const {
        TerminateProcess(process_, 9);
        WaitForSingleObject(process_, 30000);
    }

private:
    HANDLE saving_;
    HANDLE process_ = nullptr;
};

// The program is killed at moments spread over its save, five at a time; the file is
// always whole. A run here saves files of 16 MB; TESSARO_KILL_MB=200 saves ones of 200 MB.
TEST_F(SaveFaults, AProgramKilledWhileItSavesLeavesTheOldFileOrTheNewOne) {
    std::string megabytes = testsupport::Env("TESSARO_KILL_MB");
    int frames = (megabytes.empty() ? 16 : std::atoi(megabytes.c_str())) * 1048576 / 4;
    std::string reference = In(sources, "big.wav");
    std::string oldBytes = SimpleWave(2, 16, 44100, Noise(size_t(frames) * 4, 11));
    testsupport::WriteBytes(reference, oldBytes);
    long saving = 0;
    {
        SavingChild child(reference, work, "TessaroSaving");
        ASSERT_TRUE(child.Started());
        ASSERT_TRUE(child.WaitUntilSaving());
        auto started = std::chrono::steady_clock::now();
        ASSERT_EQ(0u, child.Finish());
        saving = long(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started)
                          .count());
    }
    uint64_t const oldSum = Checksum(oldBytes), newSum = Checksum(testsupport::ReadBytes(reference));
    ASSERT_NE(oldSum, newSum);
    int const kLanes = 5, kKills = 20;
    std::vector<uint64_t> sums(kKills);
    std::vector<std::thread> lanes;
    for (int lane = 0; lane < kLanes; ++lane)
        lanes.emplace_back([&, lane] {
            std::string file = In(files, "big" + std::to_string(lane) + ".wav");
            std::mt19937 random(uint32_t(7 + lane));
            for (int moment = lane; moment < kKills; moment += kLanes) {
                testsupport::WriteBytes(file, oldBytes);
                SavingChild child(file, work, "TessaroSaving" + std::to_string(lane));
                // Five saves at once take longer than one alone.
                if (child.Started() && child.WaitUntilSaving())
                    Sleep(DWORD(random() % (unsigned long)(3 * saving + 2)));
                child.Kill();
                sums[size_t(moment)] = Checksum(testsupport::ReadBytes(file));
            }
        });
    for (std::thread &lane : lanes)
        lane.join();
    int olds = 0, news = 0;
    for (int moment = 0; moment < kKills; ++moment) {
        EXPECT_TRUE(sums[size_t(moment)] == oldSum || sums[size_t(moment)] == newSum) << "killed at moment " << moment;
        (sums[size_t(moment)] == oldSum ? olds : news) += 1;
    }
    std::printf("killed %d saves of %d MB (%ld ms each): %d left the old file, %d the new one\n", kKills,
                frames * 4 / 1048576, saving, olds, news);
}

}  // namespace
