#include "engine/AudioMessages.h"

#include "audio/AudioFile.h"
#include "audio/AudioObject.h"
#include "audio/MarkerSet.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "core/FrameWindow.h"
#include "foundation/Exception.h"
#include "foundation/ThreadEvent.h"
#include "manager/DocumentManager.h"

#include <atomic>
#include <memory>

namespace {

std::atomic<InterThreadReceiver> receiver{nullptr};
std::atomic<HWND> messageWindow{nullptr};

// The new wave holds the recording as an edit: untitled, to be saved.
void MakeNewWave(MessTerminateWaveProcess &message) {
    AudioFile *file = message.file;
    MarkerSet *markers = message.markers;
    message.file = nullptr;
    message.markers = nullptr;
    try {
        std::unique_ptr<Wave> wave(Wave::CreateWaveFromFile(file, markers, 1, nullptr, 1));
        TheWaveWindowLink().OpenWaveWindow(*wave, nullptr);
        wave.release();
        message.result = 1;
    } catch (AException const &e) {
        WarnAudioFileUser(e);
    }
}

}  // namespace

MessStopPlayback::MessStopPlayback(AudioObject *stopped, int32_t stopPosition, int32_t wasRestarted)
    : object(stopped), document(dynamic_cast<Document const *>(stopped)), position(stopPosition),
      restarted(wasRestarted) {
    kind = kMessStopPlayback;
    flags = DeleteWhenHandled;
}

MessTerminateWaveProcess::MessTerminateWaveProcess() { kind = kMessTerminateWaveProcess; }

MessTerminateWaveProcess::~MessTerminateWaveProcess() {
    delete markers;
    delete file;
}

void HandleTerminateWaveProcess(MessTerminateWaveProcess &message) {
    message.result = 0;
    if (!message.object) {
        MakeNewWave(message);
        return;
    }
    AudioFile *file = message.file;
    MarkerSet *markers = message.markers;
    message.file = nullptr;
    message.markers = nullptr;
    message.result = message.object->InsertAudioFile(message.start, message.end, int(message.channels), file, markers,
                                                     message.convert, message.undo, message.name);
}

void PostToMainWindow(InterThreadMessage *message) {
    if (InterThreadReceiver take = receiver.load()) {
        take(message);
        return;
    }
    HWND window = GetAudioMessageWindow();
    if (!window || !PostMessageA(window, WM_INTERTHREAD_MESSAGE, reinterpret_cast<WPARAM>(message), 0))
        delete message;
}

InterThreadReceiver SetInterThreadReceiver(InterThreadReceiver take) { return receiver.exchange(take); }

long SendToMainWindow(InterThreadMessage &message) {
    message.result = 0;
    HWND window = GetAudioMessageWindow();
    if (!window)
        return 0;
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        SendMessageA(window, WM_INTERTHREAD_MESSAGE, reinterpret_cast<WPARAM>(&message), 0);
        return message.result;
    }
    ThreadEvent handled(/*initialState=*/0, /*autoReset=*/0);
    message.event = &handled;
    if (PostMessageA(window, WM_INTERTHREAD_MESSAGE, reinterpret_cast<WPARAM>(&message), 0))
        handled.WaitForIt(INFINITE);
    message.event = nullptr;
    return message.result;
}

HWND SetAudioMessageWindow(HWND window) { return messageWindow.exchange(window); }

HWND GetAudioMessageWindow() {
    if (HWND given = messageWindow.load())
        return given;
    TFrameWindow *frame = _docManager ? _docManager->GetMainWindow() : nullptr;
    return frame ? frame->GetHandle() : nullptr;
}
