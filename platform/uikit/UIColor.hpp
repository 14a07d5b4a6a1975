#pragma once

namespace rovuzu {

// A colour with components from 0 to 1.
struct UIColor {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 1.0;

    static constexpr UIColor whiteColor() { return {1.0, 1.0, 1.0, 1.0}; }
    static constexpr UIColor clearColor() { return {0.0, 0.0, 0.0, 0.0}; }

    friend bool operator==(const UIColor&, const UIColor&) = default;
};

}  // namespace rovuzu
