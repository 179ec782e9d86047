#include "engine/AudioMessages.h"

#include "audio/AudioObject.h"
#include "core/FrameWindow.h"
#include "manager/DocumentManager.h"

#include <windows.h>

#include <atomic>

namespace {

std::atomic<InterThreadReceiver> receiver{nullptr};

HWND MainWindow() {
    TFrameWindow *frame = _docManager ? _docManager->GetMainWindow() : nullptr;
    return frame ? frame->GetHandle() : nullptr;
}

}  // namespace

MessStopPlayback::MessStopPlayback(AudioObject *stopped, int32_t stopPosition, int32_t wasRestarted)
    : object(stopped), document(dynamic_cast<Document const *>(stopped)), position(stopPosition),
      restarted(wasRestarted) {
    kind = kMessStopPlayback;
    flags = DeleteWhenHandled;
}

void PostToMainWindow(InterThreadMessage *message) {
    if (InterThreadReceiver take = receiver.load()) {
        take(message);
        return;
    }
    HWND window = MainWindow();
    if (!window || !PostMessageA(window, WM_INTERTHREAD_MESSAGE, reinterpret_cast<WPARAM>(message), 0))
        delete message;
}

InterThreadReceiver SetInterThreadReceiver(InterThreadReceiver take) { return receiver.exchange(take); }
