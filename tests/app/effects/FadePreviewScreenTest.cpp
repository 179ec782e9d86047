// The fade dialog's preview over the selection of the active wave window, read back from
// the pane's pixels: there while the dialog is active, gone when it loses the activation
// or closes, and a fade out falling where a fade in rises.
#include "effects/EffectCommands.h"
#include "effects/EffectDialogs.h"
#include "effects/FadeDialogs.h"
#include "effects/FadePreviewLink.h"
#include "effects/ProcessorRegistry.h"
#include "waveview/FadeCurveLink.h"
#include "waveview/WavePane.h"
#include "waveview/WaveWindowSettings.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/waveview/WaveWindowTestKit.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using wavewindowtest::Pixels;
using wavewindowtest::Settle;
using wavewindowtest::WindowsScope;

int const kFrames = 30000, kFirst = 3000, kLast = 12000;

bool PumpUntil(std::function<bool()> const &condition) {
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 20000; ::Sleep(5)) {
        Settle();
        if (condition())
            return true;
    }
    return false;
}

// A window on a quiet stereo wave at 64 frames a pixel, without overview, axes or markers.
WaveViewGlobalMemento Memento() {
    WaveViewGlobalMemento m;
    m.defaultFlag = 0;
    m.words.zoom[0] = m.words.zoom[1] = -64;
    m.views.overviewOpen = 0;
    for (WaveViewStyleBlock &b : m.views.views)
        b.view.axis = b.view.axis50 = 0;
    return m;
}

class FadePreviewScreen : public testing::Test {
protected:
    FadePreviewScreen()
        : language_("EnglishTs", apptest::UseEnglishTexts()), previousLanguage_(TModule::_localizedResourceDLL),
          previousCurve_(RegisterFadeCurve()) {
        TModule::_localizedResourceDLL = &language_;
        TheWaveWindowSettings().openOverView = 0;
        TheWaveWindowSettings().autoZoom = 0;
        BuildProcessorRegistry();
    }
    ~FadePreviewScreen() override {
        app.CloseAll();
        DestroyProcessorRegistry();
        TheWaveWindowSettings() = WaveWindowSettings();
        SetFadeCurveLink(previousCurve_);
        TModule::_localizedResourceDLL = previousLanguage_;
    }

    void SetUp() override {
        Wave *wave = app.OpenWave("quiet.wav", 2, kFrames, [](int, int) { return 0; });
        ASSERT_TRUE(wave);
        WaveViewGlobalMemento m = Memento();
        view = app.OpenWindow(wave, &m)->GetMainView();
        wave->SetSelection(kFirst, kLast, 3, 0);
        Settle();
        pane = view->GetFirstPane();
        ASSERT_TRUE(pane && pane->GetHandle());
    }

    // Opens the fade dialog on the record, out of the pane's way, and activates it.
    OkApplyTabDialog *OpenFade(FadeOpcodes const &fade) {
        *static_cast<FadeOpcodes *>(GetCurrentOpcodes(kFadeProcessor)) = fade;
        EXPECT_EQ(1, OpenFadeFromMenu(fade.fadeIn));
        auto *dialog = FindEffectDialog<OkApplyTabDialog>(FadeDialog::kDialog);
        if (!dialog || !dialog->GetHandle())
            return nullptr;
        ::SetWindowPos(dialog->GetHandle(), HWND_TOP, ::GetSystemMetrics(SM_CXSCREEN) - 20,
                       ::GetSystemMetrics(SM_CYSCREEN) - 20, 0, 0, SWP_NOSIZE);
        ::SetActiveWindow(dialog->GetHandle());
        return dialog;
    }

    bool PreviewShown() { return view->GetFadePreview() != nullptr; }

    WindowsScope app;
    TModule language_;
    TModule *previousLanguage_;
    FadeCurveLink *previousCurve_;
    WaveView *view = nullptr;
    WavePane *pane = nullptr;
};

// The topmost row of a column that differs, or -1.
int FirstChangedRow(Pixels const &a, Pixels const &b, int x) {
    for (int y = 0; y < a.Height(); ++y)
        if (a.At(x, y) != b.At(x, y))
            return y;
    return -1;
}

// The caret blinks at the selection's start: its columns are left out.
bool NearCaret(int x, int caret) { return x >= caret - 1 && x <= caret + 3; }

// The columns in [first, last] that differ.
int ChangedColumns(Pixels const &a, Pixels const &b, int first, int last, int caret) {
    int changed = 0;
    for (int x = first; x <= last; ++x)
        if (!NearCaret(x, caret) && FirstChangedRow(a, b, x) >= 0)
            ++changed;
    return changed;
}

// The columns of [first, last] unlike the column before them: none over the selection of a
// quiet wave without a curve.
int UnevenColumns(Pixels const &p, int first, int last, int caret) {
    int uneven = 0;
    for (int x = first + 1; x <= last; ++x)
        if (!NearCaret(x, caret) && !NearCaret(x - 1, caret))
            for (int y = 0; y < p.Height(); ++y)
                if (p.At(x, y) != p.At(x - 1, y)) {
                    ++uneven;
                    break;
                }
    return uneven;
}

// How the selection is drawn also follows the activation, so the curve is told from the
// same pane without the preview, and its absence by the selection's even columns.
TEST_F(FadePreviewScreen, TheCurveIsDrawnOverTheSelectionWhileTheDialogIsActive) {
    int x1 = pane->FrameX(kFirst), x2 = pane->FrameX(kLast), right = pane->FrameX(kFrames - 1);
    int inset = (x2 - x1) / 20;
    ASSERT_LT(right, Pixels(pane->GetHandle()).Width());
    for (int fadeIn : {0, 1}) {
        SCOPED_TRACE(fadeIn);
        auto *dialog = dynamic_cast<FadeDialogBase *>(OpenFade(FadeOpcodes(3, 2, fadeIn, 0)));
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(PumpUntil([&] { return PreviewShown(); }));
        EXPECT_EQ(&dialog->GetPreview(), view->GetFadePreview());
        FadePreview const &shown = dialog->GetPreview();
        EXPECT_EQ(3, shown.level);
        EXPECT_EQ(2, shown.time);
        EXPECT_EQ(fadeIn, shown.fadeIn);
        EXPECT_EQ(1, shown.curves);
        Settle();
        Pixels faded(pane->GetHandle());
        view->SetFadePreview(nullptr);
        Settle();
        Pixels bare(pane->GetHandle());
        EXPECT_EQ(0, UnevenColumns(bare, x1, x2, x1));
        view->SetFadePreview(&shown);
        Settle();

        EXPECT_EQ(0, ChangedColumns(bare, faded, 0, x1 - 1, x1) + ChangedColumns(bare, faded, x2 + 1, right, x1))
            << "columns changed outside the selection";
        // a line ends short of its last point
        EXPECT_EQ(x2 - x1 - 4, ChangedColumns(bare, faded, x1, x2 - 1, x1)) << "a column without the curve";
        int early = FirstChangedRow(bare, faded, x1 + inset), late = FirstChangedRow(bare, faded, x2 - inset);
        EXPECT_EQ(fadeIn == 1, early > late) << "the curve near the start at " << early << ", near the end at " << late;

        ::SetActiveWindow(app.GetMainWindow()->GetHandle());
        EXPECT_TRUE(PumpUntil([&] { return !PreviewShown(); })) << "gone with the activation";
        Settle();
        EXPECT_EQ(0, UnevenColumns(Pixels(pane->GetHandle()), x1, x2, x1));
        ::SetActiveWindow(dialog->GetHandle());
        EXPECT_TRUE(PumpUntil([&] { return PreviewShown(); })) << "back with it";
        Settle();
        EXPECT_EQ(0, ChangedColumns(faded, Pixels(pane->GetHandle()), 0, right, x1));

        dialog->CloseWindow(IDCANCEL);
        EXPECT_TRUE(PumpUntil([&] { return !PreviewShown(); })) << "gone with the dialog";
        Settle();
        EXPECT_EQ(0, UnevenColumns(Pixels(pane->GetHandle()), x1, x2, x1));
    }
}

// A crossfade's two curves, the second from its own record, and a curve without fade left
// out.
TEST(FadeCurveRegistration, GivesTheWaveWindowBothCurvesOfACrossfade) {
    FadeCurveLink *previous = RegisterFadeCurve();
    FadeCurveLink *link = TheFadeCurveLink();
    FadePreview preview;
    static_cast<FadeOpcodes &>(preview) = FadeOpcodes(-1, 3, 1, 0);
    preview.second = FadeOpcodes(20, 5, 0, 0);
    preview.curves = 2;
    EXPECT_EQ(2, link->GetCurveCount(preview));
    EXPECT_EQ(1, link->GetCurveCount(FadeOpcodes(3, 2, 1, 0)));
    EXPECT_EQ(-1, link->GetHandle(preview, 0).gainIndex);
    EXPECT_EQ(kFadeLevelCount - 1, link->GetHandle(preview, 1).gainIndex) << "the last level at most";
    EXPECT_EQ(5, link->GetHandle(preview, 1).time);
    EXPECT_EQ(100, link->GetHeight(preview.second, 0, 100, 0, 50)) << "a fade out starts full";
    EXPECT_EQ(0, link->GetHeight(preview, 1, 100, 50, 50)) << "and ends at nothing";
    SetFadeCurveLink(previous);
}

// Without a selection there is nothing to draw over; the open dialog turns to a fade in.
TEST_F(FadePreviewScreen, NoPreviewWithoutASelectionAndTheOpenDialogFollowsTheMenu) {
    auto &record = *static_cast<FadeOpcodes *>(GetCurrentOpcodes(kFadeProcessor));
    view->GetWave()->ClearSelection(0);
    OkApplyTabDialog *dialog = OpenFade(FadeOpcodes(3, 2, 0, 0));
    ASSERT_TRUE(dialog);
    Settle();
    EXPECT_FALSE(PreviewShown()) << "nothing to show without a selection";

    ASSERT_EQ(1, OpenFadeFromMenu(1));
    dialog->SaveAllPages();
    EXPECT_EQ(1, record.fadeIn) << "the open dialog turned to a fade in, its controls too";
    EXPECT_EQ(3, record.level);
    dialog->CloseWindow(IDCANCEL);
}

}  // namespace
