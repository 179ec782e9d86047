// The background task window: a small floating frame (child 59 of the main window) with
// the load graph above the list of background tasks (name, progress, state), divided by a
// splitter, and the commands that pause, resume, cancel and prioritise the tasks and set
// up the graph. A 500 ms timer follows the task list and the graph's history.
#pragma once

#include "controls/ListWindow.h"
#include "controls/Splitter.h"
#include "core/FrameWindow.h"
#include "core/LayoutWindow.h"

class PerformanceView;
class Task;

enum BackgroundTaskCommand {
    kCmPauseTask = 755,
    kCmPauseAll = 756,
    kCmPriorityLow = 757,
    kCmPriorityNormal = 758,
    kCmPriorityHigh = 759,
    kCmCancelTask = 760,
    kCmSeriesFirst = 770,  // 770, 771, 772: the series; 773: smoothing
    kCmSmooth = 773,
    kCmZoom50 = 774,  // 774 to 777: 50, 100, 200, 400
    kCmZoom400 = 777,
    kCmScaleTop = 780,
    kCmScaleSide = 781,
};

enum { kBackgroundTaskWindowId = 59 };

// The owner-drawn list of the tasks; each row's data is its task, used only while the
// task is still listed.
class ODListWindow : public TListWindow {
public:
    ODListWindow(TWindow *parent, int id);

    void SetupWindow() override;
    void CleanupWindow() override;
    void DrawItem(DRAWITEMSTRUCT &drawInfo) override;
    void MeasureItem(MEASUREITEMSTRUCT &measureInfo) override;

    // Under the task list's lock: one row per listed task, in list order.
    void Rebuild();
    // Under the lock: the rows whose progress moved are drawn again.
    void RedrawMoved();
    // The selected row's task, while it is listed; call under the list's lock.
    Task *SelectedTask() const;
    void RedrawSelected();

    // The texts of a task's three columns.
    static String ProgressText(Task const &task);
    static String StateText(Task const &task);

protected:
    void EvRButtonDown(uint modKeys, TPoint &point);

private:
    void DrawCell(HDC dc, RECT cell, char const *text, bool selected);

    HIMAGELIST images_ = nullptr;

    DECLARE_RESPONSE_TABLE(ODListWindow);
};

class StatusClientWindow;

// Moving it moves the border between graph and list ("Split").
class StatusSplitter : public Splitter {
public:
    StatusSplitter(StatusClientWindow &client);
    void SetSplitPosition(int position) override;

private:
    StatusClientWindow &client_;
};

class StatusClientWindow : public TLayoutWindow {
public:
    explicit StatusClientWindow(TWindow *parent);

    // The graph is split pixels high, the list takes the rest.
    void SetSplit(int split);

    PerformanceView *graph;
    StatusSplitter *splitter;
    ODListWindow *list;
};

class BackgroundTaskWindow : public TFrameWindow {
public:
    explicit BackgroundTaskWindow(TWindow *mainWindow);

    // A popup window: its identifier is no menu of the system's.
    HWND PerformCreate(HMENU menuOrId) override;
    void SetupWindow() override;
    void CleanupWindow() override;
    ODListWindow &GetList() { return *client_->list; }
    PerformanceView &GetGraph() { return *client_->graph; }
    // Stores position, size and split for the settings.
    void StorePlacement();
    // The timer's work: the list follows the tasks, the graph its history.
    void Follow();

protected:
    void EvTimer(WPARAM id);
    void EvClose();

    void CmPauseTask();
    void CePauseTask(TCommandEnabler &ce);
    void CmPauseAll();
    void CePauseAll(TCommandEnabler &ce);
    void CmPriority(uint id);
    void CePriority(TCommandEnabler &ce);
    void CmCancelTask();
    void CeCancelTask(TCommandEnabler &ce);
    void CmOption(uint id);
    void CeOption(TCommandEnabler &ce);
    void CmZoom(uint id);
    void CeZoom(TCommandEnabler &ce);
    void CmDirection(uint id);
    void CeDirection(TCommandEnabler &ce);

private:
    StatusClientWindow *client_;

    DECLARE_RESPONSE_TABLE(BackgroundTaskWindow);
};

// 1: makes the window when the main window has none, then restores it and brings it to
// the top; 0: shuts it down.
void ShowBackgroundTaskWindow(int show);
// The open window, or null.
BackgroundTaskWindow *FindBackgroundTaskWindow();
// Opens the first submenu of a menu of the language module at a point of a window's client
// area; its commands go to owner. Nothing without the menu.
void TrackTaskWindowMenu(int menu, HWND window, POINT point, HWND owner);
// The open window's placement into the settings (nothing without one).
void StoreBackgroundTaskWindowPlacement();
