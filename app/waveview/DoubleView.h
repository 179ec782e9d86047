// The view of a wave document in its window: the main view, and above it, when open, the
// overview. It keeps the window's state as a memento, passes the document's notifications
// on to its views and panes, fills the frame's status bar while it is current, and routes
// the window's commands.
#pragma once

#include "core/LayoutWindow.h"
#include "manager/View.h"

#include <cstdint>

class TextGadget;
class Wave;
class WavePane;
class WaveView;
class WaveViewGlobalMemento;

class DoubleView : public TLayoutWindow, public View {
public:
    DoubleView(TWindow *parent, Wave &wave, WaveViewGlobalMemento const *memento);
    ~DoubleView() override;

    void SetupWindow() override;
    void CleanupWindow() override;
    // A window closed while a fill of its peaks runs a message loop (a peak file being
    // built) closes once the fill has returned.
    int CanClose() override;
    int IdleAction(long idleCount) override;

    // The overview height pixels high above the main view (80 when 0 or less).
    void Layout(int height, int relayout);
    // Opens the overview height pixels high (negative: a quarter of the height), closes it
    // with 0.
    void ShowOverView(int height);
    // Calls f for each pane, the main view's before the overview's, channel 0 first.
    void ForEachPane(void (*f)(WavePane &pane, void *arg), void *arg);
    void InvalidateTimeScales();
    void InvalidateOverViewShadow();
    // Given the main view the overview, given anything else the main view.
    WaveView *OtherView(WaveView *view) const;
    // The main view got a new size: a re-fit that waited for a width takes place.
    void OnMainViewSized();

    Wave &GetWave() const { return *wave_; }
    WaveView *GetMainView() const { return main_; }
    WaveView *GetOverview() const { return overview_; }
    WaveViewGlobalMemento &GetMemento() const { return *memento_; }
    int IsSetUp() const { return setUp_; }
    // The view the scrolling commands act on: the one a pane's command came from, else the
    // main view.
    WaveView *GetTargetView() const;
    // The status bar fields while the view is current (null otherwise).
    enum { kPositionGadget, kLengthGadget, kLevelGadget, kZoomGadget, kSizeGadget, kRateGadget };
    TextGadget *GetStatusGadget(int which) const { return gadgets_[which]; }
    // The main view's place (first visible frame, zoom, vertical zoom and position) kept as
    // the wave's stored position k (0-7), or as the temporary position (-1) with the caret
    // and the selection; and brought back (an empty position changes nothing).
    void StoreViewPosition(int k);
    void RecallViewPosition(int k);
    int HasViewPosition(int k) const;
    // The memento of the window as it is now.
    WaveViewGlobalMemento *TakeMemento() const;

    // ---- View
    int OnStartRubber() override;
    void OnEndRubber(TRect const &rect) override;
    void SetStatusBar(int on) override;
    void UpdateStatusBar() override;
    PackedMemento *CreatePackedMemento() override;
    int Handler(int code, long a, long b) override;

    // ---- commands
    LRESULT EvCommand(uint id, HWND hWndCtl, uint notifyCode) override;
    void EvCommandEnable(TCommandEnabler &ce) override;
    void CmZoomToSelection();
    void CeZoomToSelection(TCommandEnabler &ce);
    void CmToggleOverview();
    void CeToggleOverview(TCommandEnabler &ce);
    void CmStoreTemporaryPosition() { StoreViewPosition(-1); }
    void CmRecallTemporaryPosition() { RecallViewPosition(-1); }
    void CeRecallTemporaryPosition(TCommandEnabler &ce) { ce.Enable(HasViewPosition(-1)); }

    // ---- edit commands (DoubleViewEdits.cpp)
    enum {
        kCmRedo = 20000,
        kCmDelete = 20011,
        kCmUndo = 20021,
        kCmCut = 20022,
        kCmCopy = 20023,
        kCmPaste = 20024,
        kCmPasteOver = 250,
        kCmPasteAtEnd = 251,
        kCmPasteAtStart = 252,
        kCmPasteSpecial = 249,
        kCmMultiPaste = 165,
        kCmCrop = 141,
        kCmSwapChannels = 151,
        kCmSilence = 152,
        kCmInsertSilence = 185,
        kCmReverse = 205,
        kCmInvertPhase = 370,
        kCmDcOffset = 383,
        kCmFadeIn = 482,
        kCmFadeOut = 483,
    };
    void CmCopy();
    void CmCut();
    void CmPaste(uint id);
    void CmMultiPaste();
    void CmDelete();
    void CmCrop();
    void CmSilence();
    void CmInsertSilence();
    void CmReverse();
    void CmInvertPhase();
    void CmSwapChannels();
    void CmDcOffset();
    void CmUndo();
    void CmRedo();
    // The effects, by menu id, through the effects' registered link.
    void CmEffect(uint id);
    void CeSelection(TCommandEnabler &ce);
    void CeData(TCommandEnabler &ce);
    void CeCopy(TCommandEnabler &ce);
    void CeCrop(TCommandEnabler &ce);
    void CeSwapChannels(TCommandEnabler &ce);
    void CeUndo(TCommandEnabler &ce);
    void CeRedo(TCommandEnabler &ce);
    void CeEffect(TCommandEnabler &ce);

    // ---- view, caret and selection commands (DoubleViewNavigation.cpp)
    enum {
        kCmCentreStart = 361,
        kCmCentreEnd = 362,
        kCmCentreSelectionStart = 363,
        kCmCentreSelectionEnd = 364,
        kCmCentreCaret = 365,
        kCmPageLeft = 366,
        kCmPageRight = 367,
        kCmZoomIn = 573,
        kCmZoomOut = 574,
        kCmZoomAll = 575,
        kCmLevelIn = 576,
        kCmLevelOut = 577,
        kCmLevelFit = 578,
        kCmOverviewZoomIn = 579,  // 579-584: the same for the overview
        kCmOverviewLevelFit = 584,
        kCmCaretLeft = 320,
        kCmCaretRight = 321,
        kCmCaretLeftFar = 322,
        kCmCaretRightFar = 323,
        kCmCaretPageLeft = 324,
        kCmCaretPageRight = 325,
        kCmCaretToSelectionStart = 329,
        kCmCaretToSelectionEnd = 330,
        kCmCycleChannels = 332,
        kCmExtendLeft = 340,  // 340-345: one step, 20 steps, a page; left, then right
        kCmExtendRight = 341,
        kCmExtendLeftFar = 342,
        kCmExtendRightFar = 343,
        kCmExtendPageLeft = 344,
        kCmExtendPageRight = 345,
        kCmSelectToStart = 346,
        kCmSelectToEnd = 347,
        kCmSelectAll = 349,
        kCmToggleSelection = 353,
        kCmPreviousMarker = 611,
        kCmNextMarker = 612,
        kCmMoveCaret = 331,
        kCmSelectCdTrack = 845,
    };
    void CmScroll(uint id);
    void CmPage(uint id);
    void CmZoom(uint id);
    void CmCaret(uint id);
    void CmExtend(uint id);
    void CmSelectToStart();
    void CmSelectToEnd();
    void CmSelectAll();
    void CmCycleChannels();
    void CmToggleSelection();
    void CmMarkerStep(uint id);
    void CmMoveCaret();
    void CmSelectCdTrack();
    void CeCdTrackAtCaret(TCommandEnabler &ce);
    void CeCaretNotAtStart(TCommandEnabler &ce);
    void CeCaretNotAtEnd(TCommandEnabler &ce);
    void CeLength(TCommandEnabler &ce);
    void CeAlways(TCommandEnabler &ce);
    void CeToggleSelection(TCommandEnabler &ce);
    // The mouse tool commands 206-213 (tools 0-4) and whether the wave allows a tool.
    static int IsMouseToolCommand(uint id);
    int AllowsMouseTool(int tool) const;
    void SelectMouseTool(uint id);
    void EnableMouseTool(TCommandEnabler &ce);

    // ---- playing, measuring, mixing and saving (DoubleViewWave.cpp)
    enum {
        kCmPlaySelection = 458,
        kCmLoopSelection = 631,
        kCmMixPaste = 384,
        kCmGoToPeak = 193,
        kCmPeakAsLevel = 352,
        kCmSaveCopy = 588,
        kCmSaveLeftPart = 589,
        kCmSaveRightPart = 590,
        kCmSaveInFormat = 587,
        kCmCdTrackFromSelection = 823,
        kCmClearUndoHistory = 481,
        kCmFrequencyAnalysis = 485,
        kCmSamplerTarget = 861,
        kCmSamplerStub = 862,
        kCmSampleInfo = 863,
    };
    void CmPlaySelection();
    void CmLoopSelection();
    void CmMixPaste();
    void CmGoToPeak();
    void CmPeakAsLevel();
    void CmSaveCopy();
    void CmSavePart(uint id);
    void CeTwoFiles(TCommandEnabler &ce);
    void CmSaveInFormat();
    void CmCdTrackFromSelection();
    void CeCdTrackFromSelection(TCommandEnabler &ce);
    void CmClearUndoHistory();
    void CeClearUndoHistory(TCommandEnabler &ce);
    // Through the links registered from above (CommandLinks.h).
    void CmFrequencyAnalysis();
    void CeFrequencyAnalysis(TCommandEnabler &ce);
    void CmSampler(uint id);
    void CeSampler(TCommandEnabler &ce);

    // ---- further windows (DoubleViewWindows.cpp)
    enum {
        kCmNewWaveFromSelection = 200,
        kCmNewWindow = 196,
        kCmStretchToClient = 183,
    };
    void CmNewWaveFromSelection();
    void CmNewWindow();
    void CmStretchToClient();

    // ---- markers (DoubleViewMarkers.cpp)
    enum { kCmAddMarker = 626, kCmAddMarkerAtOnce = 627, kCmEditMarker = 820, kCmFilterMarkers = 822 };
    void CmAddMarker(uint id);
    void CmEditMarker();
    void CeEditMarker(TCommandEnabler &ce);
    void CmFilterMarkers();

    // ---- style sets (DoubleViewStyles.cpp)
    enum { kCmStyleDefault = 278, kCmStyleLast = 283, kCmSaveStyle = 284 };
    void CmApplyStyle(uint id);
    void CeApplyStyle(TCommandEnabler &ce);
    void CmSaveStyle();
    // Both views take the look of style set k.
    void ApplyStyleSet(int set);

    // The double view of the active wave window, null when none.
    static DoubleView *GetActive() { return _active; }
    static void SetActive(DoubleView *view) { _active = view; }
    // A click that activates a wave window only activates it: noted on activation, taken by
    // the pane the click lands in, cleared once the mouse buttons are up.
    static void NoteActivationClick() { _activationClick = 1; }
    static int IsActivationClick() { return _activationClick; }
    static void ClearActivationClick() { _activationClick = 0; }
    // Set while OpenWaveWindow runs.
    static int IsOpening() { return _opening; }
    // A window that dialogs make the command target while they run (0: none).
    static HWND GetCommandTargetOverride() { return _commandTarget; }
    static void SetCommandTargetOverride(HWND window) { _commandTarget = window; }

    // Notes a view as the command target for the length of a command.
    class TargetScope {
    public:
        explicit TargetScope(WaveView *view);
        ~TargetScope();
        TargetScope(TargetScope const &) = delete;
        TargetScope &operator=(TargetScope const &) = delete;

    private:
        DoubleView *doubleView_;
        WaveView *previous_;
    };

    // What OpenWaveWindow sets for its length.
    class OpeningScope {
    public:
        OpeningScope() { ++_opening; }
        ~OpeningScope() { --_opening; }
        OpeningScope(OpeningScope const &) = delete;
        OpeningScope &operator=(OpeningScope const &) = delete;
    };

private:
    enum { kStatusGadgets = 6 };

    DoubleView(DoubleView const &) = delete;
    DoubleView &operator=(DoubleView const &) = delete;

    WaveView *CreateView(int overview);
    // The zooms follow a new length: the whole wave in half the main view's width.
    void RefitToLength();
    void RedrawChannel(int channel, long first, long last);
    void FillStatusGadgets();
    // The active channels while a selection start exists, else 0.
    int EditChannels();
    // The internal clipboard holds frames to put into this wave.
    int HasData() const;
    // The target view, else the main view.
    WaveView &TargetView() const;
    // The main view can still zoom in.
    int CanZoomIn() const;

    Wave *wave_;
    int32_t setUp_ = 0;
    WaveView *targetView_ = nullptr;
    WaveViewGlobalMemento *memento_;
    int32_t *overviewOpen_;
    WaveView *overview_ = nullptr;
    WaveView *main_ = nullptr;
    int32_t lastLength_;
    int32_t refitPending_ = 0;
    TextGadget *gadgets_[kStatusGadgets] = {};

    static DoubleView *_active;
    static int _opening;
    static int _activationClick;
    static HWND _commandTarget;

    DECLARE_RESPONSE_TABLE(DoubleView);
};

// The selection of source copied into a new wave, opened in a window at rect (MDI client
// coordinates); stereo makes it two channels even from one selected channel.
void OpenSelectionInNewWindow(Wave &source, RECT const &rect, int stereo);
