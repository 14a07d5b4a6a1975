#pragma once

namespace rovuzu {

// The part of a camera picture that shows in a view of another shape: the picture is scaled to
// cover the view, keeping its proportions, and the overflow is cut evenly off two opposite
// edges, as a phone's camera view does. In the picture's pixels.
struct CoverCrop {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;

    // Nothing to show (all zero) when either has no size.
    static CoverCrop of(double pictureWidth, double pictureHeight, double viewWidth,
                        double viewHeight);
};

}  // namespace rovuzu
