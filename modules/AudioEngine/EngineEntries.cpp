// The entry points of the engine module, exported by their plain names (AudioEngine.def).
#include "AudioEngineCommon/AudioEngineProtocol.h"
#include "EngineState.h"
#include "MasterSection.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Whether the queue that CreateAudioQueueTask asks for inside an apply keeps the dry signal.
thread_local bool applyMixesSource = false;

std::int32_t MakeQueue(AudioChainEntry const *chain, std::int32_t entries, std::int32_t frames, bool master) {
    EngineState &engine = TheEngine();
    if (!chain || entries < 2)
        return 0;
    std::int32_t number = engine.NewQueueNumber();
    std::unique_ptr<AudioQueue> queue(new AudioQueue(number, master, frames, engine.Services()));
    queue->SetMixWithSource(!master && applyMixesSource);
    if (!queue->Build(chain, entries, engine.Types()) || !queue->Launch())
        return 0;
    engine.AddQueue(std::move(queue));
    return number;
}

}  // namespace

extern "C" {

std::int32_t WQ_CALL WqInitializeAudioEngine(EngineServiceTable const *services, std::int32_t) {
    EngineState &engine = TheEngine();
    if (services)
        engine.SetServices(*services);
    engine.Types().Clear();
    RegisterOwnProcessors(engine.Types());
    return 1;
}

std::int32_t WQ_CALL WqGetNameOfPlugIn(std::int32_t cookie, char *name, std::int32_t *kind) {
    return TheEngine().Types().NameAt(cookie, name, kind);
}

std::int32_t WQ_CALL WqRegisterPlugIn(char const *name, ElementFactory factory, std::int32_t, std::int32_t,
                                      std::int32_t kind) {
    EngineState &engine = TheEngine();
    std::int32_t registered = engine.Types().Register(name, factory, kind);
    if (registered && kind == kElementPlugIn && engine.master)
        engine.master->Refill();
    return registered;
}

std::int32_t WQ_CALL WqCreateMasterSection(AudioChainEntry const *chain, std::int32_t entries, std::int32_t frames,
                                           MasterSectionLayout *layout) {
    EngineState &engine = TheEngine();
    if (engine.masterQueue)
        return engine.masterQueue;
    std::int32_t number = MakeQueue(chain, entries, frames, true);
    if (!number)
        return 0;
    engine.masterQueue = number;
    engine.master.reset(new MasterSection(engine.applicationWindow, layout ? *layout : MasterSectionLayout()));
    return number;
}

std::int32_t WQ_CALL WqCreateAudioQueue(AudioChainEntry const *chain, std::int32_t entries, std::int32_t,
                                        std::int32_t frames) {
    return MakeQueue(chain, entries, frames, false);
}

std::uint32_t WQ_CALL WqGetIDOfAudioQueue(std::int32_t number) {
    unsigned id = 0;
    TheEngine().WithQueue(number, [&](AudioQueue &queue) { id = queue.ThreadId(); });
    return id;
}

HANDLE WQ_CALL WqGetHandleOfAudioQueue(std::int32_t number) {
    HANDLE handle = nullptr;
    TheEngine().WithQueue(number, [&](AudioQueue &queue) { handle = queue.DuplicateThreadHandle(); });
    return handle;
}

std::int32_t WQ_CALL WqCommandToAudioQueue(std::int32_t number, std::int32_t command, std::int32_t, std::int32_t) {
    return TheEngine().WithQueue(number, [command](AudioQueue &queue) { queue.Post(command); }) ? 1 : 0;
}

std::int32_t WQ_CALL WqShowMasterSection() {
    EngineState &engine = TheEngine();
    if (engine.master)
        engine.master->Show(true);
    return engine.master ? 1 : 0;
}

std::int32_t WQ_CALL WqHideMasterSection() {
    EngineState &engine = TheEngine();
    if (engine.master)
        engine.master->Show(false);
    return engine.master ? 1 : 0;
}

std::int32_t WQ_CALL WqIsMasterSectionVisible() {
    EngineState &engine = TheEngine();
    return engine.master && engine.master->IsVisible() ? 1 : 0;
}

std::int32_t WQ_CALL WqCanCloseMasterSection(void *) {
    EngineState &engine = TheEngine();
    return engine.master && engine.master->IsChoosingPreset() ? 0 : 1;
}

std::int32_t WQ_CALL WqGetPositionOfMasterSection(MasterSectionLayout *layout) {
    EngineState &engine = TheEngine();
    if (!engine.master || !layout)
        return 0;
    engine.master->StorePosition(*layout);
    return 1;
}

// The window goes first, so that no meter reads the elements while they are destroyed.
std::int32_t WQ_CALL WqDestroyMasterSection() {
    EngineState &engine = TheEngine();
    engine.master.reset();
    EndQueue(engine.TakeQueue(engine.masterQueue));
    engine.masterQueue = 0;
    return 1;
}

std::int32_t WQ_CALL WqAnyErrorInQueueOccured(std::int32_t number) {
    bool error = false;
    TheEngine().WithQueue(number, [&](AudioQueue &queue) { error = queue.HasError(); });
    return error ? 1 : 0;
}

// The processors selected in the master section over the request's range: the program
// builds the queue around them (CreateAudioQueueTask), and it starts at once.
std::int32_t WQ_CALL WqConfirmApply(ApplyRequest const *request) {
    EngineState &engine = TheEngine();
    EngineServiceTable const *services = engine.Services();
    if (!request || !engine.master || !services || !services->createAudioQueueTask || !services->startAudioQueue)
        return 0;
    std::vector<std::string> names = engine.master->SelectedProcessors();
    if (names.empty()) {
        MessageBeep(MB_ICONEXCLAMATION);
        return 0;
    }
    std::vector<AudioChainEntry> chain(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        ElementType type;
        engine.Types().Find(names[i], type);
        chain[i].kind = type.kind;
        std::strncpy(chain[i].typeName, names[i].c_str(), AudioChainEntry::kNameSize - 1);
    }
    applyMixesSource = request->mixWithSource != 0;
    std::int32_t queue = services->createAudioQueueTask(chain.data(), std::int32_t(chain.size()), request);
    applyMixesSource = false;
    if (!queue)
        return 0;
    services->startAudioQueue(queue);
    return 1;
}

std::int32_t WQ_CALL WqInitializeActiveMovie(char const *const *, std::int32_t) { return 1; }

std::int32_t WQ_CALL WqUninitializeActiveMovie(std::int32_t, std::int32_t) { return 1; }

std::int32_t WQ_CALL WqDestroyAudioEngine() {
    EngineState &engine = TheEngine();
    WqDestroyMasterSection();
    for (auto &queue : engine.TakeAllQueues())
        EndQueue(std::move(queue));
    engine.Types().Clear();
    return 1;
}

std::int32_t WQ_CALL WqSetApplicationWindow(HWND window) {
    TheEngine().applicationWindow = window;
    return 1;
}

}  // extern "C"
