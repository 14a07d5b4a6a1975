#include "platform/host/web/GlResources.hpp"

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

GlResources::Program link() {
    const GLuint program = glCreateProgram();
    const GLuint vertex = compile(GL_VERTEX_SHADER, kVertexShader);
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, kFragmentShader);
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    return {program, glGetAttribLocation(program, "position"),
            glGetAttribLocation(program, "texel"), glGetUniformLocation(program, "target"),
            glGetUniformLocation(program, "tint")};
}

// A texture drawn smoothly or by the nearest texel, clamped at its edges.
GLuint emptyTexture(bool smooth) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    const GLint filter = smooth ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return name;
}

}  // namespace

GlResources::GlResources() {
    makeOwn();
}

GlResources::~GlResources() {
    releaseOwn();
}

void GlResources::makeOwn() {
    program_ = link();
    glGenBuffers(1, &buffer_);
    camera_ = emptyTexture(true);
}

// Deleting in a lost context frees nothing on the GPU, which has let go already, but it lets
// go of the names.
void GlResources::releaseOwn() {
    glDeleteTextures(1, &camera_);
    glDeleteBuffers(1, &buffer_);
    glDeleteProgram(program_.name);
    camera_ = 0;
    buffer_ = 0;
    program_ = {};
}

void GlResources::lose() {
    if (isLost()) {
        return;
    }
    textures_.release();
    releaseOwn();
}

void GlResources::restore() {
    if (!isLost()) {
        return;
    }
    makeOwn();
    textures_.restore();
}

GpuTextures::Handle GlResources::make(const GpuTextures::Recipe& recipe) {
    const PixelImage& image = *recipe.pixels;
    const GLuint name = emptyTexture(recipe.smooth);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image.width(), image.height(), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, image.bytes().data());
    return name;
}

void GlResources::release(GpuTextures::Handle handle) {
    const auto name = static_cast<GLuint>(handle);
    glDeleteTextures(1, &name);
}

}  // namespace rovuzu
