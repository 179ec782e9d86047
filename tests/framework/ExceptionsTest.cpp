#include "tests/framework/BoxRecorder.h"
#include "tests/framework/TestApp.h"
#include "core/Module.h"
#include "core/Window.h"
#include "core/XBase.h"

#include <gtest/gtest.h>

TEST(FrameworkExceptions, TextsComeFromTheLibraryStringTable) {
    EXPECT_EQ(String("Internal error: Invalid MainWindow"), TXInvalidMainWindow().why());
    EXPECT_EQ(32759u, TXInvalidMainWindow().GetErrorCode());
    EXPECT_EQ(String("Out of memory"), TXOutOfMemory().why());
    EXPECT_EQ(String("Internal error: Unable to load module nowhere.dll"), TXInvalidModule("nowhere.dll").why());
    EXPECT_EQ(String("Exception #12345 (Could not load description string; <veltrane/except> not bound?)."),
              TXYrt(12345u).why());
    int found = 1;
    TXYrt::ResourceIdToString(&found, 12345);
    EXPECT_EQ(0, found);
    EXPECT_EQ(String("Internal error: Ordinal 7 not found in module "), TXYrt::MakeMessage(32756, 7u));
}

TEST(FrameworkExceptions, WindowDescriptions) {
    TestApp app;
    TWindow titled(0, "Wave");
    titled.Attr.Id = 12;
    EXPECT_EQ(String("Internal error: Create fail for window Wave, 12, "), TXWindow(&titled, 32747).why());
    TWindow byResource(0, (char const *)MAKEINTRESOURCE(300));
    EXPECT_EQ(String("Internal error: Invalid window Untitled, 0, "), TXWindow(&byResource).why());
    EXPECT_EQ(String("Internal error: Invalid window "), TXWindow::Msg(0, 32709));
}

TEST(FrameworkExceptions, InstanceCountFollowsLiveObjects) {
    int before = TXBase::InstanceCount;
    {
        TXYrt a(String("a"));
        TXYrt b(a);
        TXBase *c = a.Clone();
        EXPECT_EQ(before + 3, TXBase::InstanceCount);
        delete c;
        try {
            b.Throw();
        } catch (TXYrt &caught) {
            EXPECT_EQ(String("a"), caught.why());
        }
    }
    EXPECT_EQ(before, TXBase::InstanceCount);
}

TEST(FrameworkExceptions, GlobalReportAsksThroughTheSeam) {
    BoxRecorder yes(IDYES);
    AException empty((String()));
    EXPECT_EQ(0, HandleGlobalException(empty, "Caption", "Go on?"));
    ASSERT_EQ(1u, yes.Boxes.size());
    EXPECT_EQ("Unknown Exception\nGo on?", yes.Boxes[0].text);
    EXPECT_EQ("Caption", yes.Boxes[0].caption);
    EXPECT_EQ(unsigned(MB_YESNO), yes.Boxes[0].style & MB_TYPEMASK);
    EXPECT_EQ(unsigned(MB_ICONSTOP), yes.Boxes[0].style & MB_ICONMASK);

    {
        BoxRecorder ok(IDOK);
        AException plain(String("Disk full"));
        EXPECT_EQ(-1, HandleGlobalException(plain, 0, 0));  // only OK: never "yes"
        EXPECT_EQ("Disk full", ok.Boxes[0].text);
        EXPECT_EQ("Unhandled Exception", ok.Boxes[0].caption);
        EXPECT_EQ(unsigned(MB_OK), ok.Boxes[0].style & MB_TYPEMASK);
    }
    BoxRecorder::Current() = &yes;

    // a framework exception reports with caption 32766 and the question 32765
    TXYrt x(String("Bad"));
    EXPECT_EQ(0, x.Unhandled(&VeltraneLibraryModule(), 32765));
    EXPECT_EQ("Bad\nInternal error: OK to resume?", yes.Boxes[1].text);
    EXPECT_EQ("Internal error: Veltrane Exception", yes.Boxes[1].caption);
}

TEST(FrameworkExceptions, FoundationExceptionsShowTheirTexts) {
    EXPECT_EQ(String("Cannot open\nC:\\x.wav"), Describe(Exception("Cannot open", "C:\\x.wav")).why());
}
