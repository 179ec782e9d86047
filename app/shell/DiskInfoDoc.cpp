#include "shell/DiskInfoDoc.h"

#include "shell/AnalysisWindows.h"
#include "shell/DiskInfoView.h"
#include "shell/DriveProvider.h"

#include "foundation/File.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"
#include "manager/View.h"

#include <windows.h>

namespace {

enum {
    kTextDescription = 11086,
    kTextName = 11144,
    kDialogValue = 211,
    kTypeValue = 1000,
};

// The wait cursor, and no system box for a drive without a disc, for the scan.
class ScanScope {
public:
    ScanScope() : mode_(::SetErrorMode(SEM_FAILCRITICALERRORS)), cursor_(::SetCursor(::LoadCursorA(0, IDC_WAIT))) {}
    ~ScanScope() {
        ::SetCursor(cursor_);
        ::SetErrorMode(mode_);
    }
    ScanScope(ScanScope const &) = delete;
    ScanScope &operator=(ScanScope const &) = delete;

private:
    UINT mode_;
    HCURSOR cursor_;
};

bool Listed(int type) { return type != File::kFloppy && type != File::kRemote && type != File::kNoRoot; }

}  // namespace

DiskInfoDoc::Type DiskInfoDoc::_type;

DiskInfoDoc::Type::Type() { InitWindowOnlyType(*this, "DiskInfo", kTextDescription, kDialogValue, kTypeValue); }

View *DiskInfoDoc::Type::CreateView(Document &document, ViewMemento const *) {
    return DiskInfoView::Open(static_cast<DiskInfoDoc &>(document));
}

DiskInfoDoc::DiskInfoDoc() : DiskInfoDoc(FileName(FindString(kTextName))) {}

DiskInfoDoc::DiskInfoDoc(FileName const &title) : Document(_type, &title) { Scan(); }

void DiskInfoDoc::Scan() {
    ScanScope scope;
    DriveProvider &provider = TheDriveProvider();
    drives_.clear();
    for (int drive = 0; drive < kMaxDrives; ++drive) {
        DriveSpace space;
        if (!Listed(provider.TypeOf(drive)) || !provider.SpaceOf(drive, space.total, space.free))
            continue;
        space.drive = drive;
        space.valid = 1;
        drives_.push_back(space);
    }
    ++scans_;
}

int UsedBarWidth(uint64_t total, uint64_t free, int width) {
    if (total == 0 || free >= total)
        return 0;
    // in floating point: a drive of some petabytes times the width passes 64 bits
    return int(double(total - free) / double(total) * width);
}

String FreeSpaceText(uint64_t free) {
    String text(double(free) * 1e-6);
    text += " Mb";
    return text;
}

DiskInfoDoc *OpenDiskInformation(DocumentManager &manager) {
    for (Document *doc = manager.FindFirstDoc(); doc; doc = manager.FindNextDoc(doc))
        if (DiskInfoDoc *open = dynamic_cast<DiskInfoDoc *>(doc)) {
            if (View *view = open->GetViews().GetFirst())
                static_cast<DiskInfoView *>(view)->BringToFront();
            return open;
        }
    DiskInfoDoc *doc = new DiskInfoDoc;
    DiskInfoDoc::_type.CreateView(*doc, nullptr);
    return doc;
}
