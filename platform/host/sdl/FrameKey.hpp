#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/simd/simd.hpp"
#include "platform/uikit/UIColor.hpp"

namespace rovuzu {

class SKNode;
class SKTexture;
class SKView;

// Everything a frame of the renderer is drawn from, as a value: two equal keys give the same
// pixels, so a window may skip drawing a frame whose key equals the last one drawn. It names
// what the renderer reads: the view's frame and scale, the camera picture (the world's pose and
// detail, or the real camera's latest picture), and each node drawn, in drawing order, with
// every property that decides how it looks. Textures are held, so that an address can never
// stand for another picture; nodes are not, so that the key keeps nothing of the scene alive.
class FrameKey {
  public:
    // What shows behind the scene.
    struct Picture {
        enum class Kind { black, world, camera };
        Kind kind = Kind::black;
        simd_float4x4 pose{1.0F};
        bool coarse = false;  // the world drawn quicker while the camera moves
        std::uint64_t cameraPicture = 0;
        friend bool operator==(const Picture&, const Picture&) = default;
    };

    FrameKey(const SKView& view, double pixelsPerPoint, const Picture& picture, std::string notice);

    friend bool operator==(const FrameKey&, const FrameKey&) = default;

  private:
    struct Item {
        double tx = 0.0;
        double ty = 0.0;
        double sx = 1.0;
        double sy = 1.0;
        double alpha = 1.0;
        std::shared_ptr<const SKTexture> texture;  // sprites
        CGSize size{};
        CGPoint anchorPoint{};
        std::string text;  // labels
        std::string fontName;
        double fontSize = 0.0;
        UIColor fontColor{};
        int alignment = 0;
        UIColor color{};  // both: the blend colour and its factor
        double colorBlendFactor = 0.0;
        friend bool operator==(const Item&, const Item&) = default;
    };

    static Item describe(const SKNode& node);

    CGRect frame_{};
    double pixelsPerPoint_ = 0.0;
    Picture picture_;
    bool hasScene_ = false;
    CGSize sceneSize_{};
    CGPoint sceneAnchor_{};
    std::vector<Item> items_;
    std::string readouts_;
    std::string notice_;
};

}  // namespace rovuzu
