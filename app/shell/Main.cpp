// The program's entry point and main entry: the framework's first start (the language
// module, the hand-over to a running first instance), the processing modules, the
// application object, the CD library and the sampler link around the message loop, and
// the way back down in the reverse order.
#include "brastow/Brastow.h"
#include "core/Module.h"
#include "core/XBase.h"
#include "effects/EffectCommands.h"
#include "effects/FadePreviewLink.h"
#include "engine/AudioState.h"
#include "engine/CdLibraryStart.h"
#include "engine/SamplerLink.h"
#include "foundation/Exception.h"
#include "malvane/Malvane.h"
#include "pindral/Pindral.h"
#include "shell/ProcessingModules.h"
#include "shell/ShellSettings.h"
#include "shell/WaveCommandLinks.h"
#include "shell/WFrameWindow.h"
#include "shell/WaveApp.h"
#include "waveview/MarkerDialog.h"
#include "waveview/WaveWindow.h"

#include <windows.h>

#include <cstdlib>

namespace {

LanguageDLL const kLanguages[] = {{LANG_ENGLISH, "system\\EnglishTs.dll"},
                                  {LANG_FRENCH, "system\\FrenchTs.dll"},
                                  {LANG_GERMAN, "system\\GermanTs.dll"},
                                  {0, "system\\EnglishTs.dll"}};

char const kProduct[] = "Tessaro";
char const kCompany[] = "Korvane";
char const kFrameClass[] = "TessaroFrame";
char const kCommonResources[] = "system\\CommonRscTs.dll";

// The CD library from its start to its end and the sampler link while it is loaded: both
// go whatever happens in between.
class OutsideLibraries {
public:
    OutsideLibraries() { SetCdLibraryRefusedStart(CDR_Init() == BRASTOW_REFUSED); }
    ~OutsideLibraries() {
        FreeSamplerLibrary();
        CDR_End();
    }
    OutsideLibraries(OutsideLibraries const &) = delete;
    OutsideLibraries &operator=(OutsideLibraries const &) = delete;
};

// Run with the outside libraries around it; a failure is told to the user. The exit code
// is Run's, else 1.
int RunApplication(WaveApp &app) {
    try {
        OutsideLibraries libraries;
        LoadSamplerLibrary();
        return app.Run();
    } catch (AException const &e) {
        app.WarnUser(e, 1);
        return 1;
    }
}

// The application object's life; whatever escapes it ends the program quietly with the
// exit code reached so far.
int RunWaveApp() {
    int exitCode = 1;
    try {
        WaveApp app;
        exitCode = RunApplication(app);
        BypassFreeing();
        app.PumpWaitingMessages();
    } catch (...) {
    }
    return exitCode;
}

int RunProgram(int argc, char **argv, TModule const &program) {
    if (!DocumentManager::VeryFirstInit(argc, argv, kProduct, kFrameClass, kCompany, kCommonResources, kLanguages))
        return 1;
    AttachGuiThreadToAudio();
    RegisterWaveWindow();
    RegisterFadeCurve();
    RegisterEffectMenu();
    RegisterCrossfadeDrop();
    RegisterFrameForWaves();
    RegisterMarkerDialog();
    RegisterWaveCommandLinks();
    ProcessingModules modules;
    if (!modules.IsBound())
        return 1;
    int exitCode = RunWaveApp();
    DeleteFileCache();
    SftTree_UnregisterApp2(program.GetHandle());
    return exitCode;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    static TModule program(kProduct, instance);
    TApplication::SetWinMainParams(instance, previous, commandLine, show);
    try {
        return RunProgram(__argc, __argv, program);
    } catch (AException &e) {
        return HandleGlobalException(e, nullptr, nullptr);
    }
}
