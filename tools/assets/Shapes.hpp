#pragma once

#include "Canvas.hpp"

// Signed distance fields for the shapes the art is built from, plus ways to combine them.
namespace rovuzu::shapes {

Field circle(glm::vec2 centre, float radius);
Field roundedBox(glm::vec2 centre, glm::vec2 halfSize, float cornerRadius);
// `inradius` is the distance from the centre to the middle of a side; rotation in radians.
Field hexagon(glm::vec2 centre, float inradius, float cornerRadius, float rotation);
// `sharpness` runs from 2 (a plain polygon) to `points` (thin spikes).
Field star(glm::vec2 centre, float radius, int points, float sharpness, float cornerRadius,
           float rotation);
Field capsule(glm::vec2 from, glm::vec2 to, float radius);

// Positive `amount` grows the shape outwards, negative shrinks it.
Field grown(Field shape, float amount);
Field moved(Field shape, glm::vec2 offset);
// A band of the given half width centred on the shape's edge.
Field outline(Field shape, float halfWidth);
Field unite(Field a, Field b);
Field subtract(Field shape, Field hole);

}  // namespace rovuzu::shapes
