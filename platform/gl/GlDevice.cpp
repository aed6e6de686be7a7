#include "platform/gl/GlDevice.h"

#include <SDL.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/Bitmap.h"
#include "platform/gl/GlText.h"
#include "platform/gl/GlWindow.h"

namespace gfx {
namespace {

// The streaming vertex buffer: refilled from the start only when full. It
// starts small (the title draws a few hundred vertices a frame) and grows to
// hold at least four of the largest flushes seen (the field's 10,000 quads
// take it to a few megabytes).
constexpr std::size_t kStreamBufferMinBytes = std::size_t{256} << 10;
constexpr std::size_t kStreamFlushesPerBuffer = 4;
constexpr int kTrimCheckFrames = 60;                        // how often the heap's slack is looked at
constexpr std::size_t kTrimSlackBytes = std::size_t{4} << 20;  // memory freed since the last trim the heap may keep

void setResult(int* result, int value) {
    if (result != nullptr) *result = value;
}

const char* kVertexShader = R"(
layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec4 aColour;
layout(location = 2) in vec2 aUv;
out vec4 vColour;
out vec2 vUv;
void main() {
    gl_Position = aPosition;
    vColour = aColour.bgra;  // ARGB words arrive as B, G, R, A bytes
    vUv = aUv;
}
)";

// Texture stage 0 of the fixed function, and the alpha test, built once for
// each combination of stage operations, texture and test a frame uses (the
// defines). Mesa's software rasteriser runs both sides of a branch on a
// uniform, and a shader that may discard makes it shade every fragment
// before the depth test: constants let it skip both, and the fragments the
// terrain already hides.
const char* kFragmentShader = R"(
in vec4 vColour;
in vec2 vUv;
out vec4 fragColour;
uniform sampler2D uTexture;
uniform int uAlphaFunc;  // 1 never ... 8 always
uniform int uAlphaRef;
vec4 stage(int op, vec4 t, vec4 d) {  // 2 texture, 4 modulate, else diffuse
    if (op == 2) return t;
    if (op == 4) return t * d;
    return d;
}
void main() {
    vec4 c = vColour;
#if TEXTURED
    vec4 t = texture(uTexture, vUv);
    c = vec4(stage(COLOUR_OP, t, vColour).rgb, stage(ALPHA_OP, t, vColour).a);
#endif
#if ALPHA_TEST
    int a = int(c.a * 255.0 + 0.5);
    bool pass = true;
    if (uAlphaFunc == 1) pass = false;
    else if (uAlphaFunc == 2) pass = a < uAlphaRef;
    else if (uAlphaFunc == 3) pass = a == uAlphaRef;
    else if (uAlphaFunc == 4) pass = a <= uAlphaRef;
    else if (uAlphaFunc == 5) pass = a > uAlphaRef;
    else if (uAlphaFunc == 6) pass = a != uAlphaRef;
    else if (uAlphaFunc == 7) pass = a >= uAlphaRef;
    if (!pass) discard;
#endif
    fragColour = c;
}
)";

// The stage operations the shader tells apart: select texture, modulate, and
// everything else as the diffuse colour.
std::uint32_t shaderStageOp(std::uint32_t op) { return op == kTopSelectTexture || op == kTopModulate ? op : kTopSelectDiffuse; }

// Compiles `source` after the version line and `defines`.
GLuint compile(GLenum kind, const char* source, const char* defines = "") {
    const GLuint s = glCreateShader(kind);
    const char* parts[] = {"#version 330 core\n", defines, source};
    glShaderSource(s, 3, parts, nullptr);
    glCompileShader(s);
    GLint ok = 0;
    glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(s, sizeof log, nullptr, log);
        std::fprintf(stderr, "gfx: shader: %s\n", log);
        glDeleteShader(s);
        return 0;
    }
    return s;
}

GLenum glBlend(std::uint32_t b) {
    switch (b) {
    case kBlendZero: return GL_ZERO;
    case kBlendOne: return GL_ONE;
    case kBlendSrcColour: return GL_SRC_COLOR;
    case kBlendInvSrcColour: return GL_ONE_MINUS_SRC_COLOR;
    case kBlendSrcAlpha: return GL_SRC_ALPHA;
    case kBlendInvSrcAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case kBlendDestAlpha: return GL_DST_ALPHA;
    case kBlendInvDestAlpha: return GL_ONE_MINUS_DST_ALPHA;
    case kBlendDestColour: return GL_DST_COLOR;
    case kBlendInvDestColour: return GL_ONE_MINUS_DST_COLOR;
    default: return GL_ONE;
    }
}

GLenum glCompare(std::uint32_t c) {
    switch (c) {
    case kCmpNever: return GL_NEVER;
    case kCmpLess: return GL_LESS;
    case kCmpEqual: return GL_EQUAL;
    case kCmpLessEqual: return GL_LEQUAL;
    case kCmpGreater: return GL_GREATER;
    case kCmpNotEqual: return GL_NOTEQUAL;
    case kCmpGreaterEqual: return GL_GEQUAL;
    default: return GL_ALWAYS;
    }
}

ColourValue unpack(std::uint32_t argb) {
    return ColourValue{((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
                       (argb >> 24) / 255.0f};
}

// The vertex count a primitive count needs, or -1 for an unknown type.
int vertexCountFor(Primitive type, int primitives) {
    switch (type) {
    case Primitive::PointList: return primitives;
    case Primitive::LineList: return primitives * 2;
    case Primitive::LineStrip: return primitives + 1;
    case Primitive::TriangleList: return primitives * 3;
    case Primitive::TriangleStrip:
    case Primitive::TriangleFan: return primitives + 2;
    }
    return -1;
}

// Expands strips and fans into lists (indices into the source), keeping
// every triangle's winding as the fixed function sees it.
GLenum expand(Primitive type, int primitives, std::vector<int>& indices) {
    indices.clear();
    switch (type) {
    case Primitive::PointList:
        for (int i = 0; i < primitives; ++i) indices.push_back(i);
        return GL_POINTS;
    case Primitive::LineList:
        for (int i = 0; i < primitives * 2; ++i) indices.push_back(i);
        return GL_LINES;
    case Primitive::LineStrip:
        for (int i = 0; i < primitives; ++i) {
            indices.push_back(i);
            indices.push_back(i + 1);
        }
        return GL_LINES;
    case Primitive::TriangleList:
        for (int i = 0; i < primitives * 3; ++i) indices.push_back(i);
        return GL_TRIANGLES;
    case Primitive::TriangleStrip:
        for (int i = 0; i < primitives; ++i) {
            if (i % 2 == 0) {
                indices.insert(indices.end(), {i, i + 1, i + 2});
            } else {
                indices.insert(indices.end(), {i + 1, i, i + 2});
            }
        }
        return GL_TRIANGLES;
    case Primitive::TriangleFan:
        for (int i = 0; i < primitives; ++i) indices.insert(indices.end(), {0, i + 1, i + 2});
        return GL_TRIANGLES;
    }
    return GL_TRIANGLES;
}

class GlVertexBuffer final : public VertexBuffer {
public:
    explicit GlVertexBuffer(int n) : vertices_(static_cast<std::size_t>(n)) {}
    int count() const override { return static_cast<int>(vertices_.size()); }
    Vertex* lock() override { return vertices_.data(); }
    void unlock() override {}
    const Vertex* data() const { return vertices_.data(); }

private:
    std::vector<Vertex> vertices_;
};

// The GL colour format of a render target's format: the 16-bit formats of
// low-spec mode have exact twins.
GLenum colourFormat(TextureFormat format) {
    switch (format) {
    case TextureFormat::A4R4G4B4: return GL_RGBA4;
    case TextureFormat::R5G6B5: return GL_RGB565;
    case TextureFormat::A8R8G8B8: break;
    }
    return GL_RGBA8;
}

// Colour storage for the bound texture in `format`. A context that refuses
// a 16-bit format gets 8 bits a channel instead: only the look differs.
void allocateColour(GLenum format, int width, int height) {
    while (glGetError() != GL_NO_ERROR) {
    }
    glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    if (format != GL_RGBA8 && glGetError() != GL_NO_ERROR)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
}

// The same for a framebuffer the bound texture is attached to: when the
// format cannot be drawn into, the storage goes back to 8 bits a channel.
// True when the framebuffer is complete.
bool completeWithColour(GLenum format, int width, int height) {
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) return true;
    if (format == GL_RGBA8) return false;
    allocateColour(GL_RGBA8, width, height);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

}  // namespace

// ---------------------------------------------------------------- textures

GlTexture::GlTexture(std::shared_ptr<GlDeviceLink> link, GLuint texture, int width, int height, int imageWidth,
                     int imageHeight, GLuint framebuffer, GLuint ownDepth)
    : link_(std::move(link)), texture_(texture), width_(width), height_(height), imageWidth_(imageWidth),
      imageHeight_(imageHeight), framebuffer_(framebuffer), ownDepth_(ownDepth) {}

GlTexture::GlTexture(std::shared_ptr<GlDeviceLink> link, DeferredPicture picture, int width, int height,
                     int imageWidth, int imageHeight)
    : link_(std::move(link)), deferred_(std::make_unique<DeferredPicture>(std::move(picture))), texture_(0),
      width_(width), height_(height), imageWidth_(imageWidth), imageHeight_(imageHeight), framebuffer_(0),
      ownDepth_(0) {}

GlTexture::~GlTexture() {
    if (link_->device == nullptr) return;  // the context went with the device
    link_->device->forgetTexture(this);
    if (framebuffer_ != 0) glDeleteFramebuffers(1, &framebuffer_);
    if (ownDepth_ != 0) glDeleteRenderbuffers(1, &ownDepth_);
    if (texture_ != 0) glDeleteTextures(1, &texture_);
}

// ---------------------------------------------------------------- device

GlDevice::GlDevice(const DeviceOptions& options) : options_(options), link_(std::make_shared<GlDeviceLink>()) {
    link_->device = this;
    setDefaultRenderStates(states_);
    view_ = projection_ = world_ = worldViewProjection_ = matrixIdentity();
    for (Light& l : lights_) l = Light{LightType::Directional, {1, 1, 1, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0}, {0, 0, 1}};
    material_.diffuse = {1, 1, 1, 1};
    material_.ambient = {0, 0, 0, 0};
    material_.specular = {0, 0, 0, 0};
    material_.emissive = {0, 0, 0, 0};
    material_.power = 0;
    viewport_ = Viewport{0, 0, kBackBufferWidth, kBackBufferHeight, 0.0f, 1.0f};
}

GlDevice::~GlDevice() {
    link_->device = nullptr;
    textCache_.reset();
    glDeleteFramebuffers(1, &backFramebuffer_);
    glDeleteTextures(1, &backTexture_);
    glDeleteRenderbuffers(1, &sharedDepth_);
    glDeleteBuffers(1, &vbo_);
    glDeleteVertexArrays(1, &vao_);
    for (const FragmentProgram& p : programs_) glDeleteProgram(p.id);
    glDeleteShader(vertexShader_);
    for (const StandInTarget& t : standInTargets_) {
        glDeleteFramebuffers(1, &t.framebuffer);
        glDeleteRenderbuffers(1, &t.depth);
        glDeleteTextures(1, &t.texture);
    }
    glDeleteTextures(1, &standInPicture_);
    glDeleteTextures(1, &standInLayer_);
}

void GlDevice::bindVertexLayout() {
    glEnableVertexAttribArray(0);
    glEnableVertexAttribArray(1);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, sizeof(StreamVertex), reinterpret_cast<void*>(0));
    // Four plain bytes, swizzled in the shader: the BGRA attribute size
    // makes Mesa convert the whole buffer on every draw call.
    glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(StreamVertex),
                          reinterpret_cast<void*>(offsetof(StreamVertex, colour)));
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(StreamVertex),
                          reinterpret_cast<void*>(offsetof(StreamVertex, u)));
}

bool GlDevice::init() {
    // Mesa's software rasteriser allocates and frees large blocks on state
    // changes; under glibc's moving mmap threshold each became a fresh
    // mapping (page faults on every draw call, 100 ms frames for 300
    // sprites). A fixed, high threshold keeps them on the heap.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    vertexShader_ = compile(GL_VERTEX_SHADER, kVertexShader);
    // The textured sprite's program proves the shaders build here.
    if (vertexShader_ == 0 || program(spriteKey(1)) == nullptr) return false;

    glGenVertexArrays(1, &vao_);
    glBindVertexArray(vao_);
    glGenBuffers(1, &vbo_);
    glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    bindVertexLayout();

    // One depth-stencil buffer for the back buffer and every render target.
    glGenRenderbuffers(1, &sharedDepth_);
    glBindRenderbuffer(GL_RENDERBUFFER, sharedDepth_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, kBackBufferWidth, kBackBufferHeight);

    // The back buffer is a target like the others: row 0 at the top. In
    // full screen, low-spec mode gives it 16 bits (R5G6B5); a window keeps
    // the desktop's 32.
    const GLenum backFormat =
        colourFormat(options_.lowSpec && options_.fullScreen ? TextureFormat::R5G6B5 : TextureFormat::A8R8G8B8);
    glGenTextures(1, &backTexture_);
    glBindTexture(GL_TEXTURE_2D, backTexture_);
    allocateColour(backFormat, kBackBufferWidth, kBackBufferHeight);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glGenFramebuffers(1, &backFramebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, backFramebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, backTexture_, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, sharedDepth_);
    if (!completeWithColour(backFormat, kBackBufferWidth, kBackBufferHeight)) return false;

    // Clip z 0..w as the design's projection gives it.
    GLint major = 0, minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    clipControl_ = major > 4 || (major == 4 && minor >= 5);
    if (!clipControl_) {
        GLint n = 0;
        glGetIntegerv(GL_NUM_EXTENSIONS, &n);
        for (GLint i = 0; i < n && !clipControl_; ++i) {
            const char* e = reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i)));
            clipControl_ = e != nullptr && std::strcmp(e, "GL_ARB_clip_control") == 0;
        }
    }
    if (clipControl_) glClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);

    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glActiveTexture(GL_TEXTURE0);
    glFrontFace(GL_CCW);
    glDisable(GL_DITHER);

    textCache_ = std::make_unique<GlTextCache>(*this);
    bindTarget();
    clear(kClearTarget | kClearDepth | kClearStencil, 0xFF000000u, 1.0f, 0);

    vsync_ = false;
    if (options_.paced) {
        // Retrace pacing only where the display runs at 60 Hz; elsewhere
        // (faster displays, no display) our own limiter holds 60.
        SDL_DisplayMode mode;
        const int display = window::sdlWindow() ? SDL_GetWindowDisplayIndex(window::sdlWindow()) : 0;
        const bool sixty = SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) == 0 &&
                           mode.refresh_rate >= 59 && mode.refresh_rate <= 61;
        const char* driver = SDL_GetCurrentVideoDriver();
        const bool realDisplay = driver != nullptr && std::strcmp(driver, "offscreen") != 0 &&
                                 std::strcmp(driver, "dummy") != 0;
        vsync_ = sixty && realDisplay && SDL_GL_SetSwapInterval(1) == 0;
        if (!vsync_) SDL_GL_SetSwapInterval(0);
    } else {
        SDL_GL_SetSwapInterval(0);
    }
    return glGetError() == GL_NO_ERROR;
}

int GlDevice::beginScene() { return kOk; }
int GlDevice::endScene() { return kOk; }

void GlDevice::bindTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, target_ ? target_->framebuffer() : backFramebuffer_);
    glViewport(viewport_.x, viewport_.y, viewport_.width, viewport_.height);
    glDepthRange(viewport_.minZ, viewport_.maxZ);
}

namespace {

Rect unite(const Rect& a, const Rect& b) {
    if (a.right <= a.left || a.bottom <= a.top) return b;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

}  // namespace

int GlDevice::clear(std::uint32_t flags, Colour colour, float z, std::uint32_t stencil) {
    flush();
    GLbitfield mask = 0;
    if (flags & kClearTarget) {
        const ColourValue c = unpack(colour);
        glClearColor(c.r, c.g, c.b, c.a);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        mask |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & kClearDepth) {
        glClearDepth(std::clamp(z, 0.0f, 1.0f));
        glDepthMask(GL_TRUE);
        appliedValid_ = false;
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & kClearStencil) {
        glClearStencil(static_cast<GLint>(stencil & 0xFF));
        glStencilMask(0xFF);
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    if (mask == 0) return kInvalidCall;
    if (target_ != nullptr && (flags & kClearTarget)) {
        const Rect area{viewport_.x, viewport_.y, viewport_.x + viewport_.width, viewport_.y + viewport_.height};
        const bool whole = area.left <= 0 && area.top <= 0 && area.right >= target_->width() &&
                           area.bottom >= target_->height();
        if (whole) {
            target_->touched_ = colour == 0 ? Rect{0, 0, 0, 0} : Rect{0, 0, target_->width(), target_->height()};
        } else if (colour != 0) {
            target_->touched_ = unite(target_->touched_, area);
        }
    }
    // A clear touches only the viewport.
    glEnable(GL_SCISSOR_TEST);
    glScissor(viewport_.x, viewport_.y, viewport_.width, viewport_.height);
    glClear(mask);
    glDisable(GL_SCISSOR_TEST);
    return kOk;
}

int GlDevice::setRenderTarget(Texture* target) {
    GlTexture* t = nullptr;
    if (target != nullptr) {
        t = dynamic_cast<GlTexture*>(target);
        if (t == nullptr || !t->isRenderTarget()) return kInvalidCall;
    }
    flush();
    target_ = t;
    viewport_ = Viewport{0, 0, t ? t->width() : kBackBufferWidth, t ? t->height() : kBackBufferHeight, 0.0f, 1.0f};
    bindTarget();
    return kOk;
}

int GlDevice::setViewport(const Viewport& viewport) {
    const int tw = target_ ? target_->width() : kBackBufferWidth;
    const int th = target_ ? target_->height() : kBackBufferHeight;
    if (viewport.width <= 0 || viewport.height <= 0 || viewport.x < 0 || viewport.y < 0 ||
        viewport.x + viewport.width > tw || viewport.y + viewport.height > th)
        return kInvalidCall;
    flush();
    viewport_ = viewport;
    bindTarget();
    return kOk;
}

void GlDevice::setTransform(TransformKind kind, const Matrix& matrix) {
    switch (kind) {
    case TransformKind::View: view_ = matrix; break;
    case TransformKind::Projection: projection_ = matrix; break;
    default: world_ = matrix; break;
    }
    matricesDirty_ = true;
}

Matrix GlDevice::transform(TransformKind kind) const {
    switch (kind) {
    case TransformKind::View: return view_;
    case TransformKind::Projection: return projection_;
    default: return world_;
    }
}

void GlDevice::setRenderState(RenderState state, std::uint32_t value) {
    if (state >= 0 && state < kRsCount) states_[state] = value;
    if (state == kRsNormalizeNormals) matricesDirty_ = true;
}

std::uint32_t GlDevice::renderState(RenderState state) const {
    return state >= 0 && state < kRsCount ? states_[state] : 0;
}

void GlDevice::setTextureStageState(TextureStageState state, std::uint32_t value) {
    if (state == kTssColourOp) colourOp_ = value;
    if (state == kTssAlphaOp) alphaOp_ = value;
}

void GlDevice::setTexture(Texture* texture) {
    texture_ = dynamic_cast<GlTexture*>(texture);
    if (texture_ != nullptr && texture_->deferred()) realise(*texture_);
}

void GlDevice::setLight(int index, const Light& light) {
    if (index >= 0 && index < 8) lights_[index] = light;
}

void GlDevice::enableLight(int index, bool enable) {
    if (index >= 0 && index < 8) lightEnabled_[index] = enable;
}

void GlDevice::setMaterial(const Material& material) { material_ = material; }

void GlDevice::forgetTexture(const GlTexture* texture) {
    // A read still running finishes into its own record, which the reader
    // then drops.
    prefetched_.erase(std::remove(prefetched_.begin(), prefetched_.end(), texture), prefetched_.end());
    // A texture never realised has no GL name: no run can draw with it.
    for (const Run& run : runs_) {
        if (texture->glTexture() != 0 && run.key.texture == texture->glTexture()) {
            flush();
            break;
        }
    }
    if (texture_ == texture) texture_ = nullptr;
    if (target_ == texture) {
        target_ = nullptr;
        viewport_ = Viewport{0, 0, kBackBufferWidth, kBackBufferHeight, 0.0f, 1.0f};
        bindTarget();
    }
    if (texture->glTexture() != 0 && appliedKey_.texture == texture->glTexture()) appliedValid_ = false;
}

// ---------------------------------------------------------------- stream

BatchKey GlDevice::worldKey(GLenum mode) const {
    BatchKey k;
    k.mode = mode;
    k.texture = texture_ ? texture_->glTexture() : 0;
    k.blend = states_[kRsAlphaBlendEnable] != 0;
    k.srcBlend = states_[kRsSrcBlend];
    k.destBlend = states_[kRsDestBlend];
    k.depthTest = states_[kRsZEnable] != 0;
    k.depthWrite = states_[kRsZWriteEnable] != 0;
    k.depthFunc = states_[kRsZFunc];
    k.alphaTest = states_[kRsAlphaTestEnable] != 0;
    k.alphaFunc = states_[kRsAlphaFunc];
    k.alphaRef = states_[kRsAlphaRef] & 0xFF;
    k.cull = states_[kRsCullMode];
    k.colourOp = colourOp_;
    k.alphaOp = alphaOp_;
    if (!k.blend) k.srcBlend = k.destBlend = 0;  // differences that draw the same do not split batches
    if (!k.alphaTest) k.alphaFunc = k.alphaRef = 0;
    if (!k.depthTest) k.depthWrite = false, k.depthFunc = 0;
    return k;
}

BatchKey GlDevice::spriteKey(GLuint texture) const {
    BatchKey k;
    k.mode = GL_TRIANGLES;
    k.texture = texture;
    k.blend = true;
    k.srcBlend = kBlendSrcAlpha;
    k.destBlend = kBlendInvSrcAlpha;
    k.depthTest = false;
    k.depthWrite = false;
    k.depthFunc = 0;
    k.alphaTest = false;
    k.alphaFunc = k.alphaRef = 0;
    k.cull = kCullNone;
    k.colourOp = kTopModulate;
    k.alphaOp = kTopModulate;
    return k;
}

void GlDevice::emit(const BatchKey& key, const StreamVertex* vertices, std::size_t count) {
    if (count == 0) return;
    if (target_ != nullptr) touchTarget(vertices, count);
    if (runs_.empty() || !(runs_.back().key == key)) runs_.push_back(Run{key, stream_.size(), 0});
    runs_.back().count += count;
    stream_.insert(stream_.end(), vertices, vertices + count);
}

void GlDevice::touchTarget(const StreamVertex* vertices, std::size_t count) {
    const Rect whole{0, 0, target_->width(), target_->height()};
    Rect& touched = target_->touched_;
    if (touched.left == whole.left && touched.top == whole.top && touched.right == whole.right &&
        touched.bottom == whole.bottom)
        return;
    float x0 = 1e30f, y0 = 1e30f, x1 = -1e30f, y1 = -1e30f;
    for (std::size_t i = 0; i < count; ++i) {
        const StreamVertex& v = vertices[i];
        if (v.w != 1.0f) {  // perspective: not worth bounding
            touched = whole;
            return;
        }
        x0 = std::min(x0, v.x);
        x1 = std::max(x1, v.x);
        y0 = std::min(y0, v.y);
        y1 = std::max(y1, v.y);
    }
    // Clip space back to the viewport's pixels, a pixel wider each way for
    // lines, points and rounding.
    const float sx = 0.5f * static_cast<float>(viewport_.width), sy = 0.5f * static_cast<float>(viewport_.height);
    const Rect drawn{static_cast<int>(std::floor((x0 + 1.0f) * sx)) + viewport_.x - 1,
                     static_cast<int>(std::floor((y0 + 1.0f) * sy)) + viewport_.y - 1,
                     static_cast<int>(std::ceil((x1 + 1.0f) * sx)) + viewport_.x + 1,
                     static_cast<int>(std::ceil((y1 + 1.0f) * sy)) + viewport_.y + 1};
    const Rect united = unite(touched, drawn);
    touched = Rect{std::max(united.left, 0), std::max(united.top, 0), std::min(united.right, whole.right),
                   std::min(united.bottom, whole.bottom)};
}

const GlDevice::FragmentProgram* GlDevice::program(const BatchKey& k) {
    const bool textured = k.texture != 0;
    const std::uint32_t colourOp = textured ? shaderStageOp(k.colourOp) : 0;
    const std::uint32_t alphaOp = textured ? shaderStageOp(k.alphaOp) : 0;
    for (const FragmentProgram& p : programs_) {
        if (p.textured == textured && p.colourOp == colourOp && p.alphaOp == alphaOp && p.alphaTest == k.alphaTest)
            return &p;
    }
    char defines[160];
    std::snprintf(defines, sizeof defines, "#define TEXTURED %d\n#define COLOUR_OP %u\n#define ALPHA_OP %u\n#define ALPHA_TEST %d\n",
                  textured ? 1 : 0, colourOp, alphaOp, k.alphaTest ? 1 : 0);
    const GLuint fs = compile(GL_FRAGMENT_SHADER, kFragmentShader, defines);
    if (fs == 0) return nullptr;
    FragmentProgram p;
    p.textured = textured;
    p.colourOp = colourOp;
    p.alphaOp = alphaOp;
    p.alphaTest = k.alphaTest;
    p.id = glCreateProgram();
    glAttachShader(p.id, vertexShader_);
    glAttachShader(p.id, fs);
    glLinkProgram(p.id);
    glDeleteShader(fs);
    GLint linked = 0;
    glGetProgramiv(p.id, GL_LINK_STATUS, &linked);
    if (!linked) {
        glDeleteProgram(p.id);
        return nullptr;
    }
    glUseProgram(p.id);
    glUniform1i(glGetUniformLocation(p.id, "uTexture"), 0);
    p.uAlphaFunc = glGetUniformLocation(p.id, "uAlphaFunc");
    p.uAlphaRef = glGetUniformLocation(p.id, "uAlphaRef");
    appliedValid_ = false;  // the program in use changed behind the batch
    programs_.push_back(p);
    return &programs_.back();
}

void GlDevice::applyKey(const BatchKey& k) {
    const bool all = !appliedValid_;
    const BatchKey& a = appliedKey_;
    if (all || a.texture != k.texture) glBindTexture(GL_TEXTURE_2D, k.texture);
    if (all || a.blend != k.blend || a.srcBlend != k.srcBlend || a.destBlend != k.destBlend) {
        if (k.blend) {
            glEnable(GL_BLEND);
            // One function for colour and alpha: the destination alpha of a
            // render target becomes srcA*srcA + dstA*(1-srcA), as the
            // layers' pictures were made with.
            glBlendFunc(glBlend(k.srcBlend), glBlend(k.destBlend));
        } else {
            glDisable(GL_BLEND);
        }
    }
    if (all || a.depthTest != k.depthTest || a.depthWrite != k.depthWrite || a.depthFunc != k.depthFunc) {
        if (k.depthTest) {
            glEnable(GL_DEPTH_TEST);
            glDepthFunc(glCompare(k.depthFunc));
            glDepthMask(k.depthWrite ? GL_TRUE : GL_FALSE);
        } else {
            glDisable(GL_DEPTH_TEST);
        }
    }
    if (all || a.cull != k.cull) {
        // Our y flip turns the screen's clockwise into GL's counter-clockwise.
        if (k.cull == kCullCounterClockwise) {
            glEnable(GL_CULL_FACE);
            glCullFace(GL_BACK);
        } else if (k.cull == kCullClockwise) {
            glEnable(GL_CULL_FACE);
            glCullFace(GL_FRONT);
        } else {
            glDisable(GL_CULL_FACE);
        }
    }
    // Each program keeps its own uniforms: a switch sends them again.
    const FragmentProgram* p = program(k);
    if (p == nullptr) p = &programs_.front();  // a variant that would not build: the sprite's
    const bool switched = all || p->id != appliedProgram_;
    if (switched) {
        glUseProgram(p->id);
        appliedProgram_ = p->id;
    }
    if (k.alphaTest && (switched || a.alphaFunc != k.alphaFunc || a.alphaRef != k.alphaRef)) {
        glUniform1i(p->uAlphaFunc, static_cast<GLint>(k.alphaFunc));
        glUniform1i(p->uAlphaRef, static_cast<GLint>(k.alphaRef));
    }
    appliedKey_ = k;
    appliedValid_ = true;
}

void GlDevice::flush() {
    if (stream_.empty()) {
        runs_.clear();
        return;
    }
    // Streamed into one large buffer at a moving cursor, unsynchronised:
    // re-specifying a buffer that a queued draw still reads makes Mesa's
    // software rasteriser finish the whole frame so far first.
    const std::size_t bytes = stream_.size() * sizeof(StreamVertex);
    if (bytes > vboCapacity_ || vboCursor_ + bytes > vboCapacity_) {
        // A full buffer is replaced by a new one, not re-specified: the
        // software rasteriser would wait for every queued draw first.
        vboCapacity_ = std::max({vboCapacity_, kStreamFlushesPerBuffer * bytes, kStreamBufferMinBytes});
        glDeleteBuffers(1, &vbo_);
        glGenBuffers(1, &vbo_);
        glBindBuffer(GL_ARRAY_BUFFER, vbo_);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vboCapacity_), nullptr, GL_STREAM_DRAW);
        bindVertexLayout();
        vboCursor_ = 0;
    }
    glBindBuffer(GL_ARRAY_BUFFER, vbo_);
    void* dst = glMapBufferRange(GL_ARRAY_BUFFER, static_cast<GLintptr>(vboCursor_), static_cast<GLsizeiptr>(bytes),
                                 GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_INVALIDATE_RANGE_BIT);
    if (dst == nullptr) {
        stream_.clear();
        runs_.clear();
        return;
    }
    std::memcpy(dst, stream_.data(), bytes);
    glUnmapBuffer(GL_ARRAY_BUFFER);
    const GLint base = static_cast<GLint>(vboCursor_ / sizeof(StreamVertex));
    for (const Run& run : runs_) {
        applyKey(run.key);
        glDrawArrays(run.key.mode, base + static_cast<GLint>(run.first), static_cast<GLsizei>(run.count));
    }
    vboCursor_ += bytes;
    stream_.clear();
    runs_.clear();
}

// ---------------------------------------------------------------- transform and light

void GlDevice::updateMatrices() {
    if (!matricesDirty_) return;
    worldViewProjection_ = matrixMultiply(matrixMultiply(world_, view_), projection_);
    // Normals go by the inverse transpose of the world's 3 x 3 part.
    const float(*m)[4] = world_.m;
    const float c00 = m[1][1] * m[2][2] - m[1][2] * m[2][1];
    const float c01 = m[1][2] * m[2][0] - m[1][0] * m[2][2];
    const float c02 = m[1][0] * m[2][1] - m[1][1] * m[2][0];
    const float det = m[0][0] * c00 + m[0][1] * c01 + m[0][2] * c02;
    if (std::fabs(det) < 1e-20f) {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) normalMatrix_[i][j] = m[i][j];
    } else {
        const float inv = 1.0f / det;
        // Cofactor matrix / det = inverse transpose (row-vector use: n * N).
        normalMatrix_[0][0] = c00 * inv;
        normalMatrix_[0][1] = c01 * inv;
        normalMatrix_[0][2] = c02 * inv;
        normalMatrix_[1][0] = (m[0][2] * m[2][1] - m[0][1] * m[2][2]) * inv;
        normalMatrix_[1][1] = (m[0][0] * m[2][2] - m[0][2] * m[2][0]) * inv;
        normalMatrix_[1][2] = (m[0][1] * m[2][0] - m[0][0] * m[2][1]) * inv;
        normalMatrix_[2][0] = (m[0][1] * m[1][2] - m[0][2] * m[1][1]) * inv;
        normalMatrix_[2][1] = (m[0][2] * m[1][0] - m[0][0] * m[1][2]) * inv;
        normalMatrix_[2][2] = (m[0][0] * m[1][1] - m[0][1] * m[1][0]) * inv;
    }
    matricesDirty_ = false;
}

std::uint32_t GlDevice::lightColour(const Vec3& n, std::uint32_t vertexColour, bool hasColour) const {
    const bool colourVertex = states_[kRsColorVertex] != 0 && hasColour;
    const ColourValue diffuse = colourVertex ? unpack(vertexColour) : material_.diffuse;
    const ColourValue& ambient = material_.ambient;
    const ColourValue global = unpack(states_[kRsAmbient]);
    float r = material_.emissive.r + ambient.r * global.r;
    float g = material_.emissive.g + ambient.g * global.g;
    float b = material_.emissive.b + ambient.b * global.b;
    for (int i = 0; i < 8; ++i) {
        if (!lightEnabled_[i]) continue;
        const Light& l = lights_[i];
        r += ambient.r * l.ambient.r;
        g += ambient.g * l.ambient.g;
        b += ambient.b * l.ambient.b;
        if (l.type != LightType::Directional) continue;  // the game lights with directional lights only
        const Vec3 toLight = vec3Normalize(Vec3{-l.direction.x, -l.direction.y, -l.direction.z});
        const float nl = vec3Dot(n, toLight);
        if (nl <= 0.0f) continue;
        r += diffuse.r * l.diffuse.r * nl;
        g += diffuse.g * l.diffuse.g * nl;
        b += diffuse.b * l.diffuse.b * nl;
    }
    return colourFromFloats(r, g, b, diffuse.a);
}

void GlDevice::drawWorld(GLenum mode, const LitInput* in, std::size_t count, bool hasNormals, bool hasColour) {
    updateMatrices();
    const Matrix& m = worldViewProjection_;
    const bool lighting = states_[kRsLighting] != 0;
    const bool normalise = states_[kRsNormalizeNormals] != 0;
    const BatchKey key = worldKey(mode);
    if (runs_.empty() || !(runs_.back().key == key)) runs_.push_back(Run{key, stream_.size(), 0});
    runs_.back().count += count;
    const std::size_t base = stream_.size();
    stream_.resize(base + count);
    StreamVertex* out = stream_.data() + base;
    for (std::size_t i = 0; i < count; ++i) {
        const LitInput& v = in[i];
        const float x = v.position.x, y = v.position.y, z = v.position.z;
        StreamVertex& o = out[i];
        o.x = x * m.m[0][0] + y * m.m[1][0] + z * m.m[2][0] + m.m[3][0];
        o.y = -(x * m.m[0][1] + y * m.m[1][1] + z * m.m[2][1] + m.m[3][1]);
        o.z = x * m.m[0][2] + y * m.m[1][2] + z * m.m[2][2] + m.m[3][2];
        o.w = x * m.m[0][3] + y * m.m[1][3] + z * m.m[2][3] + m.m[3][3];
        if (!clipControl_) o.z = 2.0f * o.z - o.w;
        o.u = v.u;
        o.v = v.v;
        if (!lighting) {
            o.colour = hasColour ? v.colour : 0xFFFFFFFFu;
        } else {
            Vec3 n{0, 0, 0};
            if (hasNormals) {
                const float(*q)[3] = normalMatrix_;
                n = Vec3{v.normal.x * q[0][0] + v.normal.y * q[1][0] + v.normal.z * q[2][0],
                         v.normal.x * q[0][1] + v.normal.y * q[1][1] + v.normal.z * q[2][1],
                         v.normal.x * q[0][2] + v.normal.y * q[1][2] + v.normal.z * q[2][2]};
                if (normalise) n = vec3Normalize(n);
            }
            o.colour = lightColour(n, v.colour, hasColour);
        }
    }
}

StreamVertex GlDevice::screenToClip(float x, float y, float z, float rhw, std::uint32_t colour, float u,
                                    float v) const {
    // Pixels of the target to the viewport's clip space, top row first.
    const float w = rhw > 0.0f ? 1.0f / rhw : 1.0f;
    const float nx = (x - viewport_.x) / viewport_.width * 2.0f - 1.0f;
    const float ny = (y - viewport_.y) / viewport_.height * 2.0f - 1.0f;
    float nz = viewport_.maxZ > viewport_.minZ ? (z - viewport_.minZ) / (viewport_.maxZ - viewport_.minZ) : z;
    if (!clipControl_) nz = 2.0f * nz - 1.0f;
    return StreamVertex{nx * w, ny * w, nz * w, w, colour, u, v};
}

// ---------------------------------------------------------------- drawing

int GlDevice::drawPrimitive(Primitive type, VertexBuffer* buffer, int startVertex, int primitiveCount) {
    auto* vb = dynamic_cast<GlVertexBuffer*>(buffer);
    if (vb == nullptr || primitiveCount <= 0 || startVertex < 0) return kInvalidCall;
    const int needed = vertexCountFor(type, primitiveCount);
    if (needed < 0 || startVertex + needed > vb->count()) return kInvalidCall;
    return drawPrimitiveUp(type, primitiveCount, vb->data() + startVertex);
}

int GlDevice::drawPrimitiveUp(Primitive type, int primitiveCount, const Vertex* vertices) {
    if (vertices == nullptr || primitiveCount <= 0 || vertexCountFor(type, primitiveCount) < 0) return kInvalidCall;
    static thread_local std::vector<int> indices;
    static thread_local std::vector<LitInput> lit;
    const GLenum mode = expand(type, primitiveCount, indices);
    lit.resize(indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const Vertex& v = vertices[indices[i]];
        lit[i] = LitInput{{v.x, v.y, v.z}, {0, 0, 0}, v.diffuse, v.u, v.v};
    }
    drawWorld(mode, lit.data(), lit.size(), false, true);
    return kOk;
}

int GlDevice::drawScreenPrimitiveUp(Primitive type, int primitiveCount, const ScreenVertex* vertices) {
    if (vertices == nullptr || primitiveCount <= 0 || vertexCountFor(type, primitiveCount) < 0) return kInvalidCall;
    static thread_local std::vector<int> indices;
    static thread_local std::vector<StreamVertex> out;
    const GLenum mode = expand(type, primitiveCount, indices);
    out.resize(indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const ScreenVertex& v = vertices[indices[i]];
        out[i] = screenToClip(v.x, v.y, v.z, v.rhw, v.diffuse, v.u, v.v);
    }
    BatchKey key = worldKey(mode);
    emit(key, out.data(), out.size());
    return kOk;
}

// ---------------------------------------------------------------- resources

GLuint GlDevice::uploadTexture(const std::vector<std::uint32_t>& argb, int w, int h, int* result) {
    GLuint tex = 0;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, argb.data());
    // Without mipmaps the default minification filter leaves the texture incomplete.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    appliedValid_ = false;  // the bound texture changed behind the batch
    if (glGetError() == GL_OUT_OF_MEMORY) {
        glDeleteTextures(1, &tex);
        setResult(result, kOutOfVideoMemory);
        return 0;
    }
    setResult(result, kOk);
    return tex;
}

std::unique_ptr<Texture> GlDevice::makeTexture(std::vector<std::uint32_t> argb, int w, int h, int imageW, int imageH,
                                               int* result) {
    const GLuint tex = uploadTexture(argb, w, h, result);
    if (tex == 0) return nullptr;
    return std::make_unique<GlTexture>(link_, tex, w, h, imageW, imageH, 0, 0);
}

// Only the header is read here; the pixels wait for the first draw with the
// texture (GlDevice::realise), so start-up reads, stretches and holds only
// the pictures the first screens show. The whole file's length is checked
// now, so a file that is short already fails at start-up, as before.
std::unique_ptr<Texture> GlDevice::createTextureFromFile(const std::string& path, bool keyed, TextureFormat format,
                                                         int* result) {
    int width = 0, height = 0;
    const int r = bitmap::checkBmpFile(path, width, height);
    if (r != bitmap::kOk) {
        setResult(result, r);
        return nullptr;
    }
    setResult(result, kOk);
    return std::make_unique<GlTexture>(link_, DeferredPicture{path, keyed, format}, bitmap::nextPowerOfTwo(width),
                                       bitmap::nextPowerOfTwo(height), width, height);
}

void GlDevice::realise(GlTexture& texture) {
    const std::unique_ptr<DeferredPicture> picture = std::move(texture.deferred_);
    if (picture == nullptr) return;
    bitmap::Image stretched;
    int r = bitmap::kOk;
    if (texture.read_ != nullptr) {
        reader_.wait(texture.read_);
        stretched = std::move(texture.read_->pixels);
        r = texture.read_->result;
        texture.read_.reset();
        prefetched_.erase(std::find(prefetched_.begin(), prefetched_.end(), &texture));
    } else {
        r = readTexturePixels(*picture, stretched);
    }
    if (r == bitmap::kOk && (stretched.width != texture.width_ || stretched.height != texture.height_)) {
        r = bitmap::kCorrupt;  // the file changed under the running game
    }
    if (r == bitmap::kOk) texture.texture_ = uploadTexture(stretched.argb, stretched.width, stretched.height, &r);
    realisedThisFrame_ = true;
    if (texture.texture_ == 0) {
        std::fprintf(stderr, "gfx: %s could not be loaded (%d): drawn without it\n", picture->path.c_str(), r);
    }
}

void GlDevice::prefetch(Texture* texture) {
    auto* t = dynamic_cast<GlTexture*>(texture);
    if (t == nullptr || !t->deferred() || t->prefetched()) return;
    t->read_ = reader_.start(*t->deferred_);
    prefetched_.push_back(t);
}

void GlDevice::uploadOnePrefetched() {
    for (GlTexture* texture : prefetched_) {
        if (reader_.done(*texture->read_)) {
            realise(*texture);  // takes it off the list
            return;
        }
    }
}

// ---------------------------------------------------------------- states and faces ahead

// Mesa's software rasteriser compiles machine code for each combination of
// shader, blending, depth test, texture format and sampling, and target
// format, at the first draw that meets it: 5 to 15 ms each, a dropped frame
// when a message window first opens. The combinations the game's screens
// draw with are known: each is met here once, on a stand-in of each kind
// of texture and target, a few a frame during the fade before the screen.

void GlDevice::makeStandIns() {
    if (standInPicture_ == 0) {
        // A picture: power-of-two sides, and as large as the sprite and
        // portrait sheets (a 2 x 2 one left the billboards' state to be
        // compiled again at their first draw).
        const std::vector<std::uint32_t> white(512 * 512, 0xFFFFFFFFu);
        standInPicture_ = uploadTexture(white, 512, 512, nullptr);
    }
    if (standInLayer_ == 0) {
        // A render target drawn as a sprite (the text layers): 640 x 480,
        // so not of power-of-two sides, which its sampling code tells apart.
        glGenTextures(1, &standInLayer_);
        glBindTexture(GL_TEXTURE_2D, standInLayer_);
        allocateColour(GL_RGBA8, 3, 3);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        appliedValid_ = false;
    }
    for (const GLenum format : targetFormats_) {
        const bool made = std::any_of(standInTargets_.begin(), standInTargets_.end(),
                                      [&](const StandInTarget& t) { return t.format == format; });
        if (made) continue;
        StandInTarget t{format, 0, 0, 0};
        glGenTextures(1, &t.texture);
        glBindTexture(GL_TEXTURE_2D, t.texture);
        allocateColour(format, 4, 4);
        appliedValid_ = false;
        glGenRenderbuffers(1, &t.depth);
        glBindRenderbuffer(GL_RENDERBUFFER, t.depth);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, 4, 4);
        glGenFramebuffers(1, &t.framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, t.framebuffer);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, t.texture, 0);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, t.depth);
        completeWithColour(format, 4, 4);
        standInTargets_.push_back(t);
    }
    bindTarget();
}

void GlDevice::drawUnseen(GLuint framebuffer, const BatchKey& key) {
    flush();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    const StreamVertex outside{2.0f, 2.0f, 0.5f, 1.0f, 0xFFFFFFFFu, 0.0f, 0.0f};
    stream_.assign(3, outside);
    runs_.push_back(Run{key, 0, 3});
    flush();
    bindTarget();
}

void GlDevice::prepareDrawStates() {
    makeStandIns();
    // Once for each set of target formats: a later fade finds them built.
    if (preparedTargets_ == standInTargets_.size()) return;
    preparedTargets_ = standInTargets_.size();
    // Sprites and text, blended, on the back buffer and on every kind of
    // render target: pictures, the text layers, the text atlas, plain fills.
    std::vector<GLuint> targets{backFramebuffer_};
    for (const StandInTarget& t : standInTargets_) targets.push_back(t.framebuffer);
    for (const GLuint target : targets) {
        for (const GLuint texture : {standInPicture_, standInLayer_, textCache_->atlas(), GLuint{0}}) {
            const BatchKey key = spriteKey(texture);
            preparations_.push_back([this, target, key] { drawUnseen(target, key); });
        }
    }
    // The field's quads on the back buffer: the terrain (opaque, depth
    // tested), the billboards (alpha tested), untextured fills.
    BatchKey opaque = spriteKey(standInPicture_);
    opaque.blend = false;
    opaque.srcBlend = opaque.destBlend = 0;
    opaque.depthTest = opaque.depthWrite = true;
    opaque.depthFunc = kCmpLessEqual;
    opaque.alphaOp = kTopSelectTexture;
    BatchKey cutOut = opaque;
    cutOut.alphaTest = true;
    cutOut.alphaFunc = kCmpGreater;
    cutOut.alphaRef = 127;
    BatchKey untextured = opaque;
    untextured.texture = 0;
    for (const BatchKey& key : {opaque, cutOut, untextured})
        preparations_.push_back([this, key] { drawUnseen(backFramebuffer_, key); });
}

void GlDevice::prepareFont(const FontDesc& desc) {
    preparations_.push_back([desc] { fontrender::openFace(desc); });
}

void GlDevice::runPreparations() {
    // Two a present: the fade before a screen has frames to spare.
    for (int i = 0; i < 2 && !preparations_.empty(); ++i) {
        const std::function<void()> work = std::move(preparations_.front());
        preparations_.pop_front();
        work();
    }
}

std::unique_ptr<Texture> GlDevice::createTextureFromPixels(const std::uint32_t* argb, int width, int height,
                                                           TextureFormat format, int* result) {
    if (argb == nullptr || width <= 0 || height <= 0 || width > bitmap::kMaxSide || height > bitmap::kMaxSide) {
        setResult(result, kInvalidCall);
        return nullptr;
    }
    bitmap::Image image{width, height, std::vector<std::uint32_t>(argb, argb + static_cast<std::size_t>(width) * height)};
    bitmap::Image stretched = bitmap::stretchToPowerOfTwo(image);
    quantiseToFormat(stretched, format);
    return makeTexture(std::move(stretched.argb), stretched.width, stretched.height, width, height, result);
}

std::unique_ptr<Texture> GlDevice::createRenderTarget(int width, int height, TextureFormat format, int* result) {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (width <= 0 || height <= 0 || width > maxSize || height > maxSize) {
        setResult(result, kInvalidCall);
        return nullptr;
    }
    flush();
    // The target holds the colours in the format asked for: low-spec
    // mode's layers are 4 bits a channel, blending included.
    const GLenum colour = colourFormat(format);
    if (std::find(targetFormats_.begin(), targetFormats_.end(), colour) == targetFormats_.end())
        targetFormats_.push_back(colour);
    GLuint tex = 0, fbo = 0, depth = 0;
    glGenTextures(1, &tex);
    glBindTexture(GL_TEXTURE_2D, tex);
    allocateColour(colour, width, height);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    appliedValid_ = false;
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, tex, 0);
    GLuint useDepth = sharedDepth_;
    if (width > kBackBufferWidth || height > kBackBufferHeight) {
        glGenRenderbuffers(1, &depth);
        glBindRenderbuffer(GL_RENDERBUFFER, depth);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
        useDepth = depth;
    }
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, useDepth);
    const bool complete = completeWithColour(colour, width, height);
    const GLenum error = glGetError();
    if (!complete || error != GL_NO_ERROR) {
        glDeleteFramebuffers(1, &fbo);
        glDeleteTextures(1, &tex);
        if (depth) glDeleteRenderbuffers(1, &depth);
        bindTarget();
        setResult(result, error == GL_OUT_OF_MEMORY ? kOutOfVideoMemory : kNotAvailable);
        return nullptr;
    }
    // A new target starts transparent black.
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 0);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT);
    bindTarget();
    setResult(result, kOk);
    return std::make_unique<GlTexture>(link_, tex, width, height, width, height, fbo, depth);
}

std::unique_ptr<VertexBuffer> GlDevice::createVertexBuffer(int vertexCount, int* result) {
    if (vertexCount <= 0 || vertexCount > (1 << 24)) {
        setResult(result, kInvalidCall);
        return nullptr;
    }
    setResult(result, kOk);
    return std::make_unique<GlVertexBuffer>(vertexCount);
}

// ---------------------------------------------------------------- read-back and present

bool GlDevice::readBackBuffer(std::vector<std::uint32_t>& argb) {
    flush();
    argb.assign(static_cast<std::size_t>(kBackBufferWidth) * kBackBufferHeight, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, backFramebuffer_);
    glReadPixels(0, 0, kBackBufferWidth, kBackBufferHeight, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, argb.data());
    bindTarget();
    return glGetError() == GL_NO_ERROR;
}

bool GlDevice::readRenderTarget(Texture* target, std::vector<std::uint32_t>& argb) {
    auto* t = dynamic_cast<GlTexture*>(target);
    if (t == nullptr || !t->isRenderTarget()) return false;
    flush();
    argb.assign(static_cast<std::size_t>(t->width()) * t->height(), 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, t->framebuffer());
    glReadPixels(0, 0, t->width(), t->height(), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, argb.data());
    bindTarget();
    return glGetError() == GL_NO_ERROR;
}

void GlDevice::finish() {
    flush();
    glFinish();
}

int GlDevice::present() {
    flush();
    SDL_Window* w = window::sdlWindow();
    if (w == nullptr) return kFail;
    int dw = 0, dh = 0;
    SDL_GL_GetDrawableSize(w, &dw, &dh);
    if (dw > 0 && dh > 0) {
        // The 640 x 480 picture scaled to fit, centred, black bars around.
        const float scale = std::min(static_cast<float>(dw) / kBackBufferWidth, static_cast<float>(dh) / kBackBufferHeight);
        const int pw = static_cast<int>(kBackBufferWidth * scale + 0.5f);
        const int ph = static_cast<int>(kBackBufferHeight * scale + 0.5f);
        const int x0 = (dw - pw) / 2, y0 = (dh - ph) / 2;
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glDisable(GL_SCISSOR_TEST);
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, backFramebuffer_);
        // Our row 0 is the top; the window's is the bottom.
        const bool exact = pw == kBackBufferWidth && ph == kBackBufferHeight;
        glBlitFramebuffer(0, 0, kBackBufferWidth, kBackBufferHeight, x0, y0 + ph, x0 + pw, y0, GL_COLOR_BUFFER_BIT,
                          exact ? GL_NEAREST : GL_LINEAR);
        SDL_GL_SwapWindow(w);
        bindTarget();
    }
    uploadOnePrefetched();
    runPreparations();
    if (realisedThisFrame_) {
        // A frame that read pictures has freed their decoding buffers and
        // the rasteriser's compilations of the new screen's states; the
        // heap keeps freed memory (see init), so it goes back here.
        realisedThisFrame_ = false;
        framesSinceTrim_ = 0;
        trimHeapIfGrown();
    } else if (++framesSinceTrim_ >= kTrimCheckFrames) {
        // The rasteriser also compiles states first met on a later frame
        // and frees what that took: once a second, the heap gives back what
        // it freed since.
        framesSinceTrim_ = 0;
        trimHeapIfGrown();
    }
    if (options_.paced) pace();
    return kOk;
}

void GlDevice::trimHeapIfGrown() {
    // Pages given back stay counted as free (they are free chunks of the
    // heap, only unmapped), so the figure to watch is the growth since the
    // last trim: trimming the same few megabytes every second unmapped what
    // the next frame wrote again, a 10 ms frame (page faults and flushes of
    // every core's address cache).
    const std::size_t free = mallinfo2().fordblks;
    if (free <= freeAfterTrim_ + kTrimSlackBytes) return;
    malloc_trim(0);
    freeAfterTrim_ = mallinfo2().fordblks;
}

void GlDevice::pace() {
    // Our own 60 Hz when the retrace does not hold it: sleep to the next
    // frame boundary; after a long stall start counting afresh rather than
    // racing to catch up.
    const std::uint64_t freq = SDL_GetPerformanceFrequency();
    const std::uint64_t period = freq / 60;
    std::uint64_t now = SDL_GetPerformanceCounter();
    if (vsync_) {
        nextFrame_ = now;
        return;
    }
    // The first frame starts the count: there is no frame before it to hold
    // 60 a second against, and the next frame's work may begin at once.
    if (nextFrame_ == 0) {
        nextFrame_ = now + period;
        return;
    }
    if (now > nextFrame_ + 4 * period) nextFrame_ = now;
    nextFrame_ += period;
    while (now < nextFrame_) {
        const std::uint64_t left = nextFrame_ - now;
        const std::uint64_t ms = left * 1000 / freq;
        if (ms >= 2) SDL_Delay(static_cast<Uint32>(ms - 1));
        now = SDL_GetPerformanceCounter();
    }
}

std::unique_ptr<Device> createGlDevice(const DeviceOptions& options, int* result) {
    if (window::sdlWindow() == nullptr || SDL_GL_GetCurrentContext() == nullptr) {
        setResult(result, kNotAvailable);
        return nullptr;
    }
    auto device = std::make_unique<GlDevice>(options);
    if (!device->init()) {
        setResult(result, kNotAvailable);
        return nullptr;
    }
    setResult(result, kOk);
    return device;
}

}  // namespace gfx
