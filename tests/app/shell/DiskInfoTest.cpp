// Disk information: which drives are listed and with what sizes, through a provider that
// plays a machine's drives and through the system's own; the bars as they are painted; a
// second request raising the one window.
#include "shell/DiskInfoDoc.h"
#include "shell/DiskInfoView.h"
#include "shell/DriveProvider.h"

#include "core/Scroller.h"
#include "foundation/File.h"
#include "manager/MdiDocumentWindows.h"
#include "tests/app/shell/AnalysisTestKit.h"
#include "tests/framework/GdiCanvas.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

using namespace analysistest;

namespace {

uint64_t const kGiB = 1ull << 30;

struct FakeDrive {
    int type;
    bool readable;
    uint64_t total, free;
};

// The drives of a machine with a floppy, a network drive, an empty CD drive and disks of
// every size.
class FakeDrives : public DriveProvider {
public:
    FakeDrives() : previous_(SetDriveProvider(this)) {
        drives = {
            {0, {File::kFloppy, true, 1474560, 0}},           {1, {File::kNoRoot, false, 0, 0}},
            {2, {File::kFixed, true, 100 * kGiB, 40 * kGiB}}, {3, {File::kCdRom, false, 0, 0}},  // no disc
            {4, {File::kRemote, true, 500 * kGiB, 1 * kGiB}}, {5, {File::kRemovable, true, 0, 0}},
            {6, {File::kFixed, true, 8192 * kGiB, 0}},  // full, far above 4 GiB
            {7, {File::kRamDisk, true, 64 << 20, 64 << 20}},  {8, {File::kUnknown, true, 6 * kGiB, 1536ull << 20}},
            {9, {File::kCdRom, true, 700 << 20, 0}},
        };
    }
    ~FakeDrives() override { SetDriveProvider(previous_); }

    int TypeOf(int drive) override { return drives.count(drive) ? drives[drive].type : File::kNoRoot; }
    bool SpaceOf(int drive, uint64_t &total, uint64_t &free) override {
        ++asked[drive];
        FakeDrive const &d = drives[drive];
        total = d.total, free = d.free;
        return d.readable;
    }

    std::map<int, FakeDrive> drives;
    std::map<int, int> asked;

private:
    DriveProvider *previous_;
};

class DiskInformation : public ::testing::Test {
protected:
    void SetUp() override { frame.reset(new FrameScope); }
    void TearDown() override { frame.reset(); }
    std::unique_ptr<FrameScope> frame;
};

}  // namespace

TEST(DiskBars, UsedShareOfTheBar) {
    struct Case {
        uint64_t total, free;
        int width;
    } const cases[] = {
        {100, 0, 200},  // full: red all over
        {100, 100, 0},  // empty: white
        {0, 0, 0},      // no size: no red, no division by zero
        {0, 5, 0},
        {100, 150, 0},                   // more free than the size (a quota) is empty
        {6 * kGiB, 1536ull << 20, 150},  // above 4 GiB
        {8192 * kGiB, 4096 * kGiB, 100},
        {~0ull, 0, 200},
        {1000, 999, 0},
        {1000, 1, 199},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.width, UsedBarWidth(c.total, c.free, 200)) << c.total << " " << c.free;
    EXPECT_STREQ("1610.61 Mb", FreeSpaceText(1536ull << 20).c_str());
    EXPECT_STREQ("0.00 Mb", FreeSpaceText(0).c_str());
    EXPECT_STREQ("8796093.02 Mb", FreeSpaceText(8 * 1024 * kGiB).c_str());
}

TEST_F(DiskInformation, FloppyNetworkAndEmptyDrivesAreLeftOutAndSizesKeepSixtyFourBits) {
    FakeDrives fake;
    DiskInfoDoc *doc = OpenDiskInformation(frame->App());
    Pump();
    std::vector<int> letters;
    for (DriveSpace const &d : doc->GetDrives())
        letters.push_back(d.drive);
    EXPECT_EQ((std::vector<int>{2, 5, 6, 7, 8, 9}), letters);
    EXPECT_EQ(0, fake.asked.count(0) + fake.asked.count(1) + fake.asked.count(4)) << "never asked for space";
    EXPECT_EQ(1, fake.asked[3]) << "the empty CD drive was asked and left out";
    EXPECT_EQ(8192 * kGiB, doc->GetDrives()[2].total);
    EXPECT_EQ(1, doc->GetDrives()[2].valid);
    EXPECT_EQ(1, doc->GetNumScans());

    DiskInfoView &view = static_cast<DiskInfoView &>(*doc->GetViews().GetFirst());
    ASSERT_EQ(6u, view.GetRows().size());
    DiskRowMeasures const &m = view.GetMeasures();
    EXPECT_GT(m.letterWidth, 0);
    EXPECT_GT(m.textWidth, m.letterWidth);
    for (size_t i = 0; i < view.GetRows().size(); ++i) {
        TRect r = view.GetRows()[i]->GetWindowRect();
        ::MapWindowPoints(0, view.GetHandle(), reinterpret_cast<POINT *>(&r), 2);
        EXPECT_EQ(10, r.left) << i;
        EXPECT_EQ(m.RowWidth(), r.Width()) << i;
        EXPECT_EQ(m.rowHeight, r.Height()) << i;
        EXPECT_EQ(m.rowGap + 1 + int(i) * (m.rowHeight + m.rowGap), r.top) << "the gap between rows, row " << i;
    }
    TRect client = view.GetClientRect();
    EXPECT_GE(client.Width(), view.GetExtent().cx) << "the window holds its rows";
    EXPECT_GE(client.Height(), view.GetExtent().cy);
    EXPECT_EQ(0, view.Scroller->XRange) << "nothing to scroll";
    EXPECT_EQ(0, view.Scroller->YRange);

    // a smaller window scrolls over the rest of the rows
    view.Parent->SetWindowPos(0, 0, 0, 150, 100, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    client = view.GetClientRect();
    EXPECT_EQ(view.GetExtent().cx - client.Width(), view.Scroller->XRange);
    EXPECT_EQ(view.GetExtent().cy - client.Height(), view.Scroller->YRange);
}

TEST_F(DiskInformation, EachRowPaintsItsUsedShareInRed) {
    FakeDrives fake;
    DiskInfoDoc *doc = OpenDiskInformation(frame->App());
    Pump();
    DiskInfoView &view = static_cast<DiskInfoView &>(*doc->GetViews().GetFirst());
    int expected[] = {120, 0, 200, 0, 150, 200};  // C: 60 of 100 GiB used, F:, G: full, H:, I:, J:
    for (size_t i = 0; i < view.GetRows().size(); ++i) {
        DiskWindow &row = *view.GetRows()[i];
        TRect r = row.GetClientRect();
        Canvas canvas(r.Width(), r.Height(), RGB(1, 2, 3));
        row.Paint(canvas.dc(), 0, r);
        int red = 0, white = 0;
        for (int x = 0; x < canvas.Width; ++x) {
            red += canvas.At(x, 0) == RGB(255, 0, 0);
            white += canvas.At(x, 0) == RGB(255, 255, 255);
        }
        EXPECT_EQ(expected[i], red) << "row " << i;
        EXPECT_EQ(200 - expected[i], white) << "row " << i;
    }
}

TEST_F(DiskInformation, TheSystemsDriveCShowsTheFreeSpaceWindowsReports) {
    DiskInfoDoc *doc = OpenDiskInformation(frame->App());
    Pump();
    ULARGE_INTEGER available, total, free;
    ASSERT_TRUE(GetDiskFreeSpaceExA("C:\\", &available, &total, &free));
    DriveSpace const *c = nullptr;
    for (DriveSpace const &d : doc->GetDrives())
        if (d.drive == 2)
            c = &d;
    ASSERT_TRUE(c) << "C: is listed";
    EXPECT_EQ(total.QuadPart, c->total);
    EXPECT_NEAR(double(free.QuadPart), double(c->free), 0.01 * double(total.QuadPart));
}

TEST_F(DiskInformation, ASecondRequestRaisesTheOneWindow) {
    FakeDrives fake;
    DiskInfoDoc *doc = OpenDiskInformation(frame->App());
    Pump();
    HWND disk = doc->GetViews().GetFirst()->GetWindow()->GetParentO()->GetHandle();
    // another window comes on top
    MDIClient &client = *frame->App().GetMDIClient();
    TWindow *page = new TWindow(0, 0, 0);
    page->Attr.Style = WS_CHILD | WS_VISIBLE;
    MDIChild *other = new MDIChild(*page);
    other->Create();
    Pump();
    ASSERT_NE(disk, client.GetActiveMDIChild()->GetHandle());

    EXPECT_EQ(doc, OpenDiskInformation(frame->App()));
    Pump();
    EXPECT_EQ(disk, client.GetActiveMDIChild()->GetHandle());
    EXPECT_EQ(1, doc->GetNumViews());
    EXPECT_EQ(1, doc->GetNumScans()) << "not scanned again";
    int documents = 0;
    for (Document *d = frame->App().FindFirstDoc(); d; d = frame->App().FindNextDoc(d))
        documents += dynamic_cast<DiskInfoDoc *>(d) != nullptr;
    EXPECT_EQ(1, documents);
}
