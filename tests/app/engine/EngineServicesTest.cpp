// What the program offers the engine's threads: errors by the engine's table, the user's
// activity seen in the engine's windows, the drop-out limit and the master queue's run.
#include "engine/AudioEngineEntries.h"
#include "engine/EngineServices.h"
#include "engine/EngineSettings.h"
#include "engine/PlayerSettings.h"
#include "foundation/MessageCatalogue.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/engine/EngineTestKit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace enginetest;

namespace {

// The texts posted to the GUI thread by one report: the post is made before the report
// returns, so a short look finds it.
std::vector<std::string> Reported(uint32_t code, char const *source, char const *detail) {
    MainWindowStandIn main;
    TheEngineServices().reportEngineError(0, source, code, detail);
    main.PumpUntil([&] { return !main.failures.empty(); }, 200);
    return main.failures;
}

TEST(EngineServices, ErrorsReachTheUserByTheEnginesTable) {
    apptest::UseEnglishTexts();
    struct Known {
        uint32_t code;
        unsigned text;
    } const known[] = {
        {kEngineErrorNoMemory, 11354},   {kEngineErrorNoQueue, 11355},    {kEngineErrorProcessing, 11307},
        {kEngineErrorOpen, 11308},       {kEngineErrorStart, 11309},      {kRefuseRate, 11204},
        {kRefuseChannels, 11205},        {kRefuseSourceChannels, 11206},  {kRefuseTooManyChannels, 11207},
        {kRefuseRateRange, 11208},       {kRefuseRatio, 11209},
    };
    for (Known const &k : known) {
        std::string reason = FindString(k.text).c_str();
        ASSERT_FALSE(reason.empty()) << k.text;
        EXPECT_EQ(std::vector<std::string>({BuildString(11203, "Gain", reason.c_str()).c_str()}),
                  Reported(k.code, "Gain", "ignored"))
            << std::hex << k.code;
    }
    EngineSettings &settings = TheEngineSettings();
    int32_t saved = settings.reportUnknownErrors;
    settings.reportUnknownErrors = 0;
    EXPECT_TRUE(Reported(0x1234, "Gain", "odd").empty()) << "unknown codes are quiet by default";
    settings.reportUnknownErrors = 1;
    EXPECT_EQ(std::vector<std::string>({"Error Reported by Gain:\nError code: 4660\nodd"}),
              Reported(0x1234, "Gain", "odd"));
    EXPECT_EQ(std::vector<std::string>({"Error Reported by XXXXX:\nError code: 7\nYYYYY"}),
              Reported(7, nullptr, nullptr));
    settings.reportUnknownErrors = saved;
}

TEST(EngineServices, KeysAndTheMouseInTheEnginesWindowsPutTheBackgroundOffForASecond) {
    EngineMessageFilterFn filter = TheEngineServices().messageFilter;
    MSG message = {};
    message.message = WM_PAINT;
    uint32_t before = UserActivityDeadline();
    EXPECT_EQ(0, filter(&message));
    EXPECT_EQ(before, UserActivityDeadline()) << "not the user's input";
    for (UINT kind : {UINT(WM_MOUSEMOVE), UINT(WM_LBUTTONDOWN), UINT(WM_KEYUP)}) {
        message.message = kind;
        uint32_t now = GetTickCount();
        filter(&message);
        EXPECT_GE(UserActivityDeadline() - now, 1000u) << kind;
        EXPECT_LE(UserActivityDeadline() - now, 2000u) << kind;
    }
    EXPECT_EQ(0, filter(nullptr));
}

TEST(EngineServices, TheDropOutLimitHoldsOnlyWhileDropOutsStopThePlayback) {
    PlayerSettings &player = ThePlayerSettings();
    PlayerSettings saved = player;
    player.maxDropOut = 7;
    player.stopOnDrop = 1;
    EXPECT_EQ(7, TheEngineServices().getDropOutLimit());
    player.stopOnDrop = 0;
    EXPECT_EQ(-1, TheEngineServices().getDropOutLimit());
    player = saved;
}

TEST(EngineServices, TheMasterQueuesRunSetsTheBusyFlagUntilItEnds) {
    AudioEngineLink &engine = TheAudioEngine();
    engine.masterQueue = 5;
    EngineNotificationFn notify = TheEngineServices().notification;
    notify(6, kNotifyRunning);
    EXPECT_EQ(0, MasterQueueBusy()) << "another queue";
    notify(5, kNotifyRunning);
    EXPECT_EQ(1, MasterQueueBusy());
    notify(5, kNotifyFinished);
    EXPECT_EQ(0, MasterQueueBusy());
    engine.masterQueue = 0;
    EXPECT_EQ(HostCode("Nesk"), TheEngineServices().hostCode);
}

}  // namespace
