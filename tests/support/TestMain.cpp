// Main of every test executable: no system error boxes, so a failing test
// never waits on a window nobody answers.
#include <windows.h>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
