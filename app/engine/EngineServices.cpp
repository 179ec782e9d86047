#include "engine/EngineServices.h"

#include "engine/AudioEngineEntries.h"
#include "engine/AudioQueueTask.h"
#include "engine/BackgroundQueueMessages.h"
#include "engine/EngineSettings.h"
#include "engine/PlayerSettings.h"
#include "engine/PlugInLoader.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"

#include <process.h>

#include <cstdio>

namespace {

enum { kTextEngineError = 11203 };

struct ErrorText {
    uint32_t code;
    unsigned text;
};

ErrorText const kErrorTexts[] = {
    {kEngineErrorNoMemory, 11354}, {kEngineErrorNoQueue, 11355},    {kEngineErrorProcessing, 11307},
    {kEngineErrorOpen, 11308},     {kEngineErrorStart, 11309},      {kRefuseRate, 11204},
    {kRefuseChannels, 11205},      {kRefuseSourceChannels, 11206},  {kRefuseTooManyChannels, 11207},
    {kRefuseRateRange, 11208},     {kRefuseRatio, 11209},
};

std::atomic<int32_t> masterBusy{0};
std::atomic<uint32_t> activityDeadline{0};
std::atomic<PlugInPresetChooser> presetChooser{nullptr};

int32_t WQ_CALL EngineMessageFilter(MSG const *message) {
    if (!message)
        return 0;
    UINT kind = message->message;
    bool key = kind >= WM_KEYFIRST && kind <= WM_KEYFIRST + 8;
    if (key || (kind >= WM_MOUSEFIRST && kind <= WM_MOUSEFIRST + 9))
        activityDeadline = GetTickCount() + 1000;
    if (!key || !_docManager)
        return 0;
    try {
        return _docManager->OnKey(*message, kind == WM_KEYDOWN || kind == WM_SYSKEYDOWN ? 1 : 0);
    } catch (...) {
        PostCurrentFailure();
        return 0;
    }
}

int32_t WQ_CALL OnEngineNotification(int32_t queue, int32_t type) {
    AudioEngineLink &engine = TheAudioEngine();
    bool master = queue != 0 && queue == engine.masterQueue;
    switch (type) {
    case kNotifyRunning:
        if (master)
            masterBusy = 1;
        break;
    case kNotifyFinished:
        if (master)
            masterBusy = 0;
        else if (engine.entries.commandToAudioQueue)
            engine.entries.commandToAudioQueue(queue, kQueueEnd, 0, 0);
        break;
    case kNotifyFailed: MarkQueueTaskFailed(queue); break;
    case kNotifyGone: DeleteQueueTask(queue); break;
    default: break;
    }
    return 0;
}

int32_t WQ_CALL ChoosePlugInPreset(HWND parent, char const *name, void *record, char *result) {
    PlugInPresetChooser chooser = presetChooser.load();
    if (!chooser || !record)
        return 0;
    try {
        return chooser(parent, name, static_cast<PlugInPresetRecord *>(record), result);
    } catch (...) {
        PostCurrentFailure();
        return 0;
    }
}

int32_t WQ_CALL PostAudioQueueDone() {
    PostToMainWindow(new MessAudioQueueDone);
    return 1;
}

int32_t WQ_CALL CreateQueueTaskService(AudioChainEntry const *chain, int32_t count, ApplyRequest const *request) {
    return CreateAudioQueueTask(chain, count, request);
}

int32_t WQ_CALL StartAudioQueue(int32_t queue) {
    WqCommandToAudioQueueFn command = TheAudioEngine().entries.commandToAudioQueue;
    return command ? command(queue, kQueueStart, 0, 0) : 0;
}

int32_t WQ_CALL GetDropOutLimit() {
    PlayerSettings const &settings = ThePlayerSettings();
    return settings.stopOnDrop ? settings.maxDropOut : -1;
}

HANDLE WQ_CALL StartEngineThread(void *security, unsigned stackSize, EngineThreadBody body, void *argument,
                                 unsigned flags, unsigned *threadId) {
    return reinterpret_cast<HANDLE>(_beginthreadex(security, stackSize, body, argument, flags, threadId));
}

void WQ_CALL EndEngineThread(unsigned exitCode) { _endthreadex(exitCode); }

int32_t WQ_CALL OpenEngineHelp(uint32_t helpNumber) {
    if (_docManager)
        _docManager->OpenHelpWindow(1, helpNumber);
    return 0;
}

int32_t WQ_CALL RegisterPlugInService(char const *name, ElementFactory factory, int32_t a, int32_t b, int32_t kind) {
    return RegisterPlugIn(name, factory, a, b, kind);
}

EngineServiceTable const kServices = {
    &EngineMessageFilter, &OnEngineNotification, &ChoosePlugInPreset, &PostAudioQueueDone,
    &CreateQueueTaskService, &StartAudioQueue, &ReportEngineError, &GetDropOutLimit,
    &StartEngineThread, &EndEngineThread, &OpenEngineHelp, HostCode("Nesk"), {0, 0},
};

String UnknownErrorText(char const *source, uint32_t code, char const *detail) {
    char text[512];
    std::snprintf(text, sizeof text, "Error Reported by %s:\nError code: %d\n%s", source ? source : "XXXXX",
                  int(code), detail ? detail : "YYYYY");
    return String(text);
}

}  // namespace

EngineServiceTable const &TheEngineServices() { return kServices; }

PlugInServiceRecord MakePlugInServices(HMODULE engine) {
    return PlugInServiceRecord{&RegisterPlugInService, &EngineMessageFilter, &ChoosePlugInPreset, &StartEngineThread,
                               &EndEngineThread,       &OpenEngineHelp,      engine};
}

std::atomic<int32_t> &MasterQueueBusy() { return masterBusy; }

uint32_t UserActivityDeadline() { return activityDeadline; }

int32_t WQ_CALL ReportEngineError(int32_t queue, char const *source, uint32_t code, char const *detail) {
    if (queue)
        MarkQueueTaskFailed(queue);
    try {
        for (ErrorText const &known : kErrorTexts) {
            if (known.code == code) {
                String reason = FindString(known.text);
                ExceptionThrower(1).SetAndThrow(String(BuildString(kTextEngineError, source ? source : "",
                                                                   reason.c_str())));
                return 0;
            }
        }
        if (TheEngineSettings().reportUnknownErrors)
            ExceptionThrower(1).SetAndThrow(UnknownErrorText(source, code, detail));
    } catch (...) {
        PostCurrentFailure();
    }
    return 0;
}

PlugInPresetChooser SetPlugInPresetChooser(PlugInPresetChooser chooser) { return presetChooser.exchange(chooser); }
