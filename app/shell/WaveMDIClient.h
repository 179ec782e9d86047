// The MDI client of the main frame: where every command that concerns the program as a
// whole ends up. Opening documents, the transport (play, stop, loop, record, play mode),
// the master section of the audio engine, the bars and side windows, arranging the
// windows, the wave-out volume. Commands whose handlers belong to subsystems that are not
// there have no row and stay disabled.
#pragma once

#include "manager/MdiDocumentWindows.h"

class TCommandEnabler;

class WaveMDIClient : public MDIClient {
public:
    WaveMDIClient();

    // ---- the transport (TransportCommands.cpp); the enablers are the wave window's too
    void CmPlay();
    void CmStop();
    void CmRecord();
    void CmLoop();
    void CmPlayModeFirst();
    void CmPlayModeSecond();
    void CmMasterSection();
    void CmReceiveSample();
    void CmSamplerSetup();
    void CeSamplerAvailable(TCommandEnabler &ce);
    void CmShowMasterSection();
    void CmVolume();
    void CePlay(TCommandEnabler &ce);
    void CeStop(TCommandEnabler &ce);
    void CeRecord(TCommandEnabler &ce);
    void CeLoop(TCommandEnabler &ce);
    void CeMoveBackward(TCommandEnabler &ce);
    void CeMoveForward(TCommandEnabler &ce);
    void CePlayModeFirst(TCommandEnabler &ce);
    void CePlayModeSecond(TCommandEnabler &ce);
    void CeMasterSection(TCommandEnabler &ce);

    // ---- documents and files
    void CmNew();
    void CmNewWave();
    void CmOpen();
    void CmOpenWave();
    void CmCloseAllWaves();
    void CmDeleteFile();
    void CeAnyWaveOpen(TCommandEnabler &ce);

    // ---- the preferences (380)
    void CmPreferences();

    // ---- the analysis windows: another analysis view (196), its settings (486), disk
    // information (197) and the live input (199)
    void CmOpenAnotherAnalysisView();
    void CmAnalysisSettings();
    void CmDiskInformation();
    void CmLiveInput();
    void CeLiveInput(TCommandEnabler &ce);

    // ---- windows and bars
    void CmMinimizeWaves();
    void CmRestoreAll();
    void CmRestoreWaves();
    void CmToggleBar(uint command);
    void CmToggleFlag(uint command);
    void CmEngineWindow();
    void CmTaskWindow();
    void CmMarkerWindow();
    void CeAnyChild(TCommandEnabler &ce);
    void CeCanMinimize(TCommandEnabler &ce);
    void CeWaveNotMinimized(TCommandEnabler &ce);
    void CeAnyMinimized(TCommandEnabler &ce);
    void CeWaveMinimized(TCommandEnabler &ce);
    void CeWaveActive(TCommandEnabler &ce);
    void CeBar(TCommandEnabler &ce);
    void CeFlag(TCommandEnabler &ce);
    void CeEngineLoaded(TCommandEnabler &ce);
    void CeEngineWindow(TCommandEnabler &ce);
    void CeTaskWindow(TCommandEnabler &ce);
    void CeMarkerWindow(TCommandEnabler &ce);
    void CeEnabled(TCommandEnabler &ce);
    void CeDisabled(TCommandEnabler &ce);

private:
    // The children that show waves (waves), or all; minimized ones (iconic) or the others.
    template <class Visit>
    void ForEachChild(bool waves, Visit visit);
    bool AnyChild(bool waves, bool iconic);
    // Shows a cascade of the File menu at the cursor (0 New, 1 Open).
    void PopUpFileCascade(int index);

    DECLARE_RESPONSE_TABLE(WaveMDIClient);
};

// The play mode bits after command 790 (first) or 791 (second): 1 and 2 take each other's place,
// otherwise the command's bit flips.
int NextPlayModeBits(int bits, bool first);
// The display flags of commands 162, 608 and 609.
int GetDisplayFlag(unsigned command);
// The background task window shows (commands 753; the background jobs' start and end).
bool IsTaskWindowShown();
