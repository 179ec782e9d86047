// What worker threads and documents hand to the GUI thread through the main window: the
// inter-thread messages (3035), among them the start and end of the audio engine's
// background jobs, caret requests (3024) and the release of transient waves (3025).
#include "shell/WaveApp.h"

#include "audio/MainWindowPoster.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "engine/AudioMessages.h"
#include "engine/AudioState.h"
#include "engine/BackgroundQueueMessages.h"
#include "core/MessageBoxSeam.h"
#include "effects/EngineApply.h"
#include "foundation/MessageCatalogue.h"
#include "manager/MdiDocumentWindows.h"
#include "manager/View.h"
#include "shell/WaveMDIClient.h"
#include "foundation/Exception.h"
#include "foundation/ThreadEvent.h"

#include <algorithm>

namespace {

enum : unsigned { kTextTaskDone = 11193, kCmdTaskWindow = 753 };

// The task window was shown when the running job started (its end closes only what its
// start opened).
bool taskWindowWasShown = false;

bool IsPlayed(AudioObject const *object) { return ThePlaybackEngine().IsPlaying(object); }

// The document window of a document's first view that has one.
TWindow *DocumentWindow(Document &doc) {
    for (View *view = doc.GetViews().GetFirst(); view; view = doc.GetViews().GetNext(view))
        if (TWindow *window = view->GetWindow())
            for (TWindow *w = window; w; w = w->GetParentO())
                if (dynamic_cast<MDIChild *>(w))
                    return w;
    return nullptr;
}

Document *JobDocument(DocumentManager &app, BackgroundJob const &job) {
    return app.IsValidDocument(job.document, 1) ? const_cast<Document *>(job.document.GetDocument()) : nullptr;
}

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
    case kMessAudioQueueDone: ApplyProcessorGuarded(); break;
    case kMessOnStartOfBackgroundQueue:
        StartBackgroundJob(static_cast<MessOnStartOfBackgroundQueue &>(message).job);
        break;
    case kMessOnEndOfBackgroundQueue: EndBackgroundJob(static_cast<MessOnEndOfBackgroundQueue &>(message)); break;
    case kMessFlushPlayback: {
        auto &flush = static_cast<MessFlushPlayback &>(message);
        if (IsValidDocument(flush.document, 1) && IsWaveOutOpen() && IsPlayed(flush.object))
            ThePlaybackEngine().RelocateToCurrent();
        break;
    }
    default: break;
    }
}

// A job starts on a wave: the playback stops and the wave's window is minimised when the
// job asks; the task window opens when it asks for it.
void WaveApp::StartBackgroundJob(BackgroundJob const &job) {
    Document *doc = JobDocument(*this, job);
    if (!doc)
        return;
    if (job.flags.stopPlayback)
        ThePlaybackEngine().StopAndWait();
    if (TWindow *window = job.flags.minimizeWindow ? DocumentWindow(*doc) : nullptr)
        window->ShowWindow(SW_MINIMIZE);
    taskWindowWasShown = IsTaskWindowShown();
    if (job.flags.openTaskWindow && !taskWindowWasShown && frame_)
        frame_->PostMessageA(WM_COMMAND, kCmdTaskWindow, 0);
}

// A job ended: its wave's window comes back, a success is told as the job asks, and a task
// window opened for it closes again.
void WaveApp::EndBackgroundJob(MessOnEndOfBackgroundQueue const &end) {
    AutoCriticalSection lock(TheTaskList().lock);
    BackgroundJob const &job = end.job;
    Document *doc = JobDocument(*this, job);
    if (!doc)
        return;
    if (TWindow *window = job.flags.restoreWindow ? DocumentWindow(*doc) : nullptr) {
        window->ShowWindow(SW_RESTORE);
        if (TWindow *active = client_ ? client_->GetActiveMDIChild() : nullptr)
            ::BringWindowToTop(active->GetHandle());
    }
    if (!end.failed && !end.cancelled) {
        if (job.flags.beep && !IsWaveOutOpen())
            ::MessageBeep(MB_ICONASTERISK);
        if (job.flags.message) {
            String text(BuildString(kTextTaskDone, job.name.c_str()));
            ShowMessageBox(frame_ ? frame_->GetHandle() : nullptr, text.c_str(), GetName(), MB_ICONINFORMATION | MB_OK);
        }
    }
    if (job.flags.openTaskWindow && !taskWindowWasShown && IsTaskWindowShown() && frame_)
        frame_->PostMessageA(WM_COMMAND, kCmdTaskWindow, 0);
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
