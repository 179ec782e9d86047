// The application object's part in the messages of the worker threads: every kind acts
// only on documents that are still open, the poster's event is set whatever the action did,
// and the message is deleted here only when nobody waits for it.
#include <gtest/gtest.h>

#include "audio/MainWindowPoster.h"
#include "engine/AudioMessages.h"
#include "foundation/Exception.h"
#include "foundation/ThreadEvent.h"
#include "shell/WaveApp.h"
#include "tests/app/engine/EngineTestKit.h"
#include "tests/framework/BoxRecorder.h"

namespace {

int deleted = 0;

// A message of no kind the program knows, that counts its end.
struct CountedMessage : InterThreadMessage {
    explicit CountedMessage(long flags) {
        kind = 99;
        this->flags = flags;
    }
    ~CountedMessage() override { ++deleted; }
};

// A wave that cannot take the audio a job hands it.
class RefusingObject : public enginetest::FrameObject {
public:
    RefusingObject() : FrameObject(100) {}
    int InsertAudioFile(int, int, int, AudioFile *, MarkerSet *, int, int, String const &) override {
        throw Exception("the wave cannot take it");
    }
};

LRESULT Deliver(WaveApp &app, InterThreadMessage &message) {
    return app.OnInterThreadMessage(reinterpret_cast<WPARAM>(&message), 0);
}

TEST(WaveAppMessages, TheEventIsSetAndOnlyUnwaitedMessagesAreDeleted) {
    WaveApp app;
    BoxRecorder boxes;
    deleted = 0;
    Deliver(app, *new CountedMessage(InterThreadMessage::DeleteWhenHandled));
    EXPECT_EQ(1, deleted);
    {
        ThreadEvent event(0, 0);
        CountedMessage waited(InterThreadMessage::DeleteWhenHandled);
        waited.event = &event;
        Deliver(app, waited);
        EXPECT_EQ(1, deleted) << "the poster waits for it: it is the poster's";
        EXPECT_TRUE(event.IsTrue());
    }
    deleted = 0;
    CountedMessage kept(0);
    Deliver(app, kept);
    EXPECT_EQ(0, deleted);
}

TEST(WaveAppMessages, AFailingActionStillSetsTheEvent) {
    WaveApp app;
    BoxRecorder boxes;
    RefusingObject object;
    ThreadEvent event(0, 0);
    MessTerminateWaveProcess finish;
    finish.object = &object;
    finish.event = &event;
    Deliver(app, finish);
    EXPECT_TRUE(event.IsTrue());
    EXPECT_EQ(0, finish.result);
}

TEST(WaveAppMessages, MessagesAboutClosedOrForeignObjectsDoNothing) {
    WaveApp app;
    BoxRecorder boxes;
    enginetest::FrameObject object(100);  // no document
    ThreadEvent stopped(0, 0), flushed(0, 0);
    MessStopPlayback stop(&object, 50, 0);
    stop.event = &stopped;
    Deliver(app, stop);
    MessFlushPlayback flush(&object, nullptr);
    flush.event = &flushed;
    Deliver(app, flush);
    EXPECT_TRUE(stopped.IsTrue());
    EXPECT_TRUE(flushed.IsTrue());
    EXPECT_TRUE(boxes.Boxes.empty());
}

}  // namespace
