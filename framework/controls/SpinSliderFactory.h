// The description of one slider of a spin edit's pop-up: its range, the value of one
// step, whether it is the master slider over the whole range, and its thumb colour.
#pragma once

#include "controls/Slider.h"

class VELTRANE_API SpinSliderFactory : public ListElement {
public:
    SpinSliderFactory(int low = 0, int high = 0, double scale = 1.0, int master = 0, Slider::Color color = Slider::Default)
        : low(low), high(high), scale(scale), master(master), color(color) {}
    SpinSliderFactory(SpinSliderFactory const &other) = default;
    SpinSliderFactory &operator=(SpinSliderFactory const &other) {
        low = other.low, high = other.high, scale = other.scale, master = other.master, color = other.color;
        return *this;
    }

    int low;
    int high;
    double scale;
    int master;
    Slider::Color color;
};
