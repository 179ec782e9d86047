// What the program, the audio engine module (system\plugins\AudioEngine.dll) and its
// plug-in modules exchange: the entry points of the modules, the records of chains and
// queues, the services the program offers, and the element protocol by which the engine
// drives every station of a chain, the program's own and the plug-ins' alike.
//
// Every record has fixed-width fields and one layout per architecture (checked at the
// end); only what carries a pointer or a handle is pointer-sized. Every function takes
// its arguments on the stack and the caller removes them (__cdecl).
//
// ---- Queues
// An audio queue is a chain of elements that one thread of the engine runs; the chain is
// an array of AudioChainEntry without gaps, the source first and the sink last. The
// master section runs the queue "AE_Micro" -> "AE_Speaker" (the playback through the
// engine); a background queue runs "AE_FileReader" -> the chosen plug-ins ->
// "AE_FileWriter" (an engine apply). A queue is made with its elements (their factories
// run on the caller's thread) and its thread waits for commands:
//   kQueueStart (1)  opens the chain, starts it and runs cycles until the source ends;
//   kQueueEnd (3)    closes and destroys the elements of a finished queue; its thread ends;
//   kQueueShown (4), kQueueHidden (5)  the master section's window was shown or hidden.
// The engine tells the program what its queues do through the notification service:
//   kNotifyRunning (2)   a run of the queue begins;
//   kNotifyFinished (3)  the run ended (source at its end, an error, or a stop); the
//                        master section's queue then waits for the next start, the
//                        program answers a background queue with kQueueEnd;
//   kNotifyGone (4)      a background queue's elements are destroyed: its thread ends
//                        right after and the program may forget the queue;
//   kNotifyFailed (0x8000) a run failed without a report of its own.
// Commands may come from any thread, also from the queue's own thread inside a
// notification; the engine queues them and never waits for the queue in the call.
// WqGetHandleOfAudioQueue answers a duplicate of the thread's handle that the caller owns
// and closes. The engine's destroy entries stop and join every queue thread they end,
// and while they wait on the thread that owns the master section window they go on
// dispatching its messages, so an element that waits for the GUI thread can finish.
//
// ---- A cycle
// The engine moves blocks of at most the queue's block frames (2048) through the chain
// in place: one ElementBlock whose channel arrays every element reads and overwrites.
//   * The source (the first element) is called with frames = capacity and returns the
//     frames it put into the block, kElementEnd (-1) when it has no more, or an error.
//   * Every later element gets frames = what came before and returns the frames it leaves
//     in the block (the same count for every processor here), or an error.
//   * After the source ended, a background queue goes on for as many frames of silence
//     as its processors delay the signal (the sum of their kCommandGetDelay answers), so
//     that the last frames of the source reach the sink; then the run ends.
//   * The sink of a background queue is called through processWithSource instead of
//     process when the request asks for the dry signal to be kept (mixWithSource).
// An error is any negative result other than kElementEnd. The engine then marks the
// queue (WqAnyErrorInQueueOccured answers 1), reports kEngineErrorProcessing through the
// program's ReportEngineError with the element's name as the source and the element's
// code in the detail text, and ends the run. Errors of opening and starting are reported
// the same way (kEngineErrorOpen, kEngineErrorStart), and a refusal of a format check by
// its own code (kRefuse*).
//
// ---- Commands to an element (AudioElementRecord::command)
// (record, command, argument record, value) -> result. Those the engine sends:
//   kCommandOpen      argument: rate, channels (in), extra -> outChannels, rate (out);
//                     0 or an error
//   kCommandCheck     the same fields in: 0 when accepted, else a refusal code
//   kCommandStart, kCommandStop, kCommandClose
//   kCommandGetDelay  -> frames the element delays its signal
//   kCommandGetRatio  -> argument.ratio: output frames per input frame
//   kCommandSetParameters  argument.parameters[0] the processor's value, [1] mute
//   kCommandQuery     -> argument.parameterName, minimum, maximum, initial, unit: the one
//                     value a processor offers the master section (name empty: none)
//   kCommandOutputPeaks, kCommandOutputMeterOn/Off  the master section's meter
//   kCommandFlush     drop what the element holds of the signal (a relocation)
//   kCommandDestroy   last of all: the element deletes itself, its record is gone after
//
// ---- Calls from an element to the engine (ElementEngineCallback)
// (engine value, the element's record, code, data, value) -> result:
//   kEngineRelocation (2)  the play position jumped: the engine flushes every element
//                          after the source (kCommandFlush) before the next block; 0
//   kEngineReformat (3)    data: an ElementCommandRecord with the rate and channels the
//                          caller delivers from now on; the engine asks the elements after
//                          it to take them (kCommandReformat); 0 or their refusal code
//   kEngineDropFrames (5)  -> the frames the sink must drop at the start: the delay of
//                          the processors before it
//   kEngineSpeedRatio (6)  data: a float the engine sets to the product of the ratios of
//                          the elements before the caller; 0
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#define WQ_CALL __cdecl

// ---- chains and the master section

// One element of an audio queue's chain.
struct AudioChainEntry {
    enum { kKindElement = 2, kNameSize = 40 };

    void *element = nullptr;  // null: the engine makes the element
    std::int32_t reserved = 0;
    std::int32_t kind = kKindElement;
    char typeName[kNameSize] = {};  // zero-terminated
};

// Where the master section window stands; the engine fills x and y when asked.
struct MasterSectionLayout {
    std::int32_t size = sizeof(MasterSectionLayout);
    std::int32_t version = 1;
    std::int32_t flags = 1;
    std::int32_t reserved[4] = {};
    std::int32_t x = 100;
    std::int32_t y = 100;
    std::int32_t unused[2] = {};
};

enum AudioQueueCommand : std::int32_t {
    kQueueStart = 1,
    kQueueEnd = 3,
    kQueueShown = 4,
    kQueueHidden = 5,
};

enum AudioQueueNotification : std::int32_t {
    kNotifyRunning = 2,
    kNotifyFinished = 3,
    kNotifyGone = 4,
    kNotifyFailed = 0x8000,
};

enum : std::int32_t {
    kEngineBlockFrames = 2048,
    kEngineChannels = 2,       // the channel argument of the queue entries
    kPlugInVersion = 0x2300,   // what WqIsAdditionalPlugInDll answers for this protocol
    kPlugInTextSize = 100,     // the text of WqIsAdditionalPlugInDll, the name of WqGetNameOfPlugIn
};

// The codes the engine hands to the program's ReportEngineError.
enum EngineErrorCode : std::uint32_t {
    kEngineErrorNoMemory = 0x20024019,     // no memory for a queue or its blocks
    kEngineErrorNoQueue = 0x2002401A,      // a queue or element type the engine does not know
    kEngineErrorProcessing = 0x20028000,   // an element failed while processing
    kEngineErrorOpen = 0x20028001,         // an element could not be opened
    kEngineErrorStart = 0x20028002,        // an element could not be started
    kRefuseRate = 0x20031001,              // the element takes no other rate
    kRefuseChannels = 0x20031002,          // the element takes no other channel count
    kRefuseSourceChannels = 0x20031003,    // the source delivers no other channel count
    kRefuseTooManyChannels = 0x20031006,   // more channels than a block carries
    kRefuseRateRange = 0x20031007,         // a rate no element can run at
    kRefuseRatio = 0x20031008,             // a length-changing processor where the dry signal is kept
};

// ---- the element protocol

enum AudioElementKind : std::int32_t {
    kElementPlugIn = 1,   // a processor the master section lists
    kElementProgram = 2,  // the program's own stations
};

enum : std::int32_t {
    kElementEnd = -1,                              // a source has no more frames
    kElementVersion = 256,
    kElementConstruction = 3,
    kElementNameSize = 32,
    kElementMaxChannels = 8,
};

// Results of elements (negative: errors while processing).
enum ElementResult : std::uint32_t {
    kElementFailed = 0xDFFCF000,
    kElementNoSecondProcess = 0xDFFCEFF5,
    kElementReservedA = 0xDFFCEFF1,
    kElementReservedB = 0xDFFCEFF0,
    kElementNoMemory = 0x20024016,
};

enum ElementCommand : std::int32_t {
    kCommandDestroy = 2,
    kCommandOpen = 3,
    kCommandClose = 4,
    kCommandReformat = 5,
    kCommandStart = 6,
    kCommandStop = 7,
    kCommandGetDelay = 8,
    kCommandMeterDelay = 9,
    kCommandInputChannels = 10,
    kCommandOutputChannels = 11,
    kCommandRate = 12,
    kCommandHookB = 13,
    kCommandHookA = 14,
    kCommandInputPeaks = 15,
    kCommandInputClips = 16,
    kCommandInputMeterOn = 17,
    kCommandInputMeterOff = 18,
    kCommandInputClipOn = 19,
    kCommandInputClipOff = 20,
    kCommandOutputPeaks = 21,
    kCommandOutputClips = 22,
    kCommandOutputMeterOn = 23,
    kCommandOutputMeterOff = 24,
    kCommandOutputClipOn = 25,
    kCommandOutputClipOff = 26,
    kCommandSetParameters = 27,
    kCommandGetParameters = 28,
    kCommandCheck = 29,
    kCommandSetValue = 30,
    kCommandGetRatio = 31,
    kCommandBypass = 32,
    kCommandQuery = 33,
    kCommandLastError = 34,
    kCommandFlush = 40,
    kCommandPeerFirst = 64,  // 67-70 and 72: the command in the value is handed to the peer
    kCommandPeerMake = 64,   // through argument.makePeer; the element destroys it with itself
    kCommandPeerRelease = 65,
    kCommandPeerAsk = 66,    // -> argument.peer
    kCommandPeerSet = 71,    // argument.peer, which stays its owner's
    kCommandPeerLast = 72,
};

enum ElementEngineCode : std::int32_t {
    kEngineRelocation = 2,
    kEngineReformat = 3,
    kEngineDropFrames = 5,
    kEngineSpeedRatio = 6,
};

// Commands an element passes on to its peer dispatcher, when one is set.
enum ElementPeerCommand : std::int32_t {
    kPeerFormatChanged = 6,
    kPeerParametersChanged = 9,
    kPeerStarted = 11,
    kPeerStopped = 12,
};

struct AudioElementRecord;
struct ElementBlock;
struct ElementCommandRecord;
struct ElementHookRecord;

extern "C" {
typedef std::int32_t(WQ_CALL *ElementEngineCallback)(void *engineValue, AudioElementRecord *record, std::int32_t code,
                                                     void *data, std::int32_t value);
// Makes an element of a registered type: element is the chain entry's pointer. Null when
// the element cannot be made.
typedef AudioElementRecord *(WQ_CALL *ElementFactory)(ElementEngineCallback callback, void *engineValue,
                                                      void *element);
typedef std::int32_t(WQ_CALL *ElementCommandFn)(AudioElementRecord *record, std::int32_t command,
                                                ElementCommandRecord *argument, std::int32_t value);
typedef std::int32_t(WQ_CALL *ElementProcessFn)(AudioElementRecord *record, ElementBlock *block);
typedef std::int32_t(WQ_CALL *ElementHookFn)(AudioElementRecord *record, ElementHookRecord *hook, std::int32_t value);
typedef void(WQ_CALL *ElementHookCallback)(ElementHookRecord *hook, std::int32_t value);
// Makes the peer dispatcher of kCommandPeerMake.
typedef void *(WQ_CALL *ElementPeerMaker)(AudioElementRecord *record);
}

// The face of an element that the engine holds: what its factory answers.
struct AudioElementRecord {
    std::int32_t kind;
    ElementCommandFn command;
    ElementProcessFn process;
    ElementProcessFn processWithSource;
    ElementHookFn hookA;
    ElementHookFn hookB;
    void *element;          // the element behind the record
    void *peer;             // the peer dispatcher, null until set
    std::int32_t reserved;  // 0
    std::int32_t bypass;    // non-zero: the engine's process call leaves the block alone
    std::int32_t construction;
    void *elementAgain;
    std::int32_t version;  // kElementVersion
    std::uint32_t maker;   // four characters, the first in the highest byte
    char name[kElementNameSize];
};

// A record over an element: its entries, the element itself twice, the protocol's version
// and construction word; the rest (name, maker, bypass, peer) cleared for the element.
inline AudioElementRecord MakeElementRecord(std::int32_t kind, ElementCommandFn command, ElementProcessFn process,
                                            ElementProcessFn processWithSource, ElementHookFn hookA,
                                            ElementHookFn hookB, void *element) {
    AudioElementRecord record = {};
    record.kind = kind;
    record.command = command;
    record.process = process;
    record.processWithSource = processWithSource;
    record.hookA = hookA;
    record.hookB = hookB;
    record.element = element;
    record.elementAgain = element;
    record.construction = kElementConstruction;
    record.version = kElementVersion;
    return record;
}

// One cycle's frames, processed in place. Arrays beyond channels may be written by an
// element that delivers more channels than it takes.
struct ElementBlock {
    std::int32_t frames;    // in: the frames in the arrays (a source: the room)
    std::int32_t capacity;  // frames each array holds
    std::int32_t channels;  // channels that come in
    std::int32_t rate;
    float *channel[kElementMaxChannels];
    // The cycle so far, in seconds: the source's read and the processors between.
    float sourceSeconds;
    float chainSeconds;
};

// The argument of a command; each command reads and fills the fields it names.
struct ElementCommandRecord {
    std::int32_t rate;
    std::int32_t channels;
    std::int32_t extra;
    std::int32_t outChannels;
    std::int32_t parameters[2];
    float ratio;
    std::int32_t count;  // channels the meter arrays hold
    float peaks[kElementMaxChannels];
    std::int32_t clips[kElementMaxChannels];
    std::int32_t minimum;
    std::int32_t maximum;
    std::int32_t initial;
    char parameterName[kElementNameSize];
    char unit[8];
    ElementHookRecord *hook;
    ElementPeerMaker makePeer;
    void *peer;
};

// A record an engine hands to an element's hooks: the element calls back with the value
// before and with -1 after its own part.
struct ElementHookRecord {
    ElementHookCallback callback;
    void *user;
    std::int32_t closed;
    std::int32_t reserved;
};

// ---- the program's services

// The apply request of the effects (sixteen words on 32-bit Windows). The engine uses it
// only during WqConfirmApply, which hands it on to CreateAudioQueueTask in the same call.
struct ApplyRequest {
    void *object;               // the wave's audio object: the program's, never followed
    void const *document;       // the wave's document identifier, two words
    std::int32_t documentSerial;
    std::int32_t first;         // inclusive
    std::int32_t last;          // inclusive
    char const *name;           // the wave's name
    std::uint32_t channelMask;  // every channel of the wave
    std::int32_t mixWithSource; // 1: the result is added to the original ("Result" 0)
    std::int32_t stopPlayback;
    std::int32_t openTaskWindow;
    std::int32_t unused;
    std::int32_t minimizeWindow;
    std::int32_t beep;
    std::int32_t message;
    std::int32_t restoreWindow;
    std::int32_t priority;  // "Boost": 0, 1, 2, the priority of the queue's task
};

extern "C" {
typedef std::int32_t(WQ_CALL *EngineMessageFilterFn)(MSG const *message);
typedef std::int32_t(WQ_CALL *EngineNotificationFn)(std::int32_t queue, std::int32_t type);
typedef std::int32_t(WQ_CALL *ChoosePlugInPresetFn)(HWND parent, char const *plugInName, void *plugInRecord,
                                                    char *result);
typedef std::int32_t(WQ_CALL *PostAudioQueueDoneFn)();
typedef std::int32_t(WQ_CALL *CreateAudioQueueTaskFn)(AudioChainEntry const *chain, std::int32_t count,
                                                      ApplyRequest const *request);
typedef std::int32_t(WQ_CALL *StartAudioQueueFn)(std::int32_t queue);
typedef std::int32_t(WQ_CALL *ReportEngineErrorFn)(std::int32_t queue, char const *source, std::uint32_t code,
                                                   char const *detail);
typedef std::int32_t(WQ_CALL *GetDropOutLimitFn)();
typedef unsigned(__stdcall *EngineThreadBody)(void *argument);
typedef HANDLE(WQ_CALL *StartEngineThreadFn)(void *security, unsigned stackSize, EngineThreadBody body,
                                             void *argument, unsigned flags, unsigned *threadId);
typedef void(WQ_CALL *EndEngineThreadFn)(unsigned exitCode);
typedef std::int32_t(WQ_CALL *EngineHelpFn)(std::uint32_t helpNumber);
typedef std::int32_t(WQ_CALL *RegisterPlugInFn)(char const *name, ElementFactory factory, std::int32_t, std::int32_t,
                                                std::int32_t kind);
}

// What the program hands to WqInitializeAudioEngine.
struct EngineServiceTable {
    EngineMessageFilterFn messageFilter;
    EngineNotificationFn notification;
    ChoosePlugInPresetFn choosePlugInPreset;
    PostAudioQueueDoneFn postAudioQueueDone;  // the master section's Apply: kind 2 to the GUI
    CreateAudioQueueTaskFn createAudioQueueTask;
    StartAudioQueueFn startAudioQueue;
    ReportEngineErrorFn reportEngineError;
    GetDropOutLimitFn getDropOutLimit;
    StartEngineThreadFn startThread;
    EndEngineThreadFn endThread;
    EngineHelpFn help;
    std::uint32_t hostCode;  // "Nesk", the first character in the lowest byte
    std::uint32_t reserved[2];
};

// What the program hands to each accepted plug-in module's WqRegisterAllPlugIn.
struct PlugInServiceRecord {
    RegisterPlugInFn registerPlugIn;
    EngineMessageFilterFn messageFilter;
    ChoosePlugInPresetFn choosePlugInPreset;
    StartEngineThreadFn startThread;
    EndEngineThreadFn endThread;
    EngineHelpFn help;
    HMODULE engine;
};

// What a plug-in's presets hold (ChoosePlugInPreset's plug-in record).
struct PlugInPresetRecord {
    std::int32_t size;   // sizeof(PlugInPresetRecord)
    std::uint32_t maker;  // the element's four characters
    std::int32_t value;  // the processor's one value
    std::int32_t reserved;
};

// Four characters as the element record and the host code keep them.
constexpr std::uint32_t ElementMaker(char const (&code)[5]) {
    return std::uint32_t(std::uint8_t(code[0])) << 24 | std::uint32_t(std::uint8_t(code[1])) << 16 |
           std::uint32_t(std::uint8_t(code[2])) << 8 | std::uint8_t(code[3]);
}
constexpr std::uint32_t HostCode(char const (&code)[5]) {
    return std::uint32_t(std::uint8_t(code[3])) << 24 | std::uint32_t(std::uint8_t(code[2])) << 16 |
           std::uint32_t(std::uint8_t(code[1])) << 8 | std::uint8_t(code[0]);
}

// ---- entry points of the modules

extern "C" {
typedef std::int32_t(WQ_CALL *WqInitializeAudioEngineFn)(EngineServiceTable const *services, std::int32_t reloaded);
// Returns the next cookie, 0 after the last; the name holds at most kPlugInTextSize bytes.
typedef std::int32_t(WQ_CALL *WqGetNameOfPlugInFn)(std::int32_t cookie, char *name, std::int32_t *kind);
typedef std::int32_t(WQ_CALL *WqRegisterPlugInFn)(char const *name, ElementFactory factory, std::int32_t,
                                                  std::int32_t, std::int32_t kind);
typedef std::int32_t(WQ_CALL *WqCreateMasterSectionFn)(AudioChainEntry const *chain, std::int32_t entries,
                                                       std::int32_t frames, MasterSectionLayout *layout);
typedef std::int32_t(WQ_CALL *WqCreateAudioQueueFn)(AudioChainEntry const *chain, std::int32_t entries,
                                                    std::int32_t channels, std::int32_t frames);
typedef std::uint32_t(WQ_CALL *WqGetIDOfAudioQueueFn)(std::int32_t queue);
typedef HANDLE(WQ_CALL *WqGetHandleOfAudioQueueFn)(std::int32_t queue);
typedef std::int32_t(WQ_CALL *WqCommandToAudioQueueFn)(std::int32_t queue, std::int32_t command, std::int32_t,
                                                       std::int32_t);
typedef std::int32_t(WQ_CALL *WqNoArgumentFn)();
typedef std::int32_t(WQ_CALL *WqCanCloseMasterSectionFn)(void *application);
typedef std::int32_t(WQ_CALL *WqGetPositionOfMasterSectionFn)(MasterSectionLayout *layout);
typedef std::int32_t(WQ_CALL *WqQueueQueryFn)(std::int32_t queue);
typedef std::int32_t(WQ_CALL *WqConfirmApplyFn)(ApplyRequest const *request);
typedef std::int32_t(WQ_CALL *WqInitializeActiveMovieFn)(char const *const *names, std::int32_t count);
typedef std::int32_t(WQ_CALL *WqUninitializeActiveMovieFn)(std::int32_t, std::int32_t);
typedef std::int32_t(WQ_CALL *WqSetApplicationWindowFn)(HWND window);
typedef std::int32_t(WQ_CALL *WqIsAdditionalPlugInDllFn)(std::int32_t *version, char *text);
typedef std::int32_t(WQ_CALL *WqRegisterAllPlugInFn)(PlugInServiceRecord const *services);
}

// ---- one layout per architecture

namespace recordlayout {
constexpr std::size_t ByArch(std::size_t on32, std::size_t on64) { return sizeof(void *) == 8 ? on64 : on32; }
}  // namespace recordlayout

static_assert(offsetof(AudioChainEntry, kind) == recordlayout::ByArch(8, 12), "chain entry layout");
static_assert(offsetof(AudioChainEntry, typeName) == recordlayout::ByArch(12, 16), "chain entry layout");
static_assert(sizeof(AudioChainEntry) == recordlayout::ByArch(52, 56), "chain entry: 52 bytes on 32-bit");
static_assert(offsetof(MasterSectionLayout, x) == 28 && sizeof(MasterSectionLayout) == 44, "layout: 11 words");

static_assert(offsetof(AudioElementRecord, command) == recordlayout::ByArch(4, 8), "element record layout");
static_assert(offsetof(AudioElementRecord, element) == recordlayout::ByArch(24, 48), "element record layout");
static_assert(offsetof(AudioElementRecord, bypass) == recordlayout::ByArch(36, 68), "element record layout");
static_assert(offsetof(AudioElementRecord, elementAgain) == recordlayout::ByArch(44, 80), "element record layout");
static_assert(offsetof(AudioElementRecord, maker) == recordlayout::ByArch(52, 92), "element record layout");
static_assert(sizeof(AudioElementRecord) == recordlayout::ByArch(88, 128), "element record: 22 words on 32-bit");

static_assert(offsetof(ElementBlock, channel) == 16, "block layout");
static_assert(offsetof(ElementBlock, sourceSeconds) == recordlayout::ByArch(48, 80), "block layout");
static_assert(sizeof(ElementBlock) == recordlayout::ByArch(56, 88), "block: 14 words on 32-bit");

static_assert(offsetof(ElementCommandRecord, peaks) == 32, "command record layout");
static_assert(offsetof(ElementCommandRecord, parameterName) == 108, "command record layout");
static_assert(offsetof(ElementCommandRecord, hook) == recordlayout::ByArch(148, 152), "command record layout");
static_assert(sizeof(ElementCommandRecord) == recordlayout::ByArch(160, 176), "command record: 40 words on 32-bit");
static_assert(sizeof(ElementHookRecord) == recordlayout::ByArch(16, 24), "hook record layout");

static_assert(offsetof(ApplyRequest, first) == recordlayout::ByArch(12, 20), "apply request layout");
static_assert(offsetof(ApplyRequest, name) == recordlayout::ByArch(20, 32), "apply request layout");
static_assert(offsetof(ApplyRequest, mixWithSource) == recordlayout::ByArch(28, 44), "apply request layout");
static_assert(offsetof(ApplyRequest, priority) == recordlayout::ByArch(60, 76), "apply request layout");
static_assert(sizeof(ApplyRequest) == recordlayout::ByArch(64, 80), "apply request: 16 words on 32-bit");

static_assert(offsetof(EngineServiceTable, hostCode) == recordlayout::ByArch(44, 88), "service table layout");
static_assert(sizeof(EngineServiceTable) == recordlayout::ByArch(56, 104), "service table: 14 words on 32-bit");
static_assert(sizeof(PlugInServiceRecord) == recordlayout::ByArch(28, 56), "plug-in services: 7 words on 32-bit");
static_assert(sizeof(PlugInPresetRecord) == 16, "preset record: 4 words");
