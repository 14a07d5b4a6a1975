#pragma once

#include "Canvas.hpp"

namespace rovuzu {

// The four target sprites and the app icon. Each target is a badge: soft drop shadow, thick
// dark outline and light rim around a coloured motif, so it reads on bright sky, dark floors
// and busy camera pictures alike.
class TargetArt {
  public:
    static constexpr int kDesignCount = 4;
    static constexpr int kTargetSize = 240;
    static constexpr int kIconSize = 256;

    static Canvas target(int design);
    static Canvas icon();

  private:
    explicit TargetArt(Canvas& canvas) : canvas_(canvas) {}

    void draw(int design);
    void bullseye();
    void crosshair();
    void hexagons();
    void starburst();

    // Shadow, outline and rim; returns the field left inside the rim for the motif.
    Field badge(const Field& silhouette, Colour outline, Colour rim);
    void layer(const Field& shape, Colour colour);
    void gloss(const Field& body);

    Canvas& canvas_;
};

}  // namespace rovuzu
