// Drag and drop of the selected audio from a wave pane: what lies under the mouse (another
// place of the wave, another wave, its selection, a new window, a tool-bar button, a CD
// program), the cursor and the drop lines that say so, and the drop itself.
#include "waveview/WavePane.h"

#include "audio/Wave.h"
#include "audio/WaveSettings.h"
#include "bars/GadgetWindow.h"
#include "bars/Progress.h"
#include "core/Application.h"
#include "core/Dc.h"
#include "core/GdiObject.h"
#include "core/MessageBoxSeam.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"
#include "manager/MdiDocumentWindows.h"
#include "waveview/DoubleView.h"
#include "waveview/DropLinks.h"
#include "waveview/MouseKeys.h"
#include "waveview/PaneMouseState.h"
#include "waveview/PasteGuards.h"
#include "waveview/WaveView.h"
#include "waveview/WaveViewMemento.h"
#include "waveview/WaveWindow.h"
#include "waveview/ZeroCrossingSnap.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

enum {
    kTextTooShort = 10004,
    kTextPasteDrop = 11032,
    kTextMoveDrop = 11075,
    kAllMagnets = 63,
};

// Drop kinds.
enum {
    kNoTarget = 0,
    kNewWindow = 1,
    kOwnSelection = 2,
    kInsertMono = 3,
    kInsertLeft = 4,
    kInsertRight = 5,
    kInsertBoth = 6,
    kButtonDelete = 7,
    kButtonSilence = 8,
    kButtonCopy = 9,
    kButtonCut = 10,
    kButtonPlay = 11,
    kCrossfadeMono = 13,
    kCrossfadeLeft = 14,
    kCrossfadeRight = 15,
    kCrossfadeBoth = 16,
    kCdProgram = 17,
};

struct DropTarget {
    int kind = kNoTarget;
    WavePane *pane = nullptr;
    HWND window = nullptr;
    TPoint point;  // in the target window's client coordinates
};

bool IsInsert(int kind) { return kind >= kInsertMono && kind <= kInsertBoth; }
bool IsCrossfade(int kind) { return kind >= kCrossfadeMono && kind <= kCrossfadeBoth; }

// The channels an insert or a crossfade of a kind goes into.
int ChannelsOfKind(int kind) {
    int k = IsCrossfade(kind) ? kind - kCrossfadeMono + kInsertMono : kind;
    return k == kInsertRight ? 2 : k == kInsertBoth ? 3 : 1;
}

int KindOfButton(int id) {
    switch (id) {
    case 130: return kButtonPlay;
    case 152: return kButtonSilence;
    case 20011: return kButtonDelete;
    case 20022: return kButtonCut;
    case 20023: return kButtonCopy;
    default: return kNoTarget;
    }
}

int CommandOfButtonKind(int kind) {
    switch (kind) {
    case kButtonDelete: return 20011;
    case kButtonSilence: return 152;
    case kButtonCopy: return 20023;
    default: return 20022;
    }
}

// Onto another wave's selection an insert becomes a crossfade, by the channels it covers.
int CrossfadeKind(int kind, int selected) {
    switch (kind) {
    case kInsertMono: return kCrossfadeMono;
    case kInsertLeft: return selected == 1 ? kCrossfadeLeft : selected == 3 ? kCrossfadeBoth : kind;
    case kInsertRight: return selected == 2 ? kCrossfadeRight : selected == 3 ? kCrossfadeBoth : kind;
    default: return kCrossfadeBoth;
    }
}

// The nearer of the zero crossings before and after a frame.
int NearestZeroCrossing(Wave &wave, int channels, int frame) {
    int before = wave.FindZeroCrossing(2, channels, frame, 0);
    int after = wave.FindZeroCrossing(2, channels, frame, std::max(wave.GetLength() - 1, 0));
    return frame - before <= after - frame ? before : after;
}

void BringToTop(WavePane &pane) {
    if (DoubleView *view = pane.GetView()->GetDoubleView())
        if (TWindow *child = view->GetParentO())
            if (MDIClient *client = _docManager ? _docManager->GetMDIClient() : nullptr)
                ::SendMessageA(client->GetHandle(), WM_MDIACTIVATE, WPARAM(child->GetHandle()), 0);
}

}  // namespace

// ---- what lies under the mouse

namespace {

// The source wave's drag over a pane of a wave view.
int PaneKind(WavePane &source, WavePane &target, TPoint const &point) {
    Wave *wave = source.GetWave(), *targetWave = target.GetWave();
    int b = target.FrameAt(point.x);
    bool inside = targetWave->HasSelection() && b >= targetWave->GetSelectionStart() &&
                  b <= targetWave->GetSelectionEnd();
    int sourceChannels = wave->GetSelectedChannels();
    int half = target.GetClientRect().Height() / 2;
    bool targetRight = target.GetChannel() == 1;
    if (targetWave == wave && inside) {
        if (target.GetChannel() == source.GetChannel() || sourceChannels == 3)
            return kOwnSelection;
        return targetRight ? kInsertRight : kInsertLeft;
    }
    int kind = kInsertMono;
    WaveView *view = target.GetView();
    if (view->GetPane(0) && view->GetPane(1)) {
        if (sourceChannels == 3)
            kind = kInsertBoth;
        else if (targetRight)
            kind = inside || point.y > half ? kInsertRight : kInsertBoth;
        else
            kind = inside || point.y < half ? kInsertLeft : kInsertBoth;
    }
    if (targetWave != wave && inside)
        kind = TheCrossfadeDropLink() ? CrossfadeKind(kind, targetWave->GetSelectedChannels()) : kNoTarget;
    return kind;
}

DropTarget FindDropTarget(WavePane &source, POINT screen) {
    DropTarget target;
    HWND window = ::WindowFromPoint(screen);
    TWindow *found = window ? GetWindowPtr(window) : nullptr;
    target.window = window;
    if (window) {
        POINT client = screen;
        ::ScreenToClient(window, &client);
        target.point = TPoint(client.x, client.y);
    }
    Wave *wave = source.GetWave();
    if (CdDropLink *cd = TheCdDropLink())
        if (window && cd->IsCdProgramView(window)) {
            bool free = wave->GetMarkers().IsRangeFreeOfTracks(wave->GetSelectionStart(), wave->GetSelectionEnd());
            target.kind = free ? kCdProgram : kNoTarget;
            return target;
        }
    if (!found)
        return target;
    if (dynamic_cast<TMDIClient *>(found)) {
        target.kind = kNewWindow;
    } else if (auto *bar = dynamic_cast<TGadgetWindow *>(found)) {
        TGadget *gadget = bar->GadgetFromPoint(target.point);
        target.kind = gadget ? KindOfButton(gadget->GetId()) : kNoTarget;
        if ((target.kind == kButtonCopy || target.kind == kButtonCut) && wave->IsClipboard())
            target.kind = kNoTarget;
    } else {
        WavePane *pane = dynamic_cast<WavePane *>(found);
        if (auto *separator = dynamic_cast<WavePaneSeparator *>(found)) {
            pane = separator->GetView().GetFirstPane();
            ::MapWindowPoints(window, pane->GetHandle(), &target.point, 1);
        }
        if (pane) {
            target.pane = pane;
            target.kind = PaneKind(source, *pane, target.point);
        }
    }
    return target;
}

int InsertCursor(int kind, bool move) {
    static int const copies[] = {401, 371, 381, 411}, moves[] = {451, 421, 431, 441};
    return (move ? moves : copies)[kind - kInsertMono];
}

}  // namespace

int WavePane::DropCursor(TPoint const &point) {
    TPoint at = point;
    ::ClientToScreen(GetHandle(), &at);
    DropTarget target = FindDropTarget(*this, at);
    HeldKeys keys = ReadHeldKeys();
    bool move = keys.shift || keys.alt;
    TrackDropLines(target.pane, target.kind, target.point.x);
    switch (target.kind) {
    case kNewWindow: return (keys.ctrl != wave_->AreBothChannelsActive()) ? 111 : 101;
    case kOwnSelection: return wave_->AreBothChannelsActive() ? 531 : wave_->IsChannelActive(0) ? 311 : 571;
    case kInsertMono:
    case kInsertLeft:
    case kInsertRight:
    case kInsertBoth: return InsertCursor(target.kind, move);
    case kButtonDelete: return 231;
    case kButtonSilence: return 241;
    case kButtonCopy: return 251;
    case kButtonCut: return 321;
    case kButtonPlay: return 261;
    case kCrossfadeMono:
    case kCrossfadeBoth: return 661;
    case kCrossfadeLeft: return 671;
    case kCrossfadeRight: return 681;
    case kCdProgram: return move ? 441 : 411;
    default: return 81;
    }
}

// ---- the drop lines

void WavePane::InvertDropLines(int x, int lines) {
    for (int channel = 0; channel < 2; ++channel) {
        WavePane *pane = lines == 2 ? view_->GetPane(channel) : (channel ? nullptr : this);
        if (!pane || !pane->GetHandle())
            continue;
        TClientDC dc(pane->GetHandle());
        TPen pen(TColor(0, 0, 0), 1, PS_DOT);
        HGDIOBJ old = ::SelectObject(dc, pen);
        int rop = ::SetROP2(dc, R2_NOTXORPEN);
        TRect r = pane->GetClientRect();
        ::MoveToEx(dc, x, r.top, nullptr);
        ::LineTo(dc, x, r.bottom);
        ::SetROP2(dc, rop);
        ::SelectObject(dc, old);
    }
}

void WavePane::TrackDropLines(WavePane *target, int kind, int x) {
    PaneMouseState &mouse = ThePaneMouse();
    int lines = 0;
    if (target && IsInsert(kind)) {
        lines = kind == kInsertBoth ? 2 : 1;
        mouse.mouseFrame = target->SnapToMagnet(x, kAllMagnets);
        if (mouse.mouseFrame < 0)
            mouse.mouseFrame = target->FrameAt(x);
    }
    if (target == mouse.dropPane && x == mouse.dropX && lines == mouse.dropLines)
        return;
    if (mouse.dropPane && mouse.dropLines)
        mouse.dropPane->InvertDropLines(mouse.dropX, mouse.dropLines);
    mouse.dropPane = lines ? target : nullptr;
    mouse.dropX = x;
    mouse.dropLines = lines;
    if (lines)
        target->InvertDropLines(x, lines);
}

// ---- the drop

namespace {

// A new window with the dragged audio, centred on the drop point inside the MDI client.
void DropIntoNewWindow(Wave &source, POINT screen, bool ctrl) {
    MDIClient *client = _docManager ? _docManager->GetMDIClient() : nullptr;
    if (!client)
        return;
    TRect area = client->GetClientRect();
    ::ScreenToClient(client->GetHandle(), &screen);
    int halfWidth = area.Width() * 4 / 10, halfHeight = area.Height() * 7 / 20;
    TRect rect(screen.x - halfWidth, screen.y - halfHeight, screen.x + halfWidth, screen.y + halfHeight);
    rect.Offset(std::max(0, int(area.left - rect.left)) - std::max(0, int(rect.right - area.right)),
                std::max(0, int(area.top - rect.top)) - std::max(0, int(rect.bottom - area.bottom)));
    OpenSelectionInNewWindow(source, rect, ctrl);
}

// Copies the dragged frames to the drop frame, or moves them there (Shift or Alt). A move
// into another wave is a cut and a paste; a paste that fails puts the cut back.
void DropInsert(Wave &source, WavePane &target, int frame, int channels, bool move) {
    Wave &wave = *target.GetWave();
    int s = source.GetSelectionStart(), e = source.GetSelectionEnd();
    int sourceChannels = source.GetSelectedChannels();
    if (!CheckWavesCompatible(&wave, &source, 1, 1))
        return;
    if (!move) {
        AutoDisplayDuration title(kTextPasteDrop);
        wave.Paste(frame, channels, 0, source, s, e, sourceChannels, 1, 1, 1, 1);
    } else if (&wave == &source) {
        AutoDisplayDuration title(kTextMoveDrop);
        int n = e - s + 1;
        int destination = frame > e ? frame - n : std::min(frame, s);
        wave.MoveRange(channels, destination, sourceChannels, s, e, 1);
    } else {
        AutoDisplayDuration title(kTextMoveDrop);
        int undoSteps = source.GetNumUndoMementos();
        source.Cut(1);
        int length = wave.GetLength();
        try {
            wave.SetCaret(channels, frame, 0);
            wave.PasteClipboard(0, 1);
        } catch (...) {
            if (source.GetNumUndoMementos() > undoSteps)
                source.UndoCurrentState();
            throw;
        }
        if (wave.GetLength() == length && source.GetNumUndoMementos() > undoSteps)
            source.UndoCurrentState();
    }
    BringToTop(target);
}

void DropCrossfade(Wave &source, WavePane &target, int channels) {
    Wave &wave = *target.GetWave();
    int s = source.GetSelectionStart(), e = source.GetSelectionEnd();
    int first = wave.GetSelectionStart(), last = wave.GetSelectionEnd();
    if (e - s < last - first) {
        ShowMessageBox(0, String(FindString(kTextTooShort)).c_str(), GetApplicationObject()->GetName(),
                       MB_OK | MB_ICONSTOP);
        return;
    }
    CrossfadeDropLink *link = TheCrossfadeDropLink();
    if (!link || !CheckWavesCompatible(&wave, &source, 1, 1))
        return;
    link->Crossfade(wave, channels, first, last, source, s, e);
    BringToTop(target);
}

}  // namespace

void WavePane::Drop(TPoint const &point) {
    TPoint screen = point;
    ::ClientToScreen(GetHandle(), &screen);
    DropTarget target = FindDropTarget(*this, screen);
    HeldKeys keys = ReadHeldKeys();
    // the lines go before the drop repaints the panes under them
    TrackDropLines(nullptr, kNoTarget, 0);
    int kind = target.kind;
    if (kind == kNewWindow) {
        DropIntoNewWindow(*wave_, screen, keys.ctrl);
    } else if (IsInsert(kind)) {
        int x = target.point.x;
        int frame = target.pane->SnapToMagnet(x, kAllMagnets);
        Wave &wave = *target.pane->GetWave();
        if (frame < 0) {
            frame = std::min(std::max(target.pane->FrameAt(x), 0), wave.GetLength());
            if (TheWaveSettings().snapOn && SnapsAtZoom(target.pane->GetView()->GetZoom()))
                frame = NearestZeroCrossing(wave, ChannelsOfKind(kind) & AllChannelsMask(wave.GetNumChannels()),
                                            frame);
        }
        DropInsert(*wave_, *target.pane, frame, ChannelsOfKind(kind), keys.shift || keys.alt);
    } else if (kind >= kButtonDelete && kind <= kButtonCut) {
        if (TWindow *frameWindow = _docManager ? _docManager->GetMainWindow() : nullptr)
            frameWindow->PostMessageA(WM_COMMAND, CommandOfButtonKind(kind), 0);
    } else if (kind == kButtonPlay) {
        wave_->Play(0, kPlaySelection, 0, 0, nullptr);
    } else if (IsCrossfade(kind)) {
        DropCrossfade(*wave_, *target.pane, ChannelsOfKind(kind));
    } else if (kind == kCdProgram) {
        ::PostMessageA(target.window, kCdDropMessage, WPARAM(wave_), MAKELPARAM(target.point.x, target.point.y));
    }
}
