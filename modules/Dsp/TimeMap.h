// Where each output position of a time-scale change takes its input from: out / stretch,
// except around protected stretches (onsets), which run at slope 1 and land where
// out / stretch would put them, the map bending before and after them to rejoin the line.
#pragma once

#include <cstdint>

namespace dsp {

class TimeMap {
public:
    void Init(double stretch, double bendFrames);
    // the input position of an output position, which never decreases between calls
    double At(double out);
    // Maps output [from, to] to input [from + offset, to + offset]. Refused (false) when the
    // map would have to change at or before committed, or bend beyond a third or three
    // times the stretch.
    bool Protect(double from, double to, double offset, double committed);

private:
    struct Point {
        double out, in;
    };
    static constexpr int kPoints = 64;

    double Line(double out) const { return out / stretch_; }
    double Evaluate(double out) const;
    bool Bearable(Point a, Point b) const;
    void Push(Point p) { points_[count_++] = p; }

    double stretch_ = 1;
    double bend_ = 0;
    // the anchors still ahead, in order; the line continues past the last one
    Point points_[kPoints] = {};
    int count_ = 0;
    double lastProtectedEnd_ = -1;
};

}  // namespace dsp
