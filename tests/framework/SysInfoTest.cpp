// System information: the nested wait cursor and the status texts in the main
// frame's message bar.
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "bars/MessageBar.h"
#include "core/SysInfo.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// The application's main-window pointer, set for the test's frame.
struct MainWindowAccess : TApplication {
    static TFrameWindow *TApplication::*Member() { return &MainWindowAccess::MainWindow; }
};
}  // namespace

TEST(TSysInfo, NestedWaitsRestoreTheCursorFromBeforeTheFirst) {
    TSysInfo info;
    HCURSOR arrow = ::LoadCursorA(0, IDC_ARROW), wait = ::LoadCursorA(0, IDC_WAIT);
    ::SetCursor(arrow);
    info.BeginWait();
    info.BeginWait();
    EXPECT_EQ(wait, ::GetCursor());
    EXPECT_EQ(2, info.GetWaitCount());
    info.EndWait();
    EXPECT_EQ(wait, ::GetCursor());
    info.EndWait();
    EXPECT_EQ(arrow, ::GetCursor());
    EXPECT_EQ(0, info.GetWaitCount());
    info.EndWait();  // without a matching begin: the remembered cursor, count stays 0
    EXPECT_EQ(arrow, ::GetCursor());
    EXPECT_EQ(0, info.GetWaitCount());
    EXPECT_EQ(info.IsWin4(), info.IsSmCaption());
}

TEST(TSysInfo, StatusTextsShowInTheMessageBarAndTheStackGrows) {
    TApplication *app = GetApplicationObject();
    TFrameWindow *frame = new TFrameWindow(0, "Main");
    TMessageBar *bar = new TMessageBar(frame);
    ASSERT_TRUE(frame->Create());
    TFrameWindow *previous = app->*MainWindowAccess::Member();
    app->*MainWindowAccess::Member() = frame;

    TSysInfo info;
    HCURSOR arrow = ::LoadCursorA(0, IDC_ARROW), wait = ::LoadCursorA(0, IDC_WAIT);
    ::SetCursor(arrow);
    char first[] = "Reading", second[] = "Writing";
    info.SetStatus(first, 1);
    EXPECT_STREQ("Reading", bar->GetText());
    EXPECT_EQ(wait, ::GetCursor());
    info.SetStatus(second);
    EXPECT_STREQ("Writing", bar->GetText());
    info.RestoreStatus();
    EXPECT_STREQ("Reading", bar->GetText());
    EXPECT_EQ(wait, ::GetCursor());
    info.RestoreStatus();  // the last text goes: the bar is cleared, the cursor back
    EXPECT_STREQ("", bar->GetText());
    EXPECT_EQ(arrow, ::GetCursor());
    info.RestoreStatus();  // nothing left: harmless

    // More than 20 texts: the stack grows instead of overflowing.
    for (int i = 0; i < 30; ++i) {
        std::string text = "text " + std::to_string(i);
        info.SetStatus(&text[0], i % 2);
    }
    EXPECT_EQ(30, info.GetStatusCount());
    EXPECT_STREQ("text 29", bar->GetText());
    TSysInfo copy(info);
    EXPECT_EQ(30, copy.GetStatusCount());
    info.ResetStatus();
    EXPECT_EQ(0, info.GetStatusCount());
    EXPECT_EQ(0, info.GetWaitCount());
    EXPECT_STREQ("", bar->GetText());

    app->*MainWindowAccess::Member() = previous;
    frame->Destroy(0);
    delete frame;
}
