// Progress of long operations: the scope objects through which a work loop reports to the
// gauge of the main frame's status bar, the user's cancel, and the duration texts.
// Everything here runs on the GUI thread.
#pragma once

#include "bars/StatusBar.h"

#include "foundation/Lists.h"
#include "foundation/Strings.h"

// The millisecond clock of the protocol (the multimedia timer unless a test replaces it).
typedef unsigned long (*TProgressClock)();
// Installs a clock (null: the system's again); returns the previous one.
VELTRANE_API TProgressClock SetProgressClock(TProgressClock clock);
VELTRANE_API unsigned long ProgressClock();
// Tests: the n-th cancel check from now answers as a cancel the user confirmed (0: none).
VELTRANE_API void SetProgressCancelAtCheck(long n);

// One nesting level of AutoProgressBar: its plain title and its total.
class VELTRANE_API GaugeData : public ListElement {
public:
    GaugeData(String const &title, long total) : Title(title), Total(total) {}
    String Title;
    long Total;
};

// Reports one operation to the main frame's status bar. The outermost object opens the
// gauge and blocks user input (_disableFrame) for its life; inner ones restart the gauge
// with their own title and total, and their end brings back the enclosing level.
class VELTRANE_API AutoProgressBar {
public:
    AutoProgressBar(long total, int titleMessage, int cancelButton);
    AutoProgressBar(long total, String const &title, int cancelButton);
    AutoProgressBar(long total, char const *title, int cancelButton);
    // A copy would end a level it never began and close the gauge under the live one.
    AutoProgressBar(AutoProgressBar const &) = delete;
    AutoProgressBar &operator=(AutoProgressBar const &) = delete;
    ~AutoProgressBar();

    // 1 to go on, 0 when the user cancelled (modes 3 and up); mode 2 throws on a cancel.
    int NotifyProgress(long value, StatusBar::Mode mode);
    // The end of the operation shows how long it took.
    void ValidateTimeDisplay() { showTime_ = 1; }
    StatusBar *GetStatusBar() const { return bar_; }

    // Live objects; 0 when no operation runs.
    static int GetNestingDepth();

private:
    void Begin(long total, String const &title, int cancelButton);

    StatusBar *bar_;
    int showTime_;
    unsigned long start_;
};

// Non-zero when the user confirmed a cancel (modes other than 2); in mode 2 a confirmed
// cancel throws. Also keeps the windows painted while input is swallowed.
VELTRANE_API int DetectUserCancel(StatusBar::Mode mode);
// Throws the text-less Exception once the user has cancelled the running operation.
VELTRANE_API void ThrowIfUserCancel();
// Non-zero from a confirmed cancel until the next outermost operation starts.
VELTRANE_API int IsUserCancelled();

// Writes a duration: "1h 2mn 3s 4ms" style, the milliseconds only when exact or alone;
// without exact the value is rounded to the second. The buffer takes 64 characters.
VELTRANE_API void FormatDuration(char *buffer, long milliseconds, int exact);

// Shows in the status bar how long the enclosing scope took, unless prevented.
class VELTRANE_API AutoDisplayDuration {
public:
    explicit AutoDisplayDuration(int message);
    explicit AutoDisplayDuration(String const &text);
    AutoDisplayDuration(AutoDisplayDuration const &) = default;
    AutoDisplayDuration &operator=(AutoDisplayDuration const &) = default;
    ~AutoDisplayDuration();

    void PreventDisplay() { prevent_ = 1; }

private:
    int prevent_;
    String text_;
    unsigned long start_;
};
