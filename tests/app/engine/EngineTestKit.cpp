#include "tests/app/engine/EngineTestKit.h"

#include "audio/PlaybackLink.h"
#include "audio/SampleConversion.h"
#include "audio/Wave.h"
#include "engine/AudioQueueTask.h"
#include "engine/AudioState.h"
#include "engine/BackgroundQueueMessages.h"
#include "engine/WaveRecorder.h"
#include "foundation/Exception.h"
#include "foundation/ThreadEvent.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace enginetest {

namespace {

// The channels a reader asked for, in order.
class ChannelTask : public ASampleProvider::Task {
public:
    explicit ChannelTask(uint32_t mask) : mask(mask) {}
    uint32_t mask;
};

std::mutex postedLock;
std::vector<StopReport> posted;

}  // namespace

float FrameIndex(int frame) { return float(frame); }

float Ramp(int frame) { return float(frame % 4001 - 2000) / 2048.0f; }

FrameObject::FrameObject(int length, int channels, uint32_t rate, std::function<float(int)> value)
    : AudioObject(SamplePattern(kPcm16, channels, 1, rate)), length_(length), value_(std::move(value)) {}

FrameObject::~FrameObject() { ThePlayback().StopAndWait(); }

int FrameObject::ReadFloatFrames(Task *task, float *const *outputs, int outputOffset, int first, int count) {
    uint32_t mask = static_cast<ChannelTask *>(task)->mask;
    int output = 0;
    for (int bit = 1; bit <= 2; bit <<= 1) {
        if (!(mask & uint32_t(bit)))
            continue;
        for (int i = 0; i < count; ++i)
            outputs[output][outputOffset + i] = Sample(bit, first + i);
        ++output;
    }
    framesRead += count;
    return count;
}

ASampleProvider::Task *FrameObject::CreateReadTask(ChannelSet const &request) {
    return new ChannelTask(request.GetMask());
}

PlaybackScope::PlaybackScope() : previous_(SetPlaybackLink(&ThePlaybackEngine())) {}

PlaybackScope::~PlaybackScope() {
    ThePlaybackEngine().StopAndWait();
    SetPlaybackLink(previous_);
}

PostedMessages::PostedMessages() : previous_(SetInterThreadReceiver(&PostedMessages::Receive)) {
    std::lock_guard<std::mutex> hold(postedLock);
    posted.clear();
}

PostedMessages::~PostedMessages() { SetInterThreadReceiver(previous_); }

void PostedMessages::Receive(InterThreadMessage *message) {
    std::unique_ptr<InterThreadMessage> owned(message);
    if (auto *stop = dynamic_cast<MessStopPlayback *>(message)) {
        std::lock_guard<std::mutex> hold(postedLock);
        posted.push_back({stop->object, stop->position, stop->restarted});
    }
}

std::vector<StopReport> PostedMessages::Stops() {
    std::lock_guard<std::mutex> hold(postedLock);
    return posted;
}

bool PostedMessages::WaitForStops(size_t count, unsigned milliseconds) {
    return WaitUntil([&] { return Stops().size() >= count; }, milliseconds);
}

bool WaitUntil(std::function<bool()> const &condition, unsigned milliseconds) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(2);
    }
    return true;
}

std::string SoundFile(char const *name) {
    // The folder is a Unix path; Z: is the whole Unix file system.
    std::string path = "Z:" + testsupport::Env("TESSARO_AUDIO_DIR") + "/" + name;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string PlayedBytes() { return testsupport::ReadBytes(SoundFile("playback.raw")); }

void ClearPlayed() { testsupport::WriteBytes(SoundFile("playback.raw"), ""); }

std::string DeviceBytes(FrameObject const &object, SamplePattern const &device, int first, int count) {
    std::vector<float> channels[2];
    float const *inputs[2];
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < count; ++i)
            channels[c].push_back(object.Sample(1 << c, first + i));
        inputs[c] = channels[c].data();
    }
    std::string bytes(size_t(count) * size_t(device.GetBytesPerFrame()), '\0');
    InterleaveFromFloat(inputs, 0, device.GetNumChannels(), count, &bytes[0], 0, device.GetFlags());
    return bytes;
}

std::vector<int16_t> CaptureSignal(int seconds) {
    std::vector<int16_t> signal(size_t(seconds) * 44100 * 2);
    for (size_t i = 0; i < signal.size(); ++i)
        signal[i] = int16_t(i % 2 ? -int(i % 20011) : int(i % 30011) - 15000);
    testsupport::WriteBytes(SoundFile("capture.raw"),
                            std::string(reinterpret_cast<char const *>(signal.data()), signal.size() * 2));
    return signal;
}

::testing::AssertionResult IsRunsOfCapture(std::vector<int16_t> const &recorded, std::vector<int16_t> const &signal,
                                           int *runs) {
    size_t from = 0;
    int count = 0;
    for (size_t at = 0; at < recorded.size(); ++count) {
        auto start = std::search(signal.begin() + long(from), signal.end(), recorded.begin() + long(at),
                                 recorded.begin() + long(std::min(at + 64, recorded.size())));
        if (start == signal.end())
            return ::testing::AssertionFailure() << "samples from " << at << " on are not the file's next ones";
        size_t in = size_t(start - signal.begin());
        if (in % 2)
            return ::testing::AssertionFailure() << "the run from " << at << " is not of whole frames";
        while (at < recorded.size() && in < signal.size() && recorded[at] == signal[in])
            ++at, ++in;
        from = in;
    }
    if (runs)
        *runs = count;
    return ::testing::AssertionSuccess();
}

// ---- MainWindowStandIn

MainWindowStandIn::MainWindowStandIn() {
    static ATOM registered = [] {
        WNDCLASSA c = {};
        c.lpfnWndProc = &MainWindowStandIn::Procedure;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = "TessaroTestMainWindow";
        return RegisterClassA(&c);
    }();
    window = CreateWindowA(MAKEINTATOM(registered), "main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    previousWindow_ = SetAudioMessageWindow(window);
    previousLink_ = SetWaveWindowLink(this);
}

MainWindowStandIn::~MainWindowStandIn() {
    SetWaveWindowLink(previousLink_);
    SetAudioMessageWindow(previousWindow_);
    DestroyWindow(window);
}

void MainWindowStandIn::OpenWaveWindow(Wave &wave, ViewMemento const *) { opened.emplace_back(&wave); }

LRESULT CALLBACK MainWindowStandIn::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (RouteWaveInMessage(message, wParam, lParam))
        return 0;
    if (message != WM_INTERTHREAD_MESSAGE)
        return DefWindowProcA(window, message, wParam, lParam);
    InterThreadMessage *posted = reinterpret_cast<InterThreadMessage *>(wParam);
    if (posted->kind == kMessTerminateWaveProcess)
        HandleTerminateWaveProcess(*static_cast<MessTerminateWaveProcess *>(posted));
    // A waiting sender's message is its own and may be gone once the event is set.
    if (posted->event)
        posted->event->SetTrue();
    else if (posted->IsDeleteWhenHandled())
        delete posted;
    return 0;
}

bool MainWindowStandIn::PumpUntil(std::function<bool()> const &condition, unsigned milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_POSTED_EXCEPTION && !msg.hwnd) {
                std::unique_ptr<Exception> failure(reinterpret_cast<Exception *>(msg.lParam));
                if (failure)
                    failures.push_back(failure->GetText().c_str());
                continue;
            }
            DispatchMessageA(&msg);
        }
        if (condition())
            return true;
        if (GetTickCount() - start > milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// ---- the audio engine's jobs

namespace {

struct JobRecord {
    std::mutex lock;
    std::vector<JobEnd> ends;
    int starts = 0;
    int applies = 0;
};

JobRecord &Jobs() {
    static JobRecord record;
    return record;
}

}  // namespace

JobMessages::JobMessages() {
    JobRecord &jobs = Jobs();
    std::lock_guard<std::mutex> hold(jobs.lock);
    jobs.ends.clear();
    jobs.starts = jobs.applies = 0;
    previous_ = SetInterThreadReceiver(&JobMessages::Receive);
}

JobMessages::~JobMessages() { SetInterThreadReceiver(previous_); }

void JobMessages::Receive(InterThreadMessage *message) {
    std::unique_ptr<InterThreadMessage> owned(message);
    JobRecord &jobs = Jobs();
    std::lock_guard<std::mutex> hold(jobs.lock);
    if (auto *end = dynamic_cast<MessOnEndOfBackgroundQueue *>(message))
        jobs.ends.push_back(JobEnd{end->kept, end->failed, end->cancelled});
    jobs.starts += message->kind == kMessOnStartOfBackgroundQueue;
    jobs.applies += message->kind == kMessAudioQueueDone;
}

std::vector<JobEnd> JobMessages::Ends() {
    std::lock_guard<std::mutex> hold(Jobs().lock);
    return Jobs().ends;
}

int JobMessages::Starts() {
    std::lock_guard<std::mutex> hold(Jobs().lock);
    return Jobs().starts;
}

int JobMessages::ApplyRequests() {
    std::lock_guard<std::mutex> hold(Jobs().lock);
    return Jobs().applies;
}

int QueueTasks() {
    BackgroundTaskList &list = TheTaskList();
    AutoCriticalSection hold(list.lock);
    int count = 0;
    for (Task *task = list.tasks.GetFirst(); task; task = list.tasks.GetNext(task))
        count += dynamic_cast<AudioQueueTask *>(task) != nullptr;
    return count;
}

std::pair<uint32_t, uint32_t> QueueProgress() {
    BackgroundTaskList &list = TheTaskList();
    AutoCriticalSection hold(list.lock);
    for (Task *task = list.tasks.GetFirst(); task; task = list.tasks.GetNext(task)) {
        if (auto *queued = dynamic_cast<AudioQueueTask *>(task))
            return {queued->done, queued->total};
    }
    return {0, 0};
}

int ThreadCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

std::vector<std::string> FilesIn(std::string const &folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return names;
}

int FramesNotScaled(Wave &wave, int id, int channel, int first, int last, double factor) {
    wavetest::Samples after = wavetest::ReadChannel(wave, channel);
    wavetest::Samples before = wavetest::DistinctSamples(id, channel, 0, int(after.size()));
    int off = 0;
    for (int i = 0; i < int(after.size()); ++i) {
        double expected = i >= first && i <= last ? before[size_t(i)] * factor : before[size_t(i)];
        off += std::fabs(after[size_t(i)] - expected) > 256;
    }
    return off;
}

}  // namespace enginetest
