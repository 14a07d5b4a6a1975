#pragma once

#include "Canvas.hpp"

namespace rovuzu {

// The four target sprites and the app icons. Each target is a badge: soft drop shadow, thick
// dark outline and light rim around a coloured motif, so it reads on bright sky, dark floors
// and busy camera pictures alike.
class TargetArt {
  public:
    static constexpr int kDesignCount = 4;
    static constexpr int kTargetSize = 240;
    static constexpr int kIconSize = 256;

    static Canvas target(int design);
    // The bullseye on a rounded tile, `size` pixels square: the same design at every size.
    static Canvas icon(int size = kIconSize);
    // For launchers that cut icons to their own shape (a circle, a squircle): the tile's
    // colours fill the square and the bullseye keeps within the middle circle that every such
    // shape leaves whole, 80 % of the side across.
    static Canvas maskableIcon(int size);

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
    static Paint tileGradient();

    Canvas& canvas_;
};

}  // namespace rovuzu
