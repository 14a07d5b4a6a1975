#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/world/BandedPainting.hpp"
#include "platform/world/Canvas.hpp"
#include "platform/world/CutLattice.hpp"
#include "platform/world/FrustumClipper.hpp"
#include "platform/world/Noise.hpp"
#include "platform/world/PixelImage.hpp"
#include "platform/world/RoomArt.hpp"
#include "platform/world/WorldBox.hpp"
#include "platform/world/WorldFrame.hpp"

namespace rovuzu {
namespace {

constexpr double kFocal = 100.0;
constexpr CGSize kView{200.0, 100.0};
constexpr double kNear = 0.05;
const FrustumClipper kClipper(kFocal, kView, kNear);

TEST(FrustumClipperTest, APointInViewIsInsideEveryPlane) {
    EXPECT_EQ(kClipper.outcode({0.0F, 0.0F, -1.0F}), 0U);
    EXPECT_NE(kClipper.outcode({0.0F, 0.0F, 1.0F}), 0U);
    EXPECT_NE(kClipper.outcode({0.0F, 0.0F, -0.01F}), 0U);
    // Past the right edge, beyond the guard band: x / depth * focal > 100 + 8.
    EXPECT_NE(kClipper.outcode({1.2F, 0.0F, -1.0F}), 0U);
    EXPECT_EQ(kClipper.outcode({1.05F, 0.0F, -1.0F}), 0U);
}

TEST(FrustumClipperTest, ATriangleCrossingTheCameraPlaneKeepsItsFrontPart) {
    const CameraVertex a{{0.0F, -0.1F, -1.0F}, 0.0F, 0.0F};
    const CameraVertex b{{0.0F, -0.1F, 1.0F}, 1.0F, 0.0F};
    const CameraVertex c{{0.1F, -0.1F, -1.0F}, 0.0F, 1.0F};
    const auto planes = static_cast<std::uint8_t>(
        kClipper.outcode(a.position) | kClipper.outcode(b.position) | kClipper.outcode(c.position));
    const FrustumClipper::Polygon polygon = kClipper.clip(a, b, c, planes);
    ASSERT_GE(polygon.count, 3);
    for (int i = 0; i < polygon.count; ++i) {
        const CameraVertex& v = polygon.vertices[static_cast<std::size_t>(i)];
        EXPECT_LE(v.position.z, -kNear + 1e-6);
        // Texture coordinates follow the position along the cut edge.
        if (v.position.x == 0.0F) {
            EXPECT_NEAR(v.u, (v.position.z + 1.0F) / 2.0F, 1e-5);
        }
    }
}

TEST(FrustumClipperTest, ATriangleWhollyBehindTheCameraVanishes) {
    const CameraVertex a{{0.0F, 0.0F, 1.0F}, 0.0F, 0.0F};
    const CameraVertex b{{1.0F, 0.0F, 1.0F}, 0.0F, 0.0F};
    const CameraVertex c{{0.0F, 1.0F, 1.0F}, 0.0F, 0.0F};
    EXPECT_EQ(kClipper.clip(a, b, c, 0x1F).count, 0);
}

TEST(FrustumClipperTest, ASharedEdgeIsCutAtTheSamePointFromEitherSide) {
    const CameraVertex p{{0.3F, -0.2F, -2.0F}, 0.0F, 0.0F};
    const CameraVertex q{{-0.1F, -0.2F, 0.7F}, 1.0F, 0.0F};
    const CameraVertex left{{-0.5F, -0.2F, -1.0F}, 0.0F, 1.0F};
    const CameraVertex right{{0.8F, -0.2F, -1.0F}, 1.0F, 1.0F};
    const auto one = kClipper.clip(p, q, left, 1U);
    const auto other = kClipper.clip(q, p, right, 1U);
    int shared = 0;
    for (int i = 0; i < one.count; ++i) {
        for (int j = 0; j < other.count; ++j) {
            const auto& a = one.vertices[static_cast<std::size_t>(i)].position;
            const auto& b = other.vertices[static_cast<std::size_t>(j)].position;
            shared += (a.x == b.x && a.y == b.y && a.z == b.z) ? 1 : 0;
        }
    }
    EXPECT_EQ(shared, 2);
}

TEST(CutLatticeTest, CutsIncludeBothEndsAndAreFinerNearTheEye) {
    // A floor 1.6 m below the eye decides how finely x and z are cut.
    const WorldRect floor{{-4.0F, -1.6F, -4.5F}, kPlusX, kPlusZ, 8.0F, 9.0F, {}};
    const CutLattice lattice({0.0F, 0.0F, 0.0F}, {floor});
    std::vector<float> cuts;
    lattice.cuts(0, -4.0F, 4.0F, cuts);
    EXPECT_EQ(cuts.front(), -4.0F);
    EXPECT_EQ(cuts.back(), 4.0F);
    EXPECT_TRUE(std::is_sorted(cuts.begin(), cuts.end()));
    const auto has = [&cuts](float at) {
        return std::find(cuts.begin(), cuts.end(), at) != cuts.end();
    };
    EXPECT_TRUE(has(0.0625F));
    EXPECT_FALSE(has(3.625F));
    EXPECT_TRUE(has(3.5F));
}

TEST(CutLatticeTest, AnAxisNoNearSurfaceRunsAlongIsCutCoarsely) {
    const WorldRect farWall{{-4.0F, 1.6F, -4.5F}, kPlusX, kMinusY, 8.0F, 3.2F, {}};
    const CutLattice lattice({0.0F, 0.0F, 0.0F}, {farWall});
    std::vector<float> cuts;
    lattice.cuts(1, -1.6F, 1.6F, cuts);
    EXPECT_EQ(std::find(cuts.begin(), cuts.end(), 0.125F), cuts.end());
    EXPECT_NE(std::find(cuts.begin(), cuts.end(), 0.25F), cuts.end());
}

TEST(CutLatticeTest, SurfacesSharingAnEdgeShareItsCuts) {
    const WorldRect floor{{-4.0F, -1.6F, -4.5F}, kPlusX, kPlusZ, 8.0F, 9.0F, {}};
    const CutLattice lattice({0.3F, 0.0F, -1.0F}, {floor});
    std::vector<float> wide;
    std::vector<float> narrow;
    lattice.cuts(2, -4.5F, 4.5F, wide);
    lattice.cuts(2, -1.3F, 0.7F, narrow);
    for (std::size_t i = 1; i + 1 < narrow.size(); ++i) {
        EXPECT_NE(std::find(wide.begin(), wide.end(), narrow[i]), wide.end()) << narrow[i];
    }
}

TEST(WorldBoxTest, TheNearerOfTwoSeparateBoxesIsPaintedLast) {
    const WorldBox back{{0.0F, 0.0F, -3.0F}, {1.0F, 1.0F, -2.0F}, {}};
    const WorldBox front{{0.0F, 0.0F, -1.5F}, {1.0F, 1.0F, -1.0F}, {}};
    const simd_float3 eye{0.5F, 0.5F, 0.0F};
    EXPECT_TRUE(back.isBehind(front, eye));
    EXPECT_FALSE(front.isBehind(back, eye));
    const simd_float3 otherSide{0.5F, 0.5F, -5.0F};
    EXPECT_TRUE(front.isBehind(back, otherSide));
}

TEST(WorldFrameTest, TrianglesOfOneTextureShareABatch) {
    WorldFrame frame;
    const WorldVertex v{};
    frame.addTriangle(1, v, v, v);
    frame.addTriangle(1, v, v, v);
    frame.addTriangle(2, v, v, v);
    ASSERT_EQ(frame.batches().size(), 2U);
    EXPECT_EQ(frame.batches()[0].vertices.size(), 6U);
    EXPECT_EQ(frame.triangleCount(), 3U);
}

TEST(PixelImageTest, BlendingLaysAColourOverWhatIsThere) {
    PixelImage image(2, 1, Rgba{0.0F, 0.0F, 1.0F, 1.0F});
    image.blend(0, 0, Rgba{1.0F, 0.0F, 0.0F, 0.5F});
    image.blend(5, 5, Rgba{1.0F, 1.0F, 1.0F, 1.0F});
    EXPECT_NEAR(image.pixel(0, 0).r, 0.5F, 0.01F);
    EXPECT_NEAR(image.pixel(0, 0).b, 0.5F, 0.01F);
    EXPECT_EQ(image.pixel(1, 0).r, 0.0F);
    EXPECT_EQ(image.pixel(0, 0).a, 1.0F);
}

TEST(CanvasTest, ShapesCoverTheirPixelsWithSoftEdges) {
    PixelImage image(20, 20, Rgba{0.0F, 0.0F, 0.0F, 1.0F});
    Canvas canvas(image, 10.0F);  // two units across
    canvas.fillRect({0.0F, 0.0F, 0.55F, 2.0F}, Rgba{1.0F, 1.0F, 1.0F, 1.0F});
    EXPECT_EQ(image.pixel(4, 10).r, 1.0F);
    EXPECT_NEAR(image.pixel(5, 10).r, 0.5F, 0.01F);
    EXPECT_EQ(image.pixel(6, 10).r, 0.0F);
    canvas.fillCircle({1.5F, 1.5F}, 0.3F, Rgba{0.0F, 1.0F, 0.0F, 1.0F});
    EXPECT_EQ(image.pixel(15, 15).g, 1.0F);
    EXPECT_EQ(image.pixel(19, 19).g, 0.0F);
    canvas.fillPolygon({{1.0F, 0.0F}, {2.0F, 0.0F}, {2.0F, 1.0F}}, Rgba{0.0F, 0.0F, 1.0F, 1.0F});
    EXPECT_EQ(image.pixel(18, 2).b, 1.0F);
    EXPECT_EQ(image.pixel(11, 8).b, 0.0F);
}

TEST(CanvasTest, ACanvasOnABandOfAPicturePaintsItsRowsOnly) {
    PixelImage band(4, 6, Rgba{0.0F, 0.0F, 0.0F, 1.0F}, {2, 4});
    EXPECT_EQ(band.bytes().size(), 4U * 2U * 4U);
    Canvas canvas(band, 1.0F);
    EXPECT_EQ(canvas.height(), 6.0F) << "the whole picture's";
    canvas.fillRect(canvas.bounds(), Rgba{1.0F, 0.0F, 0.0F, 1.0F});
    canvas.paint(canvas.bounds(), [](glm::vec2 /*p*/) { return Rgba{0.0F, 1.0F, 0.0F, 1.0F}; });
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(band.pixel(3, y).g, y >= 2 && y < 4 ? 1.0F : 0.0F) << "row " << y;
        EXPECT_EQ(band.pixel(3, y).a, y >= 2 && y < 4 ? 1.0F : 0.0F) << "row " << y;
    }
    PixelImage whole(4, 6, Rgba{0.0F, 0.0F, 1.0F, 1.0F});
    whole.copyRows(band, {0, 3});
    EXPECT_EQ(whole.pixel(0, 1).b, 1.0F) << "a row the band does not hold";
    EXPECT_EQ(whole.pixel(0, 2).g, 1.0F);
    EXPECT_EQ(whole.pixel(0, 3).b, 1.0F) << "a row not asked for";
}

TEST(BandedPaintingTest, EachStepPaintsAFewWholeRowsAndTheBandsMakeThePictureWhole) {
    std::vector<PixelRows> asked;
    BandedPainting rug([&asked](PixelRows rows) {
        asked.push_back(rows);
        return RoomArt::rug(rows);
    });
    int steps = 1;
    while (!rug.step(10000)) {
        ++steps;
    }
    const PixelImage whole = RoomArt::rug({});
    const int rowsAStep = 10000 / whole.width();
    EXPECT_EQ(steps, (whole.height() + rowsAStep - 1) / rowsAStep);
    ASSERT_EQ(asked.size(), static_cast<std::size_t>(steps) + 1);
    EXPECT_EQ(asked[0].end, 0) << "first its size and ground, painting no rows";
    for (std::size_t i = 1; i < asked.size(); ++i) {
        EXPECT_EQ(asked[i].first, asked[i - 1].end);
        EXPECT_LE(asked[i].end - asked[i].first, rowsAStep);
    }
    EXPECT_EQ(asked.back().end, whole.height());
    EXPECT_TRUE(rug.isWhole());
    EXPECT_EQ(rug.take().bytes(), whole.bytes());

    BandedPainting narrow([](PixelRows rows) { return RoomArt::ceilingLight(rows); });
    EXPECT_FALSE(narrow.step(1)) << "at least a row a step";
    EXPECT_FALSE(narrow.isWhole());
}

TEST(NoiseTest, NoiseIsRepeatableAndInRange) {
    for (int i = 0; i < 100; ++i) {
        const float h = Noise::hash(i, -i, 9U);
        EXPECT_GE(h, 0.0F);
        EXPECT_LT(h, 1.0F);
        EXPECT_EQ(h, Noise::hash(i, -i, 9U));
        const float s = Noise::smooth(static_cast<float>(i) * 0.37F, 1.5F, 3U);
        EXPECT_GE(s, 0.0F);
        EXPECT_LT(s, 1.0F);
    }
    EXPECT_NE(Noise::hash(1, 2, 3U), Noise::hash(2, 1, 3U));
    EXPECT_EQ(Noise::smooth(4.0F, 5.0F, 7U), Noise::hash(4, 5, 7U));
}

}  // namespace
}  // namespace rovuzu
