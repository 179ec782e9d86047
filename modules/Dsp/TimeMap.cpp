#include "Dsp/TimeMap.h"

namespace dsp {

void TimeMap::Init(double stretch, double bendFrames) {
    stretch_ = stretch;
    bend_ = bendFrames;
    count_ = 0;
    Push({0, 0});
}

double TimeMap::Evaluate(double out) const {
    for (int i = 0; i + 1 < count_; ++i) {
        Point const a = points_[i], b = points_[i + 1];
        if (out <= b.out)
            return a.in + (out - a.out) * (b.in - a.in) / (b.out - a.out);
    }
    // past the last anchor, which lies on it: the line
    return Line(out);
}

double TimeMap::At(double out) {
    // drop the anchors that lie behind
    int drop = 0;
    while (drop + 1 < count_ && points_[drop + 1].out <= out)
        ++drop;
    for (int i = drop; i < count_; ++i)
        points_[i - drop] = points_[i];
    count_ -= drop;
    return Evaluate(out);
}

bool TimeMap::Bearable(Point a, Point b) const {
    double const dOut = b.out - a.out, dIn = b.in - a.in;
    if (dOut <= 0 || dIn <= 0)
        return false;
    double const local = dOut / dIn;
    return local >= stretch_ / 3 && local <= stretch_ * 3;
}

bool TimeMap::Protect(double from, double to, double offset, double committed) {
    if (from <= committed || count_ + 4 > kPoints)
        return false;
    // keep what is committed: cut the map at the later of committed and the end of the
    // last protected stretch, and continue from there
    double const cut = committed > lastProtectedEnd_ ? committed : lastProtectedEnd_;
    Point const start = {cut, Evaluate(cut)};
    Point const a = {from, from + offset}, b = {to, to + offset};
    Point const rejoin = {to + bend_, Line(to + bend_)};
    Point const leave = {from - bend_, Line(from - bend_)};
    bool const viaLine = leave.out > start.out && Bearable(start, leave) && Bearable(leave, a);
    if (!viaLine && !Bearable(start, a))
        return false;
    if (!Bearable(b, rejoin))
        return false;
    int keep = 0;
    while (keep < count_ && points_[keep].out < cut)
        ++keep;
    count_ = keep;
    Push(start);
    if (viaLine)
        Push(leave);
    Push(a);
    Push(b);
    Push(rejoin);
    lastProtectedEnd_ = to;
    return true;
}

}  // namespace dsp
