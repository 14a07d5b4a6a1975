#include "platform/host/web/GlPainter.hpp"

#include <array>
#include <string>

#include "platform/foundation/Console.hpp"

namespace rovuzu {

namespace {

constexpr const char* kVertexShader = R"(
attribute vec2 position;
attribute vec2 texel;
uniform vec2 target;
varying vec2 along;
void main() {
    along = texel;
    gl_Position = vec4(position.x / target.x * 2.0 - 1.0, 1.0 - position.y / target.y * 2.0,
                       0.0, 1.0);
}
)";

constexpr const char* kFragmentShader = R"(
precision mediump float;
uniform sampler2D picture;
uniform vec4 tint;
varying vec2 along;
void main() {
    gl_FragColor = texture2D(picture, along) * tint;
}
)";

GLuint compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        std::array<char, 512> log{};
        glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
        diagnose(std::string("WebGL: a shader does not compile (") + log.data() + ")");
    }
    return shader;
}

GLuint link() {
    const GLuint program = glCreateProgram();
    const GLuint vertex = compile(GL_VERTEX_SHADER, kVertexShader);
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, kFragmentShader);
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    return program;
}

}  // namespace

GlPainter::GlPainter()
    : program_(link()),
      position_(glGetAttribLocation(program_, "position")),
      texel_(glGetAttribLocation(program_, "texel")),
      target_(glGetUniformLocation(program_, "target")),
      tint_(glGetUniformLocation(program_, "tint")) {
    glGenBuffers(1, &buffer_);

    const std::array<unsigned char, 4> white{255, 255, 255, 255};
    glGenTextures(1, &white_);
    glBindTexture(GL_TEXTURE_2D, white_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}

GlPainter::~GlPainter() {
    glDeleteTextures(1, &white_);
    glDeleteBuffers(1, &buffer_);
    glDeleteProgram(program_);
}

void GlPainter::begin(const PixelArea& viewport, bool transparent) const {
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    glClearColor(0.0F, 0.0F, 0.0F, transparent ? 0.0F : 1.0F);
    glClear(GL_COLOR_BUFFER_BIT);
    glUseProgram(program_);
    glUniform2f(target_, static_cast<float>(viewport.width), static_cast<float>(viewport.height));
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    glEnableVertexAttribArray(static_cast<GLuint>(position_));
    glEnableVertexAttribArray(static_cast<GLuint>(texel_));
    glVertexAttribPointer(static_cast<GLuint>(position_), 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          nullptr);
    // GL takes the texture coordinates' offset into the buffer in a pointer's clothes.
    glVertexAttribPointer(
        static_cast<GLuint>(texel_), 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
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
    glUniform4f(tint_, static_cast<float>(tint.red), static_cast<float>(tint.green),
                static_cast<float>(tint.blue), static_cast<float>(tint.alpha));
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
    quad(white_, box, {}, colour);
}

}  // namespace rovuzu
