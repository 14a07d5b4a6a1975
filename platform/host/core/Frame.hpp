#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/simd/simd.hpp"
#include "platform/spritekit/SKLabelNode.hpp"
#include "platform/spritekit/SKTexture.hpp"
#include "platform/uikit/UIColor.hpp"

namespace rovuzu {

// Whole pixels of the render target: the view's area.
struct PixelArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelArea&, const PixelArea&) = default;
};

// A point of the render target in pixels, x right and y down.
struct PixelPoint {
    float x = 0.0F;
    float y = 0.0F;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A rectangle of the render target in pixels.
struct PixelBox {
    float x = 0.0F;
    float y = 0.0F;
    float width = 0.0F;
    float height = 0.0F;
    friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// One frame of a view as a value, worked out by FrameLayout: what shows behind the scene, then
// every sprite and label in drawing order as a rectangle or a line of text in target pixels,
// then the read-outs. A backend only paints it. Two equal frames are the same pixels, so a
// host skips drawing a frame equal to the last one drawn. Textures are held, so that an address
// can never stand for another picture; nodes are not, so a frame keeps nothing of the scene
// alive.
struct Frame {
    // What shows behind the scene: nothing (black), the built-in world as the AR camera sees
    // it, a real camera's picture, by its number: the part of it the AR camera shows,
    // stretched over the view; or the camera's picture as the platform itself shows it under
    // the view (WebXR's passthrough), where the view stays clear.
    struct Backdrop {
        enum class Kind { black, world, camera, passthrough };
        Kind kind = Kind::black;
        simd_float4x4 pose{1.0F};  // the camera's pose in the world
        CGSize viewport{};         // view points
        bool coarse = false;       // the world drawn quicker while the camera moves
        std::uint64_t cameraPicture = 0;
        CGSize pictureSize{};  // pixels
        CGRect picturePart{};  // in the picture's pixels, from its edges
        friend bool operator==(const Backdrop&, const Backdrop&) = default;
    };

    // A sprite's whole texture stretched over a box, turned over as flipX and flipY say, its
    // colour multiplied by `tint`.
    struct Sprite {
        std::shared_ptr<const SKTexture> texture;
        PixelBox box;
        bool flipX = false;
        bool flipY = false;
        UIColor tint;  // alpha included
        friend bool operator==(const Sprite&, const Sprite&) = default;
    };

    // A line of text: its em is `sizeX` by `sizeY` pixels, its baseline runs through
    // `baseline`, which is its start, middle or end as `alignment` says. Its glyphs stand in a
    // dark halo `halo` pixels thick, so that they read over any picture.
    struct Text {
        std::string text;
        std::string fontName;
        double sizeX = 0.0;
        double sizeY = 0.0;
        PixelPoint baseline;
        SKLabelHorizontalAlignmentMode alignment = SKLabelHorizontalAlignmentMode::center;
        UIColor tint;  // alpha included
        double halo = 0.0;
        friend bool operator==(const Text&, const Text&) = default;
    };

    using Item = std::variant<Sprite, Text>;

    // No area means nothing is drawn at all.
    PixelArea area;
    double pixelsPerPoint = 0.0;
    Backdrop backdrop;
    std::vector<Item> items;
    // The view's frame rate and node count, such as "12 nodes  60 fps", in the bottom-right
    // corner; and a notice from the platform, such as lost tracking, at the top. Empty for none.
    std::string readouts;
    std::string notice;

    friend bool operator==(const Frame&, const Frame&) = default;
};

}  // namespace rovuzu
