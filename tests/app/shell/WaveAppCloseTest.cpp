// The application object refuses to close while a background task runs: the user is told
// and every document stays open.
#include <gtest/gtest.h>

#include "engine/AudioState.h"
#include "engine/BackgroundTask.h"
#include "shell/WaveApp.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/framework/BoxRecorder.h"

namespace {

// A task listed without a thread of its own.
class ListedTask : public Task {
public:
    ListedTask() : Task(String("Reverse"), nullptr, 0) {}
    long double GetProgress() const override { return 0.5; }
};

TEST(WaveAppClose, ARunningBackgroundTaskRefusesTheCloseAndKeepsTheDocuments) {
    apptest::UseEnglishTexts();
    WaveApp app;
    BoxRecorder boxes;
    std::unique_ptr<Wave> wave(wavetest::DistinctWave(1, 2, 1000));
    ListedTask *task = new ListedTask;
    TheTaskList().Append(task);
    EXPECT_EQ(0, app.CanClose());
    ASSERT_EQ(1u, boxes.Boxes.size());
    EXPECT_NE(std::string::npos, boxes.Boxes[0].text.find("background task")) << boxes.Boxes[0].text;
    EXPECT_EQ(std::string(app.GetName()), boxes.Boxes[0].caption);
    EXPECT_TRUE(app.IsValidDocument(DocumentID(wave.get()), 0));
    delete TheTaskList().Detach(task);
}

}  // namespace
