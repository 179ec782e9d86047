#include "waveview/WaveWindow.h"

#include "audio/AudioFile.h"
#include "audio/NewWaveFormat.h"
#include "audio/TimeSettings.h"
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "core/MenuDescr.h"
#include "core/Module.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"
#include "waveview/DoubleView.h"
#include "waveview/LevelFormat.h"
#include "waveview/MouseKeys.h"
#include "waveview/PositionText.h"
#include "waveview/WaveView.h"
#include "waveview/WaveViewMemento.h"
#include "waveview/WaveWindowSettings.h"

#include <memory>

namespace {

int const kWaveMenu = 2;
int const kTextOtherRate = 10062;

// The menu of the wave window: an Edit group and three container menus of its own.
void GiveMenu(WaveMDIChild &child) {
    TModule *module = TModule::_localizedResourceDLL;
    if (module && ::FindResourceA(module->GetHandle(), MAKEINTRESOURCEA(kWaveMenu), MAKEINTRESOURCEA(4)))
        child.SetMenuDescr(TMenuDescr(TResId(kWaveMenu), 0, 1, 3, 0, 0, 0, 0, module));
}

// The frame shows the active wave window's menu merged into its own.
void ShowChildMenu(WaveMDIChild &child, bool active) {
    TFrameWindow *frame = _docManager ? _docManager->GetMainWindow() : nullptr;
    if (!frame || !frame->GetMenuDescr())
        return;
    if (!active)
        frame->RestoreMenu();
    else if (TMenuDescr const *own = child.GetMenuDescr())
        frame->MergeMenu(*own);
}

class WaveWindowRegistration : public WaveWindowLink {
public:
    void OpenWaveWindow(Wave &wave, ViewMemento const *memento) override {
        ::OpenWaveWindow(&wave, dynamic_cast<WaveViewGlobalMemento const *>(memento));
    }

    View *CreateView(Wave &wave, ViewMemento const *memento) override {
        return ::OpenWaveWindow(&wave, dynamic_cast<WaveViewGlobalMemento const *>(memento));
    }

    ViewMemento *CreateUnpackedViewMemento(PackedMemento const *packed) override {
        return packed ? UnpackViewMemento(packed, PackedMemento::GetLength(packed)) : nullptr;
    }

    void ShowCaretInActiveWindow(Wave &wave) override {
        DoubleView *active = DoubleView::GetActive();
        if (active && &active->GetWave() == &wave && active->GetMainView())
            active->GetMainView()->ShowCaret();
    }

    String FormatPosition(long position, unsigned unit, int precision, SamplePattern const &pattern) override {
        return ::FormatPosition(position, unit, precision, pattern);
    }

    unsigned GetGlobalTimeUnit() override { return ::GetGlobalTimeUnit(); }
};

}  // namespace

// ---- the child frame

DEFINE_RESPONSE_TABLE1(WaveMDIChild, MDIChild)
    EV_MESSAGE(WM_MDIACTIVATE, EvMDIActivate, v_MdiActivate),
END_RESPONSE_TABLE;

// A memento of a rectangle only places the frame there.
WaveMDIChild::WaveMDIChild(DoubleView &view, WaveViewGlobalMemento const *memento)
    : MDIChild(view, memento), view_(view) {
    if (memento && memento->HasRectangleOnly()) {
        RECT const &r = memento->placement.rcNormalPosition;
        Attr.X = r.left;
        Attr.Y = r.top;
        Attr.W = r.right - r.left;
        Attr.H = r.bottom - r.top;
    }
}

HWND WaveMDIChild::GetCommandTarget() {
    if (HWND target = DoubleView::GetCommandTargetOverride())
        return target;
    return MDIChild::GetCommandTarget();
}

void WaveMDIChild::EvMDIActivate(HWND activated, HWND deactivated) {
    MDIChild::EvMDIActivate(activated, deactivated);
    bool active = activated == GetHandle();
    if (active) {
        SetActiveWave(&view_.GetWave());
        DoubleView::SetActive(&view_);
        if (WaveView *main = view_.GetMainView())
            main->SetFadePreview(nullptr);
        if (IsLeftButtonDown())
            DoubleView::NoteActivationClick();
        ShowChildMenu(*this, true);
    } else if (DoubleView::GetActive() == &view_) {
        SetActiveWave(nullptr);
        DoubleView::SetActive(nullptr);
        if (!activated)
            ShowChildMenu(*this, false);
    }
}

// ---- opening

DoubleView *OpenWaveWindow(Wave *wave, WaveViewGlobalMemento const *memento) {
    DoubleView::OpeningScope opening;
    DoubleView *view = new DoubleView(nullptr, *wave, memento);
    WaveMDIChild *child = new WaveMDIChild(*view, memento);
    GiveMenu(*child);
    child->Create();
    child->SetFocus();
    return view;
}

DoubleView *OpenWaveWindowAt(TRect const &rect) {
    SamplePattern pattern;
    Wave *wave = Wave::CreateEmptyWave(GetNewWaveFormat(pattern));
    WaveViewGlobalMemento memento(rect);
    return OpenWaveWindow(wave, &memento);
}

// Each file's frames go to the end of the wave, in all its channels. A wave over the file
// owns it from the start, and lets it go to the segments that use it.
DoubleView *OpenWaveFromFiles(std::vector<AudioFile *> const &files, SamplePattern const &pattern) {
    std::unique_ptr<Wave> wave;
    size_t taken = 0;
    try {
        wave.reset(Wave::CreateEmptyWave(pattern));
        while (taken < files.size()) {
            AudioFile *file = files[taken];
            if (file->GetRate() != pattern.GetRate())
                throw Exception(String(FindString(kTextOtherRate)));
            ++taken;
            std::unique_ptr<Wave> over(Wave::CreateWaveFromFile(file, nullptr, 1, nullptr, 0));
            over->ForgetSavedState();
            int end = wave->GetLength();
            wave->InsertFrom(end, end - 1, AllChannelsMask(pattern.GetNumChannels()), *over, 0);
            wave->UpdateLength(1);
        }
    } catch (...) {
        for (size_t i = taken; i < files.size(); ++i)
            files[i]->DetachFromWave();
        throw;
    }
    DoubleView *view = OpenWaveWindow(wave.get(), nullptr);
    wave.release();
    return view;
}

// ---- units

unsigned GetGlobalTimeUnit() {
    int unit = TheTimeSettings().dialUnit;
    if (unit >= 0 && unit < int(kUnitOfEachView))
        return unsigned(unit);
    DoubleView *active = DoubleView::GetActive();
    return active && active->GetMainView() ? active->GetMainView()->GetTimeUnit() : kUnitSeconds;
}

int GetLevelUnit() {
    int unit = GetLevelDialUnit();
    if (unit != kLevelOfEachView)
        return unit;
    DoubleView *active = DoubleView::GetActive();
    return active && active->GetMainView() ? active->GetMainView()->GetLevelUnit() : kLevelDecibels;
}

void LoadWaveWindowPrefs(Config &config) {
    LoadWaveDoubleViewSettings(config);
    LoadScrollOnPlaySetting(config);
    LoadLevelScaleDialUnit(config);
    LoadPresetStyles();
}

void SaveWaveWindowPrefs(Config &config) {
    SaveWaveDoubleViewSettings(config);
    SaveScrollOnPlaySetting(config);
    SaveLevelScaleDialUnit(config);
}

WaveWindowLink *RegisterWaveWindow() {
    static WaveWindowRegistration registration;
    return SetWaveWindowLink(&registration);
}
