// The document type of waves: it opens waves from files (two mono files opened together
// become one stereo wave), has the wave window make their views, and packs and unpacks
// their part of the window layout. Its open dialog shows a preview of the chosen file
// (WaveFilePreview.cpp).
#pragma once

#include "audio/Wave.h"
#include "foundation/FileSelector.h"
#include "manager/DocumentModel.h"

#include <windows.h>

#include <cstdint>

class Wave::Factory : public DocumentModel {
public:
    Factory();

    Document *OpenDoc(FileName const &name, DocMemento const *memento, int createView, int last) override;
    // Two files with the "OpenDualMono" setting on: pairing.
    int OnBeginMultiOpen(int count) override;
    void OnEndMultiOpen() override;
    View *CreateView(Document &document, ViewMemento const *memento) override;
    ViewMemento *CreateUnpackedViewMemento(PackedMemento const *packed) override;
    DocMemento *CreateUnpackedDocMemento(PackedMemento const *packed) override;

    // A file opened as a wave: with openWindow in its window. A memento with open options
    // brings only those; one without, the layout. Null when the file cannot be opened; a
    // later failure passes on (quietly, null).
    Wave *OpenWaveDocument(FileName const &name, DocMemento const *memento, int openWindow);

    // While one lives, opening asks nothing and tells nothing: a file that cannot be
    // opened gives null (the open dialog's preview).
    class QuietOpening {
    public:
        QuietOpening() { ++_factory.quiet_; }
        ~QuietOpening() { --_factory.quiet_; }
        QuietOpening(QuietOpening const &) = delete;
        QuietOpening &operator=(QuietOpening const &) = delete;
    };

private:
    Wave *OpenFile(FileName const &name, DocMemento const *layout, String const *options, int openWindow);
    // The pending wave and the new file make one stereo wave: null when they may not.
    Wave *TryPairing(AudioFile *file, int openWindow, ViewMemento const *view);
    // The pending wave goes on as a wave of its own.
    void ReleasePending();
    // The window of a wave just opened, and how long the opening took.
    void OpenWindow(Wave &wave, ViewMemento const *view, unsigned long start);

    int32_t pairMode_ = 0;
    Wave *pending_ = nullptr;      // the first of two files, waiting for its partner
    int32_t pendingWindow_ = 0;    // it was opened for a window
    int32_t quiet_ = 0;
};

// The open dialog's extra part for waves: template 74 of the language module with the
// preview, explorer style, several files.
void ComplementSelectOpenFile(FileSelectorInfo &info);
UINT_PTR WaveFilePreviewHook(FileSelectorInfo *info, HWND child, UINT message, WPARAM wParam, LPARAM lParam);
// Opens a file as a transient wave that plays from its caret and goes when its playing
// ends (an empty one goes at once); the wave, or null.
Wave *OpenPreviewDocument(FileName const &name);
