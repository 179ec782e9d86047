// What worker threads and documents hand to the GUI thread through the main window: the
// inter-thread messages (3035), caret requests (3024) and the release of transient waves
// (3025).
#include "shell/WaveApp.h"

#include "audio/MainWindowPoster.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "engine/AudioMessages.h"
#include "engine/AudioState.h"
#include "foundation/Exception.h"
#include "foundation/ThreadEvent.h"

#include <algorithm>

namespace {

bool IsPlayed(AudioObject const *object) { return ThePlaybackEngine().IsPlaying(object); }

}  // namespace

// A message with an event belongs to its poster, who waits for it; one without is deleted
// here when it asks to be. The event is set and the message deleted also when acting on it
// failed, so that no worker waits for ever.
LRESULT WaveApp::OnInterThreadMessage(WPARAM wParam, LPARAM) {
    InterThreadMessage *message = reinterpret_cast<InterThreadMessage *>(wParam);
    if (!message)
        return 0;
    try {
        ActOnMessage(*message);
    } catch (AException const &e) {
        WarnUser(e, 0);
    } catch (...) {
        PostCurrentFailure();
    }
    ThreadEvent *event = message->event;
    if (!event && message->IsDeleteWhenHandled())
        delete message;
    if (event)
        event->SetTrue();
    return 0;
}

void WaveApp::ActOnMessage(InterThreadMessage &message) {
    switch (message.kind) {
    case kMessTerminateWaveProcess:
        HandleTerminateWaveProcess(static_cast<MessTerminateWaveProcess &>(message));
        break;
    case kMessStopPlayback: {
        auto &stopped = static_cast<MessStopPlayback &>(message);
        if (IsValidDocument(stopped.document, 1))
            stopped.object->SetPlayStart(stopped.position, stopped.restarted);
        break;
    }
    case kMessFlushPlayback: {
        auto &flush = static_cast<MessFlushPlayback &>(message);
        if (IsValidDocument(flush.document, 1) && IsWaveOutOpen() && IsPlayed(flush.object))
            ThePlaybackEngine().RelocateToCurrent();
        break;
    }
    default: break;
    }
}

LRESULT WaveApp::OnCaretRequest(WPARAM document, LPARAM position) {
    Document *doc = reinterpret_cast<Document *>(document);
    if (!IsValidDocument(DocumentID(doc, 0), 1))
        return 0;
    Wave *wave = dynamic_cast<Wave *>(doc);
    if (!wave)
        return 0;
    wave->SetCaretPosition(int(std::min<LPARAM>(std::max<LPARAM>(position, 0), wave->GetLength())));
    TheWaveWindowLink().ShowCaretInActiveWindow(*wave);
    return 0;
}

// A transient wave asked to go while it is still the document of that serial.
LRESULT WaveApp::OnReleaseRequest(WPARAM wave, LPARAM serial) {
    Document *doc = reinterpret_cast<Wave *>(wave);
    if (IsValidDocument(DocumentID(doc, long(serial)), 0))
        Document::Delete(doc);
    if (NowQuitting())
        ::PostThreadMessageA(::GetCurrentThreadId(), WM_COMMAND, 0, 0);
    return 0;
}
