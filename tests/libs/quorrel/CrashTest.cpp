#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "quorrel/DataBase.h"
#include "tests/support/TestSupport.h"
#include "tests/libs/quorrel/fixtures/CrashBatch.h"

namespace {

std::string WriterPath() {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.rfind('\\') + 1) + "QuorrelCrashWriter.exe";
}

}  // namespace

// A writer committing batches is killed at varying moments; each time the
// file opens with every batch either wholly there or wholly absent, and the
// next writer carries on from it.
TEST(QuorrelCrash, KilledWriterLeavesTheOldOrTheNewState) {
    testsupport::TempDir dir;
    std::string file = dir.File("crash.dat");
    unsigned long last = 0;
    int advanced = 0;
    char const eventName[] = "QuorrelCrashTestCommitted";
    HANDLE committed = CreateEventA(nullptr, FALSE, FALSE, eventName);
    ASSERT_NE(nullptr, committed);
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        std::string command = "\"" + WriterPath() + "\" \"" + file + "\" " + eventName;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        // let it commit a batch, then kill it wherever it is
        ResetEvent(committed);
        HANDLE started[] = {committed, process.hProcess};
        WaitForMultipleObjects(2, started, FALSE, 30000);
        DWORD early = WaitForSingleObject(process.hProcess, 150 + 97 * round % 400);
        TerminateProcess(process.hProcess, 9);
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        ASSERT_EQ(WAIT_TIMEOUT, early) << "the writer stopped by itself with code " << code;

        DataBase db(file.c_str(), crashbatch::kIdentifier, 0, 4096);
        unsigned long n = 0;
        EXPECT_EQ("", crashbatch::Check(db, n));
        EXPECT_GE(n, last);
        advanced += n > last;
        last = n;
    }
    CloseHandle(committed);
    EXPECT_GE(advanced, 4) << "the writer should commit batches between kills (last " << last << ")";
}
