#include "platform/host/web/GlPainter.hpp"

#include <memory>

namespace rovuzu {

GlPainter::GlPainter(GlResources& resources)
    : resources_(resources),
      white_(resources.textures().add(
          {std::make_shared<const PixelImage>(1, 1, Rgba{1.0F, 1.0F, 1.0F, 1.0F}), false})) {}

GlPainter::~GlPainter() {
    resources_.textures().remove(white_);
}

void GlPainter::begin(const PixelArea& viewport, bool transparent) const {
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    glClearColor(0.0F, 0.0F, 0.0F, transparent ? 0.0F : 1.0F);
    glClear(GL_COLOR_BUFFER_BIT);
    const GlResources::Program& program = resources_.program();
    glUseProgram(program.name);
    glUniform2f(program.target, static_cast<float>(viewport.width),
                static_cast<float>(viewport.height));
    glBindBuffer(GL_ARRAY_BUFFER, resources_.buffer());
    glEnableVertexAttribArray(static_cast<GLuint>(program.position));
    glEnableVertexAttribArray(static_cast<GLuint>(program.texel));
    glVertexAttribPointer(static_cast<GLuint>(program.position), 2, GL_FLOAT, GL_FALSE,
                          sizeof(Vertex), nullptr);
    // GL takes the texture coordinates' offset into the buffer in a pointer's clothes.
    glVertexAttribPointer(
        static_cast<GLuint>(program.texel), 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
        reinterpret_cast<const void*>(2 * sizeof(float)));  // NOLINT(performance-no-int-to-ptr)
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE0);
}

void GlPainter::triangles(GLuint texture, const std::vector<Vertex>& vertices, const UIColor& tint,
                          bool blend) const {
    if (vertices.empty()) {
        return;
    }
    if (blend) {
        glEnable(GL_BLEND);
    } else {
        glDisable(GL_BLEND);
    }
    glBindTexture(GL_TEXTURE_2D, texture);
    glUniform4f(resources_.program().tint, static_cast<float>(tint.red),
                static_cast<float>(tint.green), static_cast<float>(tint.blue),
                static_cast<float>(tint.alpha));
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)),
                 vertices.data(), GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
}

void GlPainter::quad(GLuint texture, const PixelBox& box, const TexturePart& part,
                     const UIColor& tint, bool blend) {
    const float x1 = box.x + box.width;
    const float y1 = box.y + box.height;
    quad_ = {{box.x, box.y, part.u0, part.v0}, {x1, box.y, part.u1, part.v0},
             {box.x, y1, part.u0, part.v1},    {box.x, y1, part.u0, part.v1},
             {x1, box.y, part.u1, part.v0},    {x1, y1, part.u1, part.v1}};
    triangles(texture, quad_, tint, blend);
}

void GlPainter::fill(const PixelBox& box, const UIColor& colour) {
    quad(static_cast<GLuint>(resources_.textures().handle(white_)), box, {}, colour);
}

}  // namespace rovuzu
