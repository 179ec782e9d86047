// The preferences dialog (command 380): ten pages over the settings the components loaded
// at start-up. Only OK writes the pages back (the tool bar page acts at once); the owners
// write their groups whenever the settings are saved. OK is refused, with nothing changed,
// while the File page's temporary folder is unusable; Cancel replaces an unusable current
// folder by the system drive. After either, the block cache takes its new size, the wave
// windows and the status bar show the new settings.
#pragma once

#include "controls/PropertyDialog.h"
#include "foundation/FileName.h"

#include <cstdint>

class DocumentManager;
class FilePage;
class FrameWindow;
class TListSpinEdit;
class TRangeSpinEdit;

class PrefPropertyDialog : public PropertyDialog {
public:
    enum { kResource = 10, kTabPictures = 332, kTabValue = 1, kTextBadFolder = 10001 };
    enum Page { kGeneral, kAudioCard, kToolBar, kEditing, kFile, kDisplay, kUnits, kTimeScale, kDatabase, kCdr };

    PrefPropertyDialog(TWindow *parent, DocumentManager &manager, TModule *module);

    DocumentManager &GetManager() const { return manager_; }
    // The main frame whose bars and flags the pages edit; null without one.
    FrameWindow *GetFrame() const;

    void CmOk() override;
    void CmCancel() override;
    void CleanupWindow() override;

private:
    FilePage &GetFilePage() const;

    DocumentManager &manager_;
};

// ---- the pages, in tab order (PreferencePages*.cpp)

class GeneralPage : public PropertyPage {
public:
    enum { kResource = 41, kAutoSavePref = 242, kAutoSaveLayout = 240, kLogo = 243, kLanguage = 241 };
    GeneralPage(PrefPropertyDialog &dialog, TModule *module);
    int SaveData() override;

private:
    DocumentManager &manager_;
};

class AudioCardPage : public PropertyPage {
public:
    enum {
        kResource = 58, kOutDevice = 244, kInDevice = 245, kOutInfo = 246, kInInfo = 247, kOutSize = 903,
        kOutCount = 902, kInSize = 901, kInCount = 900, kResolution = 540, kMaxDropOut = 910, kStopOnDrop = 545,
        kMaxDropOutLabel = 546, kDevicePosition = 201, kLatency = 200
    };
    AudioCardPage(PrefPropertyDialog &dialog, TModule *module);
    void SetupWindow() override;
    int SaveData() override;

    void CmOutInfo();
    void CmInInfo();
    void EvBuffersChanged();
    void CeDropOut(TCommandEnabler &ce);

private:
    TRangeSpinEdit *outSize_, *outCount_, *inSize_, *inCount_, *maxDropOut_;
    DECLARE_RESPONSE_TABLE(AudioCardPage);
};

class ToolBarPage : public PropertyPage {
public:
    enum {
        kResource = 8, kShowTips = 108, kShowStatusBar = 103, kFont = 200, kButtonSize = 900,
        kToggleStatusBar = 32040  // the frame's own show and hide of the status bar
    };
    ToolBarPage(PrefPropertyDialog &dialog, TModule *module);
    int SaveData() override;

    void CmShowStatusBar();
    void CmFont();
    void EvButtonSizeChanged();
    void CeFont(TCommandEnabler &ce);

private:
    bool StatusBarShown() const;
    // A new status bar window, filled by the active view, and the frame laid out again.
    void RenewStatusBar();

    FrameWindow *frame_;
    TRangeSpinEdit *buttonSize_;
    DECLARE_RESPONSE_TABLE(ToolBarPage);
};

class EditingPage : public PropertyPage {
public:
    enum {
        kResource = 13, kSnapZoom = 116, kLeftSlope = 130, kRightSlope = 131, kScanRange = 910, kUnlimitedUndo = 107,
        kUndoLimit = 900, kUndoLabel = 2004, kSliderOrientation = 190, kSelLevelShift = 195, kColorCursors = 104,
        kUnlimited = 1000
    };
    EditingPage(PrefPropertyDialog &dialog, TModule *module);
    int SaveData() override;
    void CeUndoLimit(TCommandEnabler &ce);

private:
    TRangeSpinEdit *scanRange_, *undoLimit_;
    DECLARE_RESPONSE_TABLE(EditingPage);
};

class FilePage : public PropertyPage {
public:
    enum {
        kResource = 14, kPadFiles = 106, kTempFileRes = 107, kDualMono = 102, kFolder = 101, kBrowse = 104,
        kCacheMode = 205, kHugeSize = 900, kCacheSize = 901
    };
    FilePage(PrefPropertyDialog &dialog, TModule *module);
    int SaveData() override;
    // The temporary folder as the edit holds it now.
    FileName TypedFolder();
    void CmBrowse();

private:
    TRangeSpinEdit *hugeSize_, *cacheSize_;
    DECLARE_RESPONSE_TABLE(FilePage);
};

class DisplayPage : public PropertyPage {
public:
    enum {
        kResource = 11, kOverView = 101, kOverView2 = 102, kAutoZoom = 160, kMouseWindow = 150, kFlickerFree = 100,
        kOpenSeconds = 900
    };
    DisplayPage(PrefPropertyDialog &dialog, TModule *module);
    int SaveData() override;

private:
    TRangeSpinEdit *openSeconds_;
};

class UnitsPage : public PropertyPage {
public:
    enum { kResource = 15, kTimeUnit = 120, kLevelUnit = 130, kDropMarkers = 102 };
    UnitsPage(PrefPropertyDialog &dialog, TModule *module);
    int SaveData() override;
};

class TimeScalePage : public PropertyPage {
public:
    enum { kResource = 12, kFrameRate = 120, kTicks = 901, kTempo = 900, kSignature = 902 };
    TimeScalePage(PrefPropertyDialog &dialog, TModule *module);
    void SetupWindow() override;
    int SaveData() override;

private:
    TRangeSpinEdit *ticks_, *tempo_;
    TListSpinEdit *signature_;
};

class DatabasePage : public PropertyPage {
public:
    enum {
        kResource = 38, kWarnDelete = 110, kFloppy = 100, kFirstDrive = 101, kSecondDrive = 102, kListMaxSize = 900,
        kBeepAtLimit = 430, kTellAtLimit = 431
    };
    DatabasePage(PrefPropertyDialog &dialog, TModule *module);
    int SaveData() override;

private:
    TRangeSpinEdit *listMaxSize_;
};

class CdrPage : public PropertyPage {
public:
    enum {
        kResource = 72, kPause = 900, kPreRoll = 901, kBuffers = 910, kFramesInBuffer = 911, kBufferText = 110,
        kIsrc = 125, kPlayMasterSection = 200, kTextBufferSize = 11352
    };
    CdrPage(PrefPropertyDialog &dialog, TModule *module);
    int SaveData() override;
    // The memory the buffers take, as 910 and 911 hold them now.
    void CeBufferText(TCommandEnabler &ce);

private:
    TRangeSpinEdit *pause_, *preRoll_, *buffers_, *framesInBuffer_;
    DECLARE_RESPONSE_TABLE(CdrPage);
};

// ---- command 380

// Runs the dialog and returns how it closed (IDOK, IDCANCEL). Tests install their own.
typedef int (*PreferencesRunner)(PrefPropertyDialog &dialog);
// Installs a runner (null: the modal run); returns the previous one.
PreferencesRunner SetPreferencesRunner(PreferencesRunner runner);

// The dialog over the main window at the place and page it was left, then the steps after
// closing. Returns how it closed.
int OpenPreferences(DocumentManager &manager);
// After the dialog, either way: the block cache takes a changed "CSize" (held to 4..256
// blocks), the double views take the new display settings, the status bar redraws.
void ApplyPreferencesAfterClose(DocumentManager &manager, int32_t cacheBytesBefore);
