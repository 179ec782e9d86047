// The window of disk information: one row a drive, each with its letter, a bar whose red
// part is the used share of the drive and the free space in megabytes, scrolled when the
// window is smaller than its rows.
#pragma once

#include "core/LayoutWindow.h"
#include "core/Window.h"
#include "manager/View.h"

#include <vector>

class DiskInfoDoc;
struct DriveSpace;
class DiskInfoView;

// The measures of the rows, in the font of the window on the display.
struct DiskRowMeasures {
    int letterWidth = 0;  // "M "
    int textWidth = 0;    // " 0000.00 Mb"
    int rowHeight = 0;    // the text height x 5 / 3
    int rowGap = 0;       // the text height x 5 / 6

    static DiskRowMeasures Take();
    int RowWidth() const { return letterWidth + textWidth + 200; }
};

class DiskWindow : public TWindow {
public:
    enum { kBarWidth = 200 };

    DiskWindow(DiskInfoView &view, DriveSpace const &drive);

    DriveSpace const &GetDrive() const { return drive_; }
    void Paint(TDC &dc, int erase, TRect &rect) override;

private:
    DiskInfoView &view_;
    DriveSpace const &drive_;
};

class DiskInfoView : public TLayoutWindow, public View {
public:
    explicit DiskInfoView(DiskInfoDoc &doc);

    // A view in a new document window, shown with the focus.
    static DiskInfoView *Open(DiskInfoDoc &doc);

    DiskRowMeasures const &GetMeasures() const { return measures_; }
    std::vector<DiskWindow *> const &GetRows() const { return rows_; }
    // The size of the rows with their margins.
    TSize GetExtent() const;
    // Restores the document window and makes it the active one.
    void BringToFront();

    void SetupWindow() override;
    void EvSize(uint sizeType, TSize &size);

private:
    void MakeRows();
    void FitFrame();

    DiskRowMeasures measures_;
    std::vector<DiskWindow *> rows_;

    DECLARE_RESPONSE_TABLE(DiskInfoView);
};
