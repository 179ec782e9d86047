// Placing the caret of a wave.
#include "audio/Wave.h"

#include <algorithm>

int Wave::SetCaret(int channels, int position, int deferred) {
    position = std::max(position, 0);
    if (channels == activeChannels_ && position == caret_)
        return 0;
    if (deferred)
        NotifyViews(kNotifyHideCaret);
    activeChannels_ = channels;
    caret_ = position;
    if (!deferred)
        NotifyViews(kNotifyCaretMoved, position);
    return 1;
}
