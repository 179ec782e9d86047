#include "waveview/PaneGeometry.h"

#include <algorithm>
#include <cstdint>

int PaneGeometry::Y(int value) const {
    int a = Half();
    if (a < 32768)
        return ZeroY() - value * a / 32767;
    double y = ZeroY() - int(double(value) * a * (1.0 / 32767));
    return int(std::min(std::max(y, -16000.0), 16000.0));
}

int PaneGeometry::LevelAt(int y, bool snap) const {
    int h = Drawable();
    if (h == 0)
        return 0;
    int f = margin + h / 2 - y - height * offset / 100;
    if (snap && f >= -1 && f <= 1)
        f = 0;
    double v = f > 32766 || f < -32767 ? double(f) * 65536 / h : double(f * 65536 / h);
    return int(std::min(std::max(v, -32768.0), 32767.0));
}

int VerticalPositionFromLevel(int height, int margin, int verticalZoom, int level) {
    if (height <= 0)
        return 0;
    int d = height * verticalZoom - 2 * margin;
    int e = d / 2 - int(int64_t(d) * level / 65536);
    return (e + margin - height / 2) * 100 / height;
}
