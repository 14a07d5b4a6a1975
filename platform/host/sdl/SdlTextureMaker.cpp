#include "platform/host/sdl/SdlTextureMaker.hpp"

#include <string>
#include <vector>

#include "platform/foundation/Console.hpp"

namespace rovuzu {

namespace {

Uint32 drawingFormatOf(SDL_Renderer* renderer) {
    SDL_Window* window = renderer != nullptr ? SDL_RenderGetWindow(renderer) : nullptr;
    const Uint32 format = window != nullptr ? SDL_GetWindowPixelFormat(window) : 0;
    const bool usable = format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
    return usable ? format : static_cast<Uint32>(SDL_PIXELFORMAT_ARGB8888);
}

}  // namespace

SdlTextureMaker::SdlTextureMaker(SDL_Renderer* renderer)
    : renderer_(renderer), drawingFormat_(drawingFormatOf(renderer)) {}

void SdlTextureMaker::setRenderer(SDL_Renderer* renderer) {
    renderer_ = renderer;
    drawingFormat_ = drawingFormatOf(renderer);
}

GpuTextures::Handle SdlTextureMaker::make(const GpuTextures::Recipe& recipe) {
    const PixelImage& image = *recipe.pixels;
    const int width = image.width();
    const int height = image.height();
    const Uint32 format =
        recipe.opaque ? drawingFormat_ : static_cast<Uint32>(SDL_PIXELFORMAT_ARGB8888);
    TexturePtr texture{
        SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STATIC, width, height)};
    if (!texture) {
        diagnose("renderer: cannot make a " + std::to_string(width) + "x" + std::to_string(height) +
                 " texture (" + SDL_GetError() + "); it is not drawn");
        return 0;
    }
    std::vector<std::uint8_t> converted(image.bytes().size());
    SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGBA32, image.bytes().data(), width * 4,
                      format, converted.data(), width * 4);
    SDL_UpdateTexture(texture.get(), nullptr, converted.data(), width * 4);
    SDL_SetTextureBlendMode(texture.get(),
                            recipe.opaque ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture.get(),
                            recipe.smooth ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
    return reinterpret_cast<GpuTextures::Handle>(texture.release());
}

void SdlTextureMaker::release(GpuTextures::Handle handle) {
    SDL_DestroyTexture(texture(handle));
}

}  // namespace rovuzu
