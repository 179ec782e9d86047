// The frame of the wave document tests (for test programs with gtest).
#pragma once

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace wavetest {

// The frame of the wave tests: English texts, settings and work files in a folder of the
// test's own, and the main window's stand-in.
class WaveFixture : public ::testing::Test {
protected:
    WaveFixture() { apptest::UseEnglishTexts(); }

    testsupport::TempDir dir;
    audiotest::SettingsScope settings{dir.Path()};
    RecordingPoster poster;
};

}  // namespace wavetest
