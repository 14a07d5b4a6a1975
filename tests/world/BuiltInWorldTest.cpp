#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <glm/geometric.hpp>
#include <glm/matrix.hpp>
#include <optional>
#include <vector>

#include "platform/world/BuiltInWorld.hpp"
#include "platform/world/CutLattice.hpp"
#include "platform/world/DevicePose.hpp"
#include "platform/world/PictureArchive.hpp"
#include "platform/world/RoomBuilder.hpp"
#include "platform/world/WorldMesher.hpp"

namespace rovuzu {
namespace {

// A small view keeps the pixel-by-pixel checks quick; the geometry does not depend on size.
constexpr CGSize kView{90.0, 160.0};

ARCamera cameraAt(const DevicePose& pose, CGSize view = kView) {
    return ARCamera{pose.transform(), view};
}

// Deterministic poses anywhere a player could stand in the room, looking anywhere.
std::vector<DevicePose> randomPoses(int count) {
    std::uint32_t state = 12345U;
    const auto next = [&state](double lo, double hi) {
        state = state * 1664525U + 1013904223U;
        return lo + (hi - lo) * static_cast<double>(state >> 8U) / static_cast<double>(1U << 24U);
    };
    std::vector<DevicePose> poses;
    poses.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double yaw = next(0, 360);
        const double pitch = next(-89, 89);
        const double roll = next(-40, 40);
        const double x = next(-3, 3);
        const double y = next(-1.3, 1.3);
        poses.push_back(DevicePose::looking(yaw, pitch, roll, {x, y, next(-3.5, 3.5)}));
    }
    return poses;
}

// Which pixel centres of the view no triangle covers.
int uncoveredPixels(const WorldFrame& frame, CGSize view) {
    const int width = static_cast<int>(view.width);
    const int height = static_cast<int>(view.height);
    std::vector<bool> covered(static_cast<std::size_t>(width * height), false);
    for (const WorldBatch& batch : frame.batches()) {
        for (std::size_t i = 0; i + 2 < batch.vertices.size(); i += 3) {
            const WorldVertex& a = batch.vertices[i];
            const WorldVertex& b = batch.vertices[i + 1];
            const WorldVertex& c = batch.vertices[i + 2];
            const float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
            if (area == 0.0F) {
                continue;
            }
            const int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}))));
            const int x1 =
                std::min(width - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}))));
            const int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}))));
            const int y1 =
                std::min(height - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}))));
            for (int y = y0; y <= y1; ++y) {
                for (int x = x0; x <= x1; ++x) {
                    const float px = static_cast<float>(x) + 0.5F;
                    const float py = static_cast<float>(y) + 0.5F;
                    const auto edge = [&](const WorldVertex& p, const WorldVertex& q) {
                        return ((q.x - p.x) * (py - p.y) - (px - p.x) * (q.y - p.y)) / area;
                    };
                    constexpr float kSlack = -1e-4F;
                    if (edge(a, b) >= kSlack && edge(b, c) >= kSlack && edge(c, a) >= kSlack) {
                        covered[static_cast<std::size_t>(y) * width + x] = true;
                    }
                }
            }
        }
    }
    return static_cast<int>(std::count(covered.begin(), covered.end(), false));
}

WorldFrame meshed(const WorldRect& rect, const ARCamera& camera) {
    WorldFrame frame;
    const CutLattice lattice(simd_float3{camera.transform()[3]}, {rect});
    WorldMesher(camera, lattice, frame).add(rect);
    return frame;
}

TEST(BuiltInWorldTest, APictureFacingTheCameraShowsItsTextureTheRightWayRound) {
    // A picture two metres ahead, its centre on the line of sight, seen in two view sizes.
    const WorldRect picture{{-1.0F, 1.0F, -2.0F}, kPlusX, kMinusY, 2.0F, 2.0F, {7, 2.0F, 2.0F}};
    for (const CGSize view : {kView, CGSize{400.0, 400.0}}) {
        const ARCamera camera = cameraAt({}, view);
        const WorldFrame frame = meshed(picture, camera);
        ASSERT_EQ(frame.batches().size(), 1U);
        EXPECT_EQ(frame.batches()[0].texture, 7U);
        const auto corner = camera.projectPoint({-1.0F, 1.0F, -2.0F});
        ASSERT_TRUE(corner.has_value());
        int middles = 0;
        for (const WorldVertex& v : frame.batches()[0].vertices) {
            // The middle of the view shows the middle of the texture, the top left its top left.
            if (v.x == view.width / 2.0 && v.y == view.height / 2.0) {
                ++middles;
                EXPECT_FLOAT_EQ(v.u, 0.5F);
                EXPECT_FLOAT_EQ(v.v, 0.5F);
            }
            if (std::abs(v.x - corner->viewPoint.x) < 1e-3 &&
                std::abs(v.y - corner->viewPoint.y) < 1e-3) {
                EXPECT_FLOAT_EQ(v.u, 0.0F);
                EXPECT_FLOAT_EQ(v.v, 0.0F);
            }
        }
        EXPECT_GT(middles, 0) << view.width << " x " << view.height;
    }
}

TEST(BuiltInWorldTest, APictureSeenFromBehindIsNotDrawn) {
    const WorldRect picture{{-1.0F, 1.0F, -2.0F}, kMinusX, kMinusY, 2.0F, 2.0F, {0, 2.0F, 2.0F}};
    EXPECT_EQ(meshed(picture, cameraAt({})).triangleCount(), 0U);
}

TEST(BuiltInWorldTest, FromInsideTheRoomEvenAlmostTouchingAWallEveryPixelIsCovered) {
    std::vector<DevicePose> poses = randomPoses(40);
    for (const double yaw : {0.0, 30.0, 80.0}) {
        poses.push_back(
            DevicePose::looking(yaw, 10.0, 0.0, {0.3, 0.0, -RoomBuilder::kHalfDepth + 0.06}));
    }
    for (const DevicePose& pose : poses) {
        const WorldFrame frame = BuiltInWorld::shared().frame(cameraAt(pose));
        const glm::dvec3 angles = pose.angles();
        EXPECT_EQ(uncoveredPixels(frame, kView), 0)
            << "yaw " << angles.x << " pitch " << angles.y << " at " << pose.position.x << " "
            << pose.position.y << " " << pose.position.z;
    }
}

TEST(BuiltInWorldTest, EveryVertexIsANumberWithinTheViewAndItsTexture) {
    const BuiltInWorld& world = BuiltInWorld::shared();
    const double reach = FrustumClipper::kGuardBand + 0.01;
    for (const DevicePose& pose : randomPoses(20)) {
        const WorldFrame frame = world.frame(cameraAt(pose));
        for (const WorldBatch& batch : frame.batches()) {
            ASSERT_LT(batch.texture, world.textures().size());
            for (const WorldVertex& v : batch.vertices) {
                ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y));
                EXPECT_TRUE(v.x >= -reach && v.x <= kView.width + reach) << v.x;
                EXPECT_TRUE(v.y >= -reach && v.y <= kView.height + reach) << v.y;
                EXPECT_TRUE(v.u >= 0.0F && v.u <= 1.0F && v.v >= 0.0F && v.v <= 1.0F)
                    << v.u << " " << v.v;
            }
        }
    }
}

TEST(BuiltInWorldTest, AffineTexturingStaysCloseToPerspective) {
    // The floor under the player, where cells are nearest and most foreshortened: on each
    // triangle, the texture point drawn at its centroid must lie near the one the camera sees
    // there.
    const float floorY = RoomBuilder::kFloor;
    const WorldRect floor{{-4.0F, floorY, -4.5F}, kPlusX, kPlusZ, 8.0F, 9.0F, {0, 8.0F, 9.0F}};
    const CGSize view{375.0, 667.0};
    double worst = 0.0;
    for (const double pitch : {-20.0, -45.0, -70.0, -89.0}) {
        for (const double yaw : {0.0, 35.0}) {
            const ARCamera camera = cameraAt(DevicePose::looking(yaw, pitch), view);
            const WorldFrame frame = meshed(floor, camera);
            const std::vector<WorldVertex>& vertices = frame.batches()[0].vertices;
            for (std::size_t i = 0; i + 2 < vertices.size(); i += 3) {
                const WorldVertex* t = &vertices[i];
                const float u = (t[0].u + t[1].u + t[2].u) / 3.0F;
                const float v = (t[0].v + t[1].v + t[2].v) / 3.0F;
                const simd_float3 drawn{-4.0F + 8.0F * u, floorY, -4.5F + 9.0F * v};
                const auto seen = camera.projectPoint(drawn);
                ASSERT_TRUE(seen.has_value());
                const double cx = (t[0].x + t[1].x + t[2].x) / 3.0;
                const double cy = (t[0].y + t[1].y + t[2].y) / 3.0;
                worst = std::max(worst, std::hypot(seen->viewPoint.x - cx, seen->viewPoint.y - cy));
            }
        }
    }
    EXPECT_LT(worst, 1.0) << "points";
}

TEST(BuiltInWorldTest, NothingIsSeenThroughAnEmptyViewOrAPoseThatIsNotANumber) {
    const BuiltInWorld& world = BuiltInWorld::shared();
    EXPECT_EQ(world.frame(ARCamera{simd_float4x4{1.0F}, {0.0, 0.0}}).triangleCount(), 0U);
    EXPECT_EQ(world.frame(ARCamera{simd_float4x4{std::nanf("")}, kView}).triangleCount(), 0U);
}

TEST(BuiltInWorldTest, TheWorldIsTheSameEveryTime) {
    const BuiltInWorld again;
    const BuiltInWorld& world = BuiltInWorld::shared();
    ASSERT_EQ(again.textures().size(), world.textures().size());
    for (std::size_t i = 0; i < world.textures().size(); ++i) {
        EXPECT_EQ(again.textures()[i].bytes(), world.textures()[i].bytes()) << "texture " << i;
    }
    const ARCamera camera = cameraAt(DevicePose::looking(20.0, -10.0, 5.0, {0.5, 0.2, -0.3}));
    const WorldFrame a = world.frame(camera);
    const WorldFrame b = again.frame(camera);
    ASSERT_EQ(a.batches().size(), b.batches().size());
    for (std::size_t i = 0; i < a.batches().size(); ++i) {
        ASSERT_EQ(a.batches()[i].vertices.size(), b.batches()[i].vertices.size());
        for (std::size_t j = 0; j < a.batches()[i].vertices.size(); ++j) {
            EXPECT_EQ(a.batches()[i].vertices[j].x, b.batches()[i].vertices[j].x);
            EXPECT_EQ(a.batches()[i].vertices[j].u, b.batches()[i].vertices[j].u);
        }
    }
}

TEST(BuiltInWorldTest, PaintedAStepAtATimeTheWorldComesOutTheSame) {
    BuiltInWorld stepped = BuiltInWorld::unpainted();
    const BuiltInWorld& world = BuiltInWorld::shared();
    ASSERT_EQ(stepped.textures().size(), world.textures().size());
    std::size_t pixels = 0;
    for (const PixelImage& image : world.textures()) {
        pixels += static_cast<std::size_t>(image.width()) * image.height();
    }
    std::vector<std::size_t> finished;
    std::size_t steps = 0;
    while (!stepped.isPainted() && steps < pixels) {
        if (const auto texture = stepped.paintStep()) {
            finished.push_back(*texture);
        }
        ++steps;
    }
    EXPECT_EQ(stepped.paintStep(), std::nullopt);
    EXPECT_GE(steps, pixels / BuiltInWorld::kStepPixels) << "no step paints more than its share";
    std::sort(finished.begin(), finished.end());
    ASSERT_EQ(finished.size(), world.textures().size()) << "each texture finished once";
    for (std::size_t i = 0; i < finished.size(); ++i) {
        EXPECT_EQ(finished[i], i);
        EXPECT_EQ(stepped.textures()[i].bytes(), world.textures()[i].bytes()) << "texture " << i;
    }
    const ARCamera camera = cameraAt(DevicePose::looking(20.0, -10.0, 5.0, {0.5, 0.2, -0.3}));
    EXPECT_EQ(stepped.frame(camera).triangleCount(), world.frame(camera).triangleCount());
}

// The page keeps the painted pictures between visits as one block of bytes: they come back
// exactly, and anything else is refused rather than shown.
TEST(BuiltInWorldTest, PaintedTexturesKeptAsBytesComeBackTheSameAndNothingElseIsTaken) {
    const BuiltInWorld& world = BuiltInWorld::shared();
    const std::vector<std::uint8_t> bytes = PictureArchive::pack(world.textures());
    auto back = PictureArchive::unpack(bytes);
    ASSERT_TRUE(back);
    BuiltInWorld adopted = BuiltInWorld::unpainted();
    ASSERT_TRUE(adopted.adoptTextures(std::move(*back)));
    EXPECT_TRUE(adopted.isPainted());
    EXPECT_EQ(adopted.paintStep(), std::nullopt);
    for (std::size_t i = 0; i < world.textures().size(); ++i) {
        EXPECT_EQ(adopted.textures()[i].bytes(), world.textures()[i].bytes()) << "texture " << i;
    }

    const auto spoilt = [&](auto change) {
        std::vector<std::uint8_t> copy = bytes;
        change(copy);
        return PictureArchive::unpack(copy).has_value();
    };
    EXPECT_FALSE(spoilt([](auto& b) { b[0] = 'X'; })) << "another tag";
    EXPECT_FALSE(spoilt([](auto& b) { b.pop_back(); })) << "cut short";
    EXPECT_FALSE(spoilt([](auto& b) { b.push_back(0); })) << "a byte too many";
    EXPECT_FALSE(spoilt([](auto& b) { b[4] = 0xFF; })) << "a count it does not hold";
    EXPECT_FALSE(spoilt([](auto& b) { b[8] = b[9] = b[10] = b[11] = 0; })) << "no width";
    EXPECT_FALSE(PictureArchive::unpack({}).has_value());

    BuiltInWorld fewer = BuiltInWorld::unpainted();
    std::vector<PixelImage> fewerTextures(world.textures().begin(), world.textures().end() - 1);
    EXPECT_FALSE(fewer.adoptTextures(std::move(fewerTextures)));
    EXPECT_FALSE(fewer.isPainted()) << "nothing taken: it paints as before";
}

// A worker beside the page may finish while the page is part way through painting: the world
// takes only the pictures it still lacks, and those it painted stay where they are, as their
// textures on the GPU are made from them.
TEST(BuiltInWorldTest, PicturesTakenPartWayFillOnlyWhatIsStillToPaint) {
    BuiltInWorld world = BuiltInWorld::unpainted();
    std::optional<std::size_t> first;
    while (!first) {
        first = world.paintStep();
    }
    world.paintStep();  // and part of the next
    const PixelImage& own = world.textures()[*first];
    const std::vector<std::uint8_t> ownBytes = own.bytes();
    const std::uint8_t* ownPixels = own.bytes().data();

    std::vector<PixelImage> elsewhere;
    for (const PixelImage& image : BuiltInWorld::shared().textures()) {
        elsewhere.emplace_back(image.width(), image.height(), Rgba{1.0F, 0.0F, 1.0F, 1.0F});
    }
    ASSERT_TRUE(world.adoptTextures(std::move(elsewhere)));
    EXPECT_TRUE(world.isPainted());
    EXPECT_EQ(world.paintStep(), std::nullopt);
    EXPECT_EQ(&world.textures()[*first], &own);
    EXPECT_EQ(world.textures()[*first].bytes().data(), ownPixels) << "not moved";
    EXPECT_EQ(world.textures()[*first].bytes(), ownBytes) << "not painted over";
    for (std::size_t i = 0; i < world.textures().size(); ++i) {
        if (i != *first) {
            const std::vector<std::uint8_t>& taken = world.textures()[i].bytes();
            ASSERT_FALSE(taken.empty()) << "texture " << i;
            EXPECT_EQ((std::vector<std::uint8_t>{taken[0], taken[1], taken[2], taken[3]}),
                      (std::vector<std::uint8_t>{255, 0, 255, 255}))
                << "texture " << i;
        }
    }
}

TEST(BuiltInWorldTest, TheTexturesAreOpaqueAndSensiblySized) {
    for (const PixelImage& image : BuiltInWorld::shared().textures()) {
        EXPECT_GT(image.width(), 0);
        EXPECT_GT(image.height(), 0);
        EXPECT_LE(std::max(image.width(), image.height()), 1024);
        for (std::size_t i = 3; i < image.bytes().size(); i += 4) {
            ASSERT_EQ(image.bytes()[i], 255);
        }
    }
}

}  // namespace
}  // namespace rovuzu
