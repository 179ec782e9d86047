#include "shell/PlayClock.h"

#include "audio/Wave.h"
#include "engine/AudioState.h"
#include "foundation/Exception.h"
#include "shell/WaveApp.h"

#include <windows.h>

namespace {

enum : UINT { kTickMs = 50 };

UINT_PTR timerId = 0;
DocumentID played;

void NoteActivity() {
    if (WaveApp *app = TheWaveApp())
        app->NoteActivity();
}

// The document whose audio is being played; null when what plays is no document.
Document *FindPlayedDocument() {
    DocumentManager *manager = _docManager;
    for (Document *doc = manager ? manager->FindFirstDoc() : nullptr; doc; doc = manager->FindNextDoc(doc))
        if (auto const *audio = dynamic_cast<AudioObject const *>(doc))
            if (audio->IsPlaying())
                return doc;
    return nullptr;
}

// The played document stops being it; a document closed meanwhile hears nothing.
void EndPlayed() {
    if (_docManager && _docManager->IsValidDocument(played, 0))
        const_cast<Document *>(played.GetDocument())->NotifyViews(kNotifyPlayCursorOff);
    played.Clear();
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    try {
        TickPlayClock();
    } catch (...) {
        PostCurrentFailure();
    }
}

void StartPlayClock() {
    if (!timerId)
        timerId = ::SetTimer(nullptr, 0, kTickMs, OnTick);
}

}  // namespace

void TickPlayClock() {
    NoteActivity();
    if (!IsWaveOutOpen()) {
        StopPlayClock();
        return;
    }
    Document *doc = FindPlayedDocument();
    if (!doc)
        return;
    if (played != DocumentID(doc)) {
        if (played.IsInitialized())
            EndPlayed();
        doc->NotifyViews(kNotifyHideCaret);
        played.Init(doc);
    }
    doc->NotifyViews(kNotifyPlayCursor, ThePlaybackEngine().GetPosition());
    StartPlayClock();
}

void IdlePlayClock() {
    if (IsWaveOutOpen())
        StartPlayClock();
    else if (played.IsInitialized())
        EndPlayed();
}

void StopPlayClock() {
    if (timerId)
        ::KillTimer(nullptr, timerId);
    timerId = 0;
}

bool IsPlayClockRunning() { return timerId != 0; }
