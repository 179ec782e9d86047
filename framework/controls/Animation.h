// The system's animation common control, which plays a silent clip.
#pragma once

#include "controls/Control.h"

class VELTRANE_API TAnimateCtrl : public TControl {
public:
    // Both raise TXCommCtrl when the common-controls library is missing.
    TAnimateCtrl(TWindow *parent, int id, int x, int y, int w, int h, TModule *module = 0);
    TAnimateCtrl(TWindow *parent, int resourceId, TModule *module = 0);

    // A file or resource name; non-zero when the control opened it.
    int Open(char *clip);
    // Plays first to last, repeat times (-1 for ever); non-zero when the control started.
    int Play(unsigned short first, unsigned short last, unsigned repeat = 1);
    // Shows one frame.
    int Seek(unsigned short frame) { return Play(frame, frame, 0); }
    void Stop();

    char const *GetClassNameA() override;
};
