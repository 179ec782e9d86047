// The marker window: a small floating tool window (child 42 of the main window) listing the
// visible markers of the active wave with an icon per type. It follows the active wave and
// its marker changes by itself; the user jumps to a marker, plays from it, sorts the list,
// edits, deletes and filters markers there.
#pragma once

#include "controls/ListView.h"
#include "core/FrameWindow.h"
#include "manager/Document.h"

#include <windows.h>

#include <cstdint>
#include <memory>

class Config;
class ImageList;
class Wave;

enum MarkerWindowCommand { kCmEditListedMarker = 634, kCmDeleteListedMarker = 635, kCmMarkerFilter = 822 };
enum { kMarkerWindowId = 42, kMarkerListId = 1000 };

// The report list of the markers: each item's data is its marker's index in the set. Names
// are changed through the marker dialog only.
class MarkerList : public ListView {
public:
    explicit MarkerList(TWindow *parent);

protected:
    void EvChar(uint key, uint repeat, uint flags);
    void EvKeyDown(uint key, uint repeat, uint flags);
    void EvRButtonDown(uint modKeys, TPoint &point);

private:
    DECLARE_RESPONSE_TABLE(MarkerList);
};

class MarkerWindow : public TFrameWindow {
public:
    explicit MarkerWindow(TWindow *mainWindow);
    ~MarkerWindow() override;

    // A popup window: its identifier is no menu of the system's.
    HWND PerformCreate(HMENU menuOrId) override;
    int IdleAction(long idleCount) override;
    LRESULT EvNotify(uint id, TNotify &info) override;
    void SetupWindow() override;
    void CleanupWindow() override;

    // The list follows the active wave: when that is another wave than the shown one, when
    // the shown wave's markers changed, or with force.
    void Refill(int force = 0);
    MarkerList &GetList() { return *list_; }
    // The shown wave while it is open, else null.
    Wave *GetShownWave() const;
    // The marker index an item stands for, -1 when the item or its marker is gone.
    int MarkerOfItem(int item) const;
    // The selected item's marker, -1 when none.
    int SelectedMarker() const;
    // Moves the caret to a listed marker and shows it in the active view.
    void GoToMarker(int item);

    // A wave told its views that everything or its markers changed.
    static void NoteWaveChanged(Wave const &wave);

protected:
    void CmEnter() {}
    void EvActivate(uint state, int minimized, HWND other);
    void CmFilter();
    void CmEditMarker();
    void CmDeleteMarker();
    void CeMarkerSelected(TCommandEnabler &ce);

private:
    void SetCaptionFor(Wave const *wave);
    void FillList(Wave &wave);
    // The selection changed, an item was clicked or double-clicked.
    void OnItemChanged(NMLISTVIEW const &change);
    void OnDoubleClick();
    void OnRightClick(TPoint const &point);
    void SortBy(int column);
    // Selects the item of a marker again after a refill.
    void SelectMarker(int index);

    MarkerList *list_;
    std::unique_ptr<ImageList> images_;
    unsigned timeUnit_;
    DocumentID shown_;
    int notificationHold_ = 0;
    int suppressSelection_ = 0;

    friend class MarkerList;
    DECLARE_RESPONSE_TABLE(MarkerWindow);
};

// With show: opens the window, or restores it and brings it to the top; without: closes it.
void ShowMarkerWindow(bool show);
// The window object, or null.
MarkerWindow *FindMarkerWindow();
bool IsMarkerWindowShown();

// The settings of group "MarkerWindow": the normal placement and the marker dialog's last
// automatic-name choice.
struct MarkerWindowSettings {
    int32_t x = 100, y = 100, x2 = 400, y2 = 400;
    int32_t lastAutoName = 0;  // "LastAN"
};
MarkerWindowSettings &TheMarkerWindowSettings();
void LoadMarkerWindowSettings(Config &config);
// Takes the open window's placement first.
void SaveMarkerWindowSettings(Config &config);
// A stored placement is kept only when its left and top lie 40 pixels inside the screen and
// it lies mostly (half its area or more) on the virtual screen.
bool IsUsablePlacement(RECT const &placement, SIZE const &screen, RECT const &virtualScreen);
