#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/host/core/GpuTextures.hpp"
#include "tests/support/FakeGpu.hpp"

namespace rovuzu {
namespace {

std::shared_ptr<const PixelImage> picture(int width) {
    return std::make_shared<const PixelImage>(width, 1, Rgba{1.0F, 1.0F, 1.0F, 1.0F});
}

TEST(GpuTexturesTest, TexturesAreMadeWhenAddedAndFreedWhenRemovedOrAtTheEnd) {
    FakeGpu gpu;
    const auto red = picture(1);
    const auto blue = picture(2);
    {
        GpuTextures textures(gpu);
        const GpuTextures::Id first = textures.add({red});
        const GpuTextures::Id second = textures.add({blue, false, true});
        EXPECT_NE(first, second);
        ASSERT_EQ(gpu.held.size(), 2U);
        EXPECT_EQ(gpu.held.at(textures.handle(first)).pixels, red);
        EXPECT_EQ(gpu.held.at(textures.handle(second)).pixels, blue);
        EXPECT_FALSE(gpu.held.at(textures.handle(second)).smooth);
        EXPECT_TRUE(gpu.held.at(textures.handle(second)).opaque);

        textures.remove(first);
        EXPECT_EQ(textures.handle(first), 0U);
        EXPECT_EQ(gpu.held.size(), 1U);
        textures.remove(first);  // a second time: nothing
        EXPECT_EQ(gpu.released, 1);
    }
    EXPECT_TRUE(gpu.held.empty());
    EXPECT_EQ(gpu.released, 2);
    EXPECT_EQ(gpu.strayReleases, 0);
}

TEST(GpuTexturesTest, AGpuTakenAwayGetsEveryTextureBackFromItsOwnPictureUnderTheSameId) {
    FakeGpu gpu;
    GpuTextures textures(gpu);
    std::vector<std::shared_ptr<const PixelImage>> pictures{picture(1), picture(2), picture(3)};
    std::vector<GpuTextures::Id> ids;
    ids.reserve(pictures.size());
    for (const auto& p : pictures) {
        ids.push_back(textures.add({p}));
    }
    const std::set<GpuTextures::Handle> old{textures.handle(ids[0]), textures.handle(ids[1]),
                                            textures.handle(ids[2])};

    textures.release();
    // Every texture freed, once; no handle handed out while the GPU is away.
    EXPECT_EQ(gpu.released, 3);
    EXPECT_EQ(gpu.strayReleases, 0);
    EXPECT_TRUE(gpu.held.empty());
    EXPECT_TRUE(textures.isAway());
    for (const GpuTextures::Id id : ids) {
        EXPECT_EQ(textures.handle(id), 0U);
    }
    // Text set while the GPU is away is made at the restore, and a line let go of meanwhile
    // is never made.
    const auto late = picture(4);
    const GpuTextures::Id added = textures.add({late});
    const GpuTextures::Id dropped = textures.add({picture(5)});
    textures.remove(dropped);
    EXPECT_EQ(gpu.made, 3);
    EXPECT_EQ(gpu.released, 3);

    textures.restore();
    EXPECT_FALSE(textures.isAway());
    EXPECT_EQ(gpu.made, 7);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(gpu.held.at(textures.handle(ids[i])).pixels, pictures[i]);
        EXPECT_FALSE(old.contains(textures.handle(ids[i])));
    }
    EXPECT_EQ(gpu.held.at(textures.handle(added)).pixels, late);
    EXPECT_EQ(gpu.held.size(), 4U);
    // Taken away a second time, as often as the browser likes.
    textures.release();
    textures.restore();
    EXPECT_EQ(gpu.held.size(), 4U);
    EXPECT_EQ(gpu.strayReleases, 0);
}

TEST(GpuTexturesTest, ATextureTheGpuCouldNotMakeIsTriedAgainAtTheRestore) {
    FakeGpu gpu;
    GpuTextures textures(gpu);
    gpu.refuses = true;
    const auto image = picture(1);
    const GpuTextures::Id id = textures.add({image});
    EXPECT_EQ(textures.handle(id), 0U);
    gpu.refuses = false;
    textures.restore();
    EXPECT_EQ(gpu.held.at(textures.handle(id)).pixels, image);
    // Held textures are not made twice.
    textures.restore();
    EXPECT_EQ(gpu.made, 1);
}

}  // namespace
}  // namespace rovuzu
