#include "audio/MainWindowPoster.h"

#include "core/FrameWindow.h"
#include "manager/DocumentManager.h"

#include <atomic>

namespace {

HWND MainWindow() {
    TFrameWindow *frame = _docManager ? _docManager->GetMainWindow() : nullptr;
    return frame ? frame->GetHandle() : nullptr;
}

class WindowPoster : public MainWindowPoster {
public:
    void PostInterThreadMessage(InterThreadMessage *message) override {
        HWND window = MainWindow();
        if (!window || !PostMessageA(window, kMsgInterThread, reinterpret_cast<WPARAM>(message), 0))
            delete message;
    }

    void PostReleaseRequest(Wave *wave, long serial) override {
        if (HWND window = MainWindow())
            PostMessageA(window, kMsgReleaseRequest, reinterpret_cast<WPARAM>(wave), LPARAM(serial));
    }
};

WindowPoster windowPoster;
std::atomic<MainWindowPoster *> registeredPoster{nullptr};

}  // namespace

MainWindowPoster &ThePoster() {
    MainWindowPoster *poster = registeredPoster.load();
    return poster ? *poster : windowPoster;
}

MainWindowPoster *SetMainWindowPoster(MainWindowPoster *poster) { return registeredPoster.exchange(poster); }
