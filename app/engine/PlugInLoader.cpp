#include "engine/PlugInLoader.h"

#include "core/MessageBoxSeam.h"
#include "engine/AudioEngineEntries.h"
#include "engine/AudioQueueTask.h"
#include "engine/EngineServices.h"
#include "engine/EngineSettings.h"
#include "engine/FileElements.h"
#include "engine/PlaybackElements.h"
#include "foundation/Exception.h"
#include "foundation/FileName.h"
#include "foundation/FileScanner.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"

#include <algorithm>
#include <string>

namespace {

enum {
    kTextNoModule = 19021,
    kTextOldProcessor = 11233,
    kBusyLooks = 99,
    kBusyLookMs = 20,
    kScreenMargin = 50,
    kGerman = 7,
    kFrench = 12,
};

char const kEngineFile[] = "audioengine.dll";
char const *const kFilterNames[] = {"AudioEngineInput", "AudioEngineOutput",    "ACM Wrapper",
                                    "MPEG Audio Codec", "Null-In-Place filter", "Gargle filter"};

struct LoaderState {
    List<PlugInDLL> modules{1};
    List<PlugIn> plugIns{1};
    HMODULE engine = nullptr;
    int32_t initialisedBefore = 0;
    String root;  // empty: the program's folder
};

LoaderState &TheLoader() {
    static LoaderState state;
    return state;
}

String PlugInFolder() {
    String root = TheLoader().root.IsEmpty() ? FileName::GetApplicationPath() : TheLoader().root;
    return root + "\\system\\plugins";
}

// The system shows no box of its own for a module that does not load.
HMODULE LoadQuietly(String const &file) {
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(file.c_str());
    DWORD error = GetLastError();
    SetErrorMode(previous);
    SetLastError(error);
    return module;
}

// Told to the user on the GUI thread; the caller goes on.
void ReportLoadFailure(String const &file, DWORD error) {
    try {
        String title = FileName(file).GetTitle(1);
        ExceptionThrower(1).SetAndThrow(String(BuildString(kTextNoModule, title.c_str())), (unsigned long)(error));
    } catch (...) {
        PostCurrentFailure();
    }
}

template <class Fn>
Fn Entry(HMODULE module, char const *name, int32_t underscore) {
    std::string full = std::string(underscore ? "_" : "") + name;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, full.c_str())));
}

class WaitCursorScope {
public:
    WaitCursorScope() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursorScope() { SetCursor(previous_); }
    WaitCursorScope(WaitCursorScope const &) = delete;
    WaitCursorScope &operator=(WaitCursorScope const &) = delete;

private:
    HCURSOR previous_;
};

// Once per configuration: on a 386 or 486 the user is warned and may decline.
bool AcceptsProcessor() {
    EngineSettings &settings = TheEngineSettings();
    if (settings.processorWarned)
        return true;
    settings.processorWarned = 1;
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    if (info.dwProcessorType != PROCESSOR_INTEL_386 && info.dwProcessorType != PROCESSOR_INTEL_486)
        return true;
    char const *caption = "Tessaro";
    if (_docManager) {
        _docManager->HideSplashWindow();
        caption = _docManager->GetName();
    }
    String text = FindString(kTextOldProcessor);
    return ShowMessageBox(0, text.c_str(), caption, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

bool LoadEngine() {
    LoaderState &loader = TheLoader();
    String file = PlugInFolder() + "\\AudioEngine.dll";
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
        return false;
    HMODULE module = LoadQuietly(file);
    if (!module) {
        ReportLoadFailure(file, GetLastError());
        return false;
    }
    AudioEngineEntries &entries = TheAudioEngine().entries;
    DisableThreadLibraryCalls(module);
    int32_t underscore = entries.Bind(module);
    // A module without the first entry is no engine.
    if (!entries.initializeAudioEngine) {
        entries.Clear();
        FreeLibrary(module);
        ReportLoadFailure(file, ERROR_PROC_NOT_FOUND);
        return false;
    }
    entries.initializeAudioEngine(&TheEngineServices(), loader.initialisedBefore);
    loader.initialisedBefore = 1;
    loader.engine = module;
    loader.modules.Append(new PlugInDLL(module, 1, underscore));
    return true;
}

// The engine's own processors.
void ListEngineProcessors() {
    LoaderState &loader = TheLoader();
    PlugInDLL *engine = loader.modules.GetFirst();
    WqGetNameOfPlugInFn next =
        Entry<WqGetNameOfPlugInFn>(engine->module, "WqGetNameOfPlugIn", engine->underscore);
    if (!next)
        return;
    char name[kPlugInTextSize];
    int32_t kind = 0;
    for (int32_t cookie = 0;;) {
        name[0] = 0;
        cookie = next(cookie, name, &kind);
        if (!cookie)
            break;
        name[kPlugInTextSize - 1] = 0;
        if (kind == kElementPlugIn)
            loader.plugIns.Append(new PlugIn(String(name), engine));
    }
}

// Accepted when it answers the version test in either form and offers its registration in
// the same form; anything else is freed at once.
void LoadPlugInModule(String const &file) {
    HMODULE module = LoadQuietly(file);
    if (!module) {
        ReportLoadFailure(file, GetLastError());
        return;
    }
    int32_t underscore = 0;
    auto isPlugIn = Entry<WqIsAdditionalPlugInDllFn>(module, "WqIsAdditionalPlugInDll", 0);
    if (!isPlugIn) {
        underscore = 1;
        isPlugIn = Entry<WqIsAdditionalPlugInDllFn>(module, "WqIsAdditionalPlugInDll", 1);
    }
    auto registerAll = Entry<WqRegisterAllPlugInFn>(module, "WqRegisterAllPlugIn", underscore);
    int32_t version = 0;
    char text[kPlugInTextSize] = {};
    if (!isPlugIn || !registerAll || !isPlugIn(&version, text) || version != kPlugInVersion) {
        FreeLibrary(module);
        return;
    }
    LoaderState &loader = TheLoader();
    PlugInDLL *entry = loader.modules.Append(new PlugInDLL(module, 0, underscore));
    entry->services = MakePlugInServices(loader.engine);
    registerAll(&entry->services);
}

void ScanPlugInFolder() {
    List<FileName> files;
    FileScanner scanner(FileName(PlugInFolder() + "\\*.dll"), nullptr, 0, 0);
    scanner.SetFileNameList(files);
    for (FileName *file = files.GetFirst(); file; file = files.GetNext(file)) {
        String title = file->GetTitle(1);
        if (lstrcmpiA(title.c_str(), kEngineFile) != 0)
            LoadPlugInModule(*file);
    }
}

// The master section's window takes the title of the user's language.
void NameMasterSectionWindow() {
    HWND window = FindWindowA("AudioUI", "MasterSection");
    if (!window)
        return;
    if (DocumentManager::GetLanguage() == kGerman)
        SetWindowTextA(window, "Masterbereich");
    else if (DocumentManager::GetLanguage() == kFrench)
        SetWindowTextA(window, "Section Ma\xEEtre");
}

// Gives the master queue up to about two seconds to finish a run.
void WaitWhileMasterBusy() {
    for (int look = 0; look < kBusyLooks && MasterQueueBusy(); ++look)
        Sleep(kBusyLookMs);
}

void CancelQueueTasks() {
    BackgroundTaskList &list = TheTaskList();
    AutoCriticalSection hold(list.lock);
    for (Task *task = list.tasks.GetFirst(); task; task = list.tasks.GetNext(task)) {
        if (dynamic_cast<AudioQueueTask *>(task))
            task->Cancel();
    }
}

// Tasks of queues the engine never reported gone: nothing runs them any more.
void DropQueueTasks() {
    BackgroundTaskList &list = TheTaskList();
    AutoCriticalSection hold(list.lock);
    for (Task *task = list.tasks.GetFirst(), *next; task; task = next) {
        next = list.tasks.GetNext(task);
        if (dynamic_cast<AudioQueueTask *>(task))
            delete task;
    }
}

void CloseMasterSection() {
    AudioEngineLink &engine = TheAudioEngine();
    EngineSettings &settings = TheEngineSettings();
    WaitWhileMasterBusy();
    MasterSectionLayout layout;
    layout.x = settings.x;
    layout.y = settings.y;
    if (engine.entries.getPositionOfMasterSection && engine.entries.getPositionOfMasterSection(&layout)) {
        settings.x = layout.x;
        settings.y = layout.y;
    }
    if (engine.entries.destroyMasterSection)
        engine.entries.destroyMasterSection();
    engine.masterQueue = 0;
    MasterQueueBusy() = 0;
    if (engine.entries.uninitializeActiveMovie)
        engine.entries.uninitializeActiveMovie(0, 0);
}

}  // namespace

PlugInDLL::PlugInDLL(HMODULE m, int32_t isEngine, int32_t withUnderscore)
    : module(m), engine(isEngine), underscore(withUnderscore) {}

List<PlugInDLL> &ThePlugInModules() { return TheLoader().modules; }
List<PlugIn> &ThePlugIns() { return TheLoader().plugIns; }

bool IsAudioEngineLoaded() { return TheLoader().engine != nullptr; }

void SetPlugInRoot(String const &folder) { TheLoader().root = folder; }

void LoadPlugIns() {
    if (IsAudioEngineLoaded() || !AcceptsProcessor() || !LoadEngine())
        return;
    ListEngineProcessors();
    ScanPlugInFolder();
    AudioEngineEntries &entries = TheAudioEngine().entries;
    if (entries.initializeActiveMovie)
        entries.initializeActiveMovie(kFilterNames, int32_t(sizeof kFilterNames / sizeof *kFilterNames));
    InitExceptionHandler();
}

int32_t RegisterPlugIn(char const *name, ElementFactory factory, int32_t a, int32_t b, int32_t kind) {
    LoaderState &loader = TheLoader();
    if (kind == kElementPlugIn && name && loader.modules.GetLast())
        loader.plugIns.Append(new PlugIn(String(name), loader.modules.GetLast()));
    WqRegisterPlugInFn forward = TheAudioEngine().entries.registerPlugIn;
    return forward ? forward(name, factory, a, b, kind) : 0;
}

void SetPlugInApplicationWindow(HWND window) {
    if (!IsAudioEngineLoaded())
        return;
    List<PlugInDLL> &modules = TheLoader().modules;
    for (PlugInDLL *module = modules.GetFirst(); module; module = modules.GetNext(module)) {
        if (auto set = Entry<WqSetApplicationWindowFn>(module->module, "WqSetApplicationWindow", module->underscore))
            set(window);
    }
}

void OpenMasterSection() {
    AudioEngineLink &engine = TheAudioEngine();
    if (!engine.entries.createMasterSection || !engine.entries.registerPlugIn)
        return;
    engine.entries.registerPlugIn("AE_Micro", &AE_Micro::Factory, 0, 0, kElementProgram);
    engine.entries.registerPlugIn("AE_Speaker", &AE_Speaker::Factory, 0, 0, kElementProgram);
    engine.entries.registerPlugIn("AE_FileReader", &AE_FileReader::Factory, 0, 0, kElementProgram);
    engine.entries.registerPlugIn("AE_FileWriter", &AE_FileWriter::Factory, 0, 0, kElementProgram);
    AudioChainEntry chain[2];
    lstrcpynA(chain[0].typeName, "AE_Micro", AudioChainEntry::kNameSize);
    lstrcpynA(chain[1].typeName, "AE_Speaker", AudioChainEntry::kNameSize);
    WaitCursorScope wait;
    EngineSettings const &settings = TheEngineSettings();
    MasterSectionLayout layout;
    layout.x = std::min(settings.x, int32_t(GetSystemMetrics(SM_CXSCREEN) - kScreenMargin));
    layout.y = std::min(settings.y, int32_t(GetSystemMetrics(SM_CYSCREEN) - kScreenMargin));
    engine.masterQueue = engine.entries.createMasterSection(chain, 2, kEngineBlockFrames, &layout);
    NameMasterSectionWindow();
}

void ShowMasterSection(int show) {
    AudioEngineLink &engine = TheAudioEngine();
    if (!engine.masterQueue)
        return;
    WqNoArgumentFn change = show ? engine.entries.showMasterSection : engine.entries.hideMasterSection;
    if (change)
        change();
    if (engine.entries.commandToAudioQueue)
        engine.entries.commandToAudioQueue(engine.masterQueue, show ? kQueueShown : kQueueHidden, 0, 0);
}

bool IsMasterSectionOpen() { return TheAudioEngine().masterQueue != 0; }

bool IsMasterSectionVisible() {
    AudioEngineLink &engine = TheAudioEngine();
    return engine.masterQueue && engine.entries.isMasterSectionVisible && engine.entries.isMasterSectionVisible();
}

bool CanCloseMasterSection(void *application) {
    AudioEngineLink &engine = TheAudioEngine();
    return !engine.masterQueue || !engine.entries.canCloseMasterSection ||
           engine.entries.canCloseMasterSection(application);
}

void UnloadPlugIns() {
    LoaderState &loader = TheLoader();
    AudioEngineLink &engine = TheAudioEngine();
    TheEngineSettings().engineOpen = engine.masterQueue ? 1 : 0;
    // The engine ends and joins every queue it runs, so that no job reads a module freed
    // below; the cancel lets the writers give their files up.
    CancelQueueTasks();
    if (engine.masterQueue)
        CloseMasterSection();
    while (PlugInDLL *module = loader.modules.DetachFirst()) {
        if (module->engine && engine.entries.destroyAudioEngine)
            engine.entries.destroyAudioEngine();
        if (module->engine)
            DropQueueTasks();
        FreeLibrary(module->module);
        delete module;
    }
    loader.plugIns.DeleteAll();
    loader.engine = nullptr;
    engine.entries.Clear();
}
