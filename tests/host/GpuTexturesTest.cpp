#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "platform/host/core/GpuTextures.hpp"

namespace rovuzu {
namespace {

// A GPU that hands out numbers and remembers what it holds and what each was made from.
class FakeGpu final : public GpuTextures::Maker {
  public:
    GpuTextures::Handle make(const GpuTextures::Recipe& recipe) override {
        if (refuses) {
            return 0;
        }
        const GpuTextures::Handle handle = next_++;
        held[handle] = recipe.pixels.get();
        ++made;
        return handle;
    }
    void release(GpuTextures::Handle handle) override {
        EXPECT_EQ(held.erase(handle), 1U) << "freed a texture it does not hold: " << handle;
        ++released;
    }

    // What each held texture was made from.
    std::map<GpuTextures::Handle, const PixelImage*> held;
    int made = 0;
    int released = 0;
    bool refuses = false;

  private:
    GpuTextures::Handle next_ = 100;
};

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
        EXPECT_EQ(gpu.held.at(textures.handle(first)), red.get());
        EXPECT_EQ(gpu.held.at(textures.handle(second)), blue.get());

        textures.remove(first);
        EXPECT_EQ(textures.handle(first), 0U);
        EXPECT_EQ(gpu.held.size(), 1U);
        textures.remove(first);  // a second time: nothing
        EXPECT_EQ(gpu.released, 1);
    }
    EXPECT_TRUE(gpu.held.empty());
    EXPECT_EQ(gpu.released, 2);
}

TEST(GpuTexturesTest, ALostGpuGetsEveryTextureBackFromItsOwnPictureUnderTheSameId) {
    FakeGpu gpu;
    GpuTextures textures(gpu);
    std::vector<std::shared_ptr<const PixelImage>> pictures{picture(1), picture(2), picture(3)};
    std::vector<GpuTextures::Id> ids;
    ids.reserve(pictures.size());
    for (const auto& p : pictures) {
        ids.push_back(textures.add({p}));
    }
    const GpuTextures::Handle before = textures.handle(ids[0]);

    textures.lose();
    // Lost with the context: nothing is freed, no handle is handed out, nothing is made.
    EXPECT_EQ(gpu.released, 0);
    EXPECT_TRUE(textures.isAway());
    for (const GpuTextures::Id id : ids) {
        EXPECT_EQ(textures.handle(id), 0U);
    }
    gpu.held.clear();  // the context took them with it
    // Text set while the context is away is made at the restore, and a line let go of then
    // is never made.
    const auto late = picture(4);
    const GpuTextures::Id added = textures.add({late});
    const GpuTextures::Id dropped = textures.add({picture(5)});
    textures.remove(dropped);
    EXPECT_EQ(gpu.made, 3);

    textures.restore();
    EXPECT_FALSE(textures.isAway());
    EXPECT_EQ(gpu.made, 7);
    EXPECT_EQ(gpu.released, 0);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_EQ(gpu.held.at(textures.handle(ids[i])), pictures[i].get());
    }
    EXPECT_EQ(gpu.held.at(textures.handle(added)), late.get());
    EXPECT_NE(textures.handle(ids[0]), before);
    EXPECT_EQ(gpu.held.size(), 4U);
}

TEST(GpuTexturesTest, AResetGpuHasEveryTextureFreedThenMadeAgain) {
    FakeGpu gpu;
    GpuTextures textures(gpu);
    const auto first = picture(1);
    const auto second = picture(2);
    const GpuTextures::Id a = textures.add({first});
    const GpuTextures::Id b = textures.add({second});
    const std::set<GpuTextures::Handle> old{textures.handle(a), textures.handle(b)};

    textures.release();
    EXPECT_EQ(gpu.released, 2);
    EXPECT_TRUE(gpu.held.empty());
    textures.restore();
    EXPECT_EQ(gpu.held.at(textures.handle(a)), first.get());
    EXPECT_EQ(gpu.held.at(textures.handle(b)), second.get());
    EXPECT_FALSE(old.contains(textures.handle(a)) || old.contains(textures.handle(b)));
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
    EXPECT_EQ(gpu.held.at(textures.handle(id)), image.get());
    // Held textures are not made twice.
    textures.restore();
    EXPECT_EQ(gpu.made, 1);
}

}  // namespace
}  // namespace rovuzu
