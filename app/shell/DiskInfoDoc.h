// Disk information: the local drives with their size and free space, scanned once when the
// document is made and shown as one row a drive (DiskInfoView). At most one such document
// is open; asking again brings its window to the front.
#pragma once

#include "manager/Document.h"
#include "manager/DocumentModel.h"

#include <cstdint>
#include <vector>

class DocumentManager;

struct DriveSpace {
    uint64_t total = 0;
    uint64_t free = 0;
    int32_t drive = 0;  // 0 = A
    int32_t valid = 0;
};

class DiskInfoDoc : public Document {
public:
    enum { kMaxDrives = 26 };

    class Type : public DocumentFactory<DiskInfoDoc> {
    public:
        Type();
        View *CreateView(Document &document, ViewMemento const *memento) override;

        int resizing = 0;  // the view is setting its scroll range
    };
    static Type _type;

    DiskInfoDoc();

    // Asks the drive provider for every drive letter: floppy, remote and rootless drives
    // are left out, and so are drives whose space cannot be read. No "insert a disk" box
    // comes up while it runs.
    void Scan();

    std::vector<DriveSpace> const &GetDrives() const { return drives_; }
    int GetNumScans() const { return scans_; }

private:
    explicit DiskInfoDoc(FileName const &title);

    std::vector<DriveSpace> drives_;
    int scans_ = 0;
};

// The red part of a drive's bar of width pixels: the used share of the drive (none when
// the size is unknown).
int UsedBarWidth(uint64_t total, uint64_t free, int width);
// The free space as the row shows it: megabytes with two decimals and " Mb".
String FreeSpaceText(uint64_t free);

// The disk information command: the open window to the front, else a new document and
// its window.
DiskInfoDoc *OpenDiskInformation(DocumentManager &manager);
