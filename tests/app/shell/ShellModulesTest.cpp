// The program's start-up and close-down as a whole, run from copies of the program folder:
// which modules it loads and unloads, in which order, what it says and how it ends.
#include <gtest/gtest.h>

#include "tests/app/shell/ProgramCopy.h"

namespace {

using apptest::Only;
using apptest::ProgramCopy;
using apptest::RunningProgram;
using apptest::Trace;

TEST(TessaroModules, ProbeTrace) {
    ProgramCopy copy;
    RunningProgram tessaro(copy.Folder());
    ASSERT_TRUE(tessaro.Started());
    ASSERT_TRUE(tessaro.Frame() != 0);
    EXPECT_EQ(0, tessaro.Close());
    for (std::string const &line : tessaro.ReadTrace())
        printf("%s\n", line.c_str());
    for (std::string const &box : tessaro.Boxes())
        printf("box: %s\n", box.c_str());
}

}  // namespace
