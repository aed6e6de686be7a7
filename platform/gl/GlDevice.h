// Inside the GL backend: the device with its draw stream, shared by the
// sprite, font, mesh and texture classes of platform/gl.
//
// Every draw is transformed (and lit) on the CPU into one stream of
// clip-space vertices; the stream is sent to GL only when the state that the
// shader or the fixed GL pipeline needs changes (texture, blending, depth,
// alpha test, culling, stage operations): runs of one state are drawn with
// one call each, all from one upload made at target switches, clears,
// read-backs and present. A software rasteriser pays about 30 microseconds
// a draw call; this keeps the game's thousands of small quads cheap.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Gfx.h"
#include "platform/gl/GlApi.h"
#include "platform/gl/GlPictureReader.h"

namespace gfx {

class GlDevice;
class GlTextCache;

// The device's lifetime as seen by its resources: a texture released after
// the device does not touch it.
struct GlDeviceLink {
    GlDevice* device = nullptr;
};

class GlTexture final : public Texture {
public:
    GlTexture(std::shared_ptr<GlDeviceLink> link, GLuint texture, int width, int height, int imageWidth,
              int imageHeight, GLuint framebuffer, GLuint ownDepth);
    // A texture of a picture file not read yet (GlDevice::realise reads it).
    GlTexture(std::shared_ptr<GlDeviceLink> link, DeferredPicture picture, int width, int height, int imageWidth,
              int imageHeight);
    ~GlTexture() override;
    int width() const override { return width_; }
    int height() const override { return height_; }
    int imageWidth() const override { return imageWidth_; }
    int imageHeight() const override { return imageHeight_; }
    bool isRenderTarget() const override { return framebuffer_ != 0; }

    // 0 until a deferred picture is realised (and for one that failed).
    GLuint glTexture() const { return texture_; }
    GLuint framebuffer() const { return framebuffer_; }
    bool deferred() const { return deferred_ != nullptr; }
    bool prefetched() const { return read_ != nullptr; }
    // A render target's pixels outside this rectangle are transparent black
    // (it may hold more than what was drawn, never less).
    const Rect& touched() const { return touched_; }

private:
    friend class GlDevice;
    std::shared_ptr<GlDeviceLink> link_;
    std::unique_ptr<DeferredPicture> deferred_;
    std::shared_ptr<PictureRead> read_;  // the reader's read of deferred_, once prefetched
    GLuint texture_;
    int width_, height_, imageWidth_, imageHeight_;
    GLuint framebuffer_;
    GLuint ownDepth_;
    Rect touched_{0, 0, 0, 0};  // a new target is transparent black
};

// One vertex of the stream: clip space (with our top-row-first flip
// applied), colour as ARGB bytes, texture coordinates.
struct StreamVertex {
    float x, y, z, w;
    std::uint32_t colour;
    float u, v;
};

// Everything that forces a new GL draw call when it changes.
struct BatchKey {
    GLenum mode = GL_TRIANGLES;
    GLuint texture = 0;
    bool blend = false;
    std::uint32_t srcBlend = kBlendOne, destBlend = kBlendZero;
    bool depthTest = true, depthWrite = true;
    std::uint32_t depthFunc = kCmpLessEqual;
    bool alphaTest = false;
    std::uint32_t alphaFunc = kCmpAlways, alphaRef = 0;
    std::uint32_t cull = kCullNone;
    std::uint32_t colourOp = kTopModulate, alphaOp = kTopSelectTexture;

    bool operator==(const BatchKey&) const = default;
};

// A vertex with an optional normal, as the lighting stage sees it.
struct LitInput {
    Vec3 position;
    Vec3 normal;
    std::uint32_t colour;
    float u, v;
};

class GlDevice final : public Device {
public:
    explicit GlDevice(const DeviceOptions& options);
    ~GlDevice() override;
    // False when the GL objects could not be made.
    bool init();

    int beginScene() override;
    int endScene() override;
    int present() override;
    int clear(std::uint32_t flags, Colour colour, float z, std::uint32_t stencil) override;

    int setRenderTarget(Texture* target) override;
    Texture* renderTarget() const override { return target_; }
    int setViewport(const Viewport& viewport) override;
    Viewport viewport() const override { return viewport_; }

    void setTransform(TransformKind kind, const Matrix& matrix) override;
    Matrix transform(TransformKind kind) const override;
    void setRenderState(RenderState state, std::uint32_t value) override;
    std::uint32_t renderState(RenderState state) const override;
    void setTextureStageState(TextureStageState state, std::uint32_t value) override;
    void setTexture(Texture* texture) override;
    void setLight(int index, const Light& light) override;
    void enableLight(int index, bool enable) override;
    void setMaterial(const Material& material) override;

    int drawPrimitive(Primitive type, VertexBuffer* buffer, int startVertex, int primitiveCount) override;
    int drawPrimitiveUp(Primitive type, int primitiveCount, const Vertex* vertices) override;
    int drawScreenPrimitiveUp(Primitive type, int primitiveCount, const ScreenVertex* vertices) override;

    std::unique_ptr<Texture> createTextureFromFile(const std::string& path, bool keyed, TextureFormat format,
                                                   int* result) override;
    std::unique_ptr<Texture> createTextureFromPixels(const std::uint32_t* argb, int width, int height,
                                                     TextureFormat format, int* result) override;
    std::unique_ptr<Texture> createRenderTarget(int width, int height, TextureFormat format, int* result) override;
    std::unique_ptr<VertexBuffer> createVertexBuffer(int vertexCount, int* result) override;
    std::unique_ptr<Mesh> loadMesh(const std::string& path, int* result) override;
    std::unique_ptr<Sprite> createSprite(int* result) override;
    std::unique_ptr<Font> createFont(const FontDesc& desc, int* result) override;

    bool readBackBuffer(std::vector<std::uint32_t>& argb) override;
    bool readRenderTarget(Texture* target, std::vector<std::uint32_t>& argb) override;
    void finish() override;
    void prefetch(Texture* texture) override;
    void prepareDrawStates() override;
    void prepareFont(const FontDesc& desc) override;

    // --- inside the backend ---
    // Appends vertices of one GL primitive mode under `key` (a new run when
    // the key differs from the last run's).
    void emit(const BatchKey& key, const StreamVertex* vertices, std::size_t count);
    // Sends the pending stream to GL: one upload, one draw call a run.
    void flush();
    // Called after binding a texture outside the stream (uploads).
    void forgetBoundTexture() { appliedValid_ = false; }
    // Called by a texture before its GL objects go.
    void forgetTexture(const GlTexture* texture);
    // Reads and uploads a deferred picture before its first draw; a file
    // gone bad since start-up leaves the texture empty, with a line on stderr.
    void realise(GlTexture& texture);
    // Realises one prefetched picture whose pixels are in: the frame after
    // its read pays its upload, not the frame that first draws it.
    void uploadOnePrefetched();
    // The key of a world-space draw under the current states.
    BatchKey worldKey(GLenum mode) const;
    // The key of a sprite or text quad with this texture.
    BatchKey spriteKey(GLuint texture) const;
    // Transforms, lights and appends world-space vertices already expanded
    // to a list of `mode` (triangles, lines or points).
    void drawWorld(GLenum mode, const LitInput* vertices, std::size_t count, bool hasNormals, bool hasColour);
    // Screen pixels (top-left origin of the current target) to clip space.
    StreamVertex screenToClip(float x, float y, float z, float rhw, std::uint32_t colour, float u, float v) const;
    // The material the next mesh subset is lit with.
    const Material& material() const { return material_; }
    GlTextCache& textCache() { return *textCache_; }
    const std::shared_ptr<GlDeviceLink>& link() const { return link_; }

private:
    void applyKey(const BatchKey& key);
    // Widens the current render target's touched rectangle over vertices
    // drawn into it (the whole target for any not in screen space).
    void touchTarget(const StreamVertex* vertices, std::size_t count);
    // The stream's attribute layout, for the bound vertex buffer.
    void bindVertexLayout();
    void bindTarget();
    void updateMatrices();
    std::uint32_t lightColour(const Vec3& normalWorld, std::uint32_t vertexColour, bool hasColour) const;
    // A GL texture of power-of-two pixels; 0 with *result set on failure.
    GLuint uploadTexture(const std::vector<std::uint32_t>& argb, int w, int h, int* result);
    std::unique_ptr<Texture> makeTexture(std::vector<std::uint32_t> argb, int w, int h, int imageW, int imageH,
                                         int* result);
    void pace();
    // Small textures and targets standing for each kind the game draws
    // with and into (pictures, render targets, every target format made so
    // far), for prepareDrawStates; made at its first call.
    void makeStandIns();
    // Draws a triangle wholly outside the view under `key` into
    // `framebuffer`: Mesa compiles the state's code at the draw, and the
    // clipper drops the triangle.
    void drawUnseen(GLuint framebuffer, const BatchKey& key);
    // Gives the heap's free memory back when it grew by more than a few
    // megabytes since the last time.
    void trimHeapIfGrown();
    // Runs the preparations queued for this present.
    void runPreparations();

    DeviceOptions options_;
    std::shared_ptr<GlDeviceLink> link_;
    std::unique_ptr<GlTextCache> textCache_;

    // GL objects.
    // The stage programs built so far, one per combination of texture,
    // stage operations and alpha test (a deque: pointers stay valid).
    struct FragmentProgram {
        bool textured = false;
        std::uint32_t colourOp = 0, alphaOp = 0;
        bool alphaTest = false;
        GLuint id = 0;
        GLint uAlphaFunc = -1, uAlphaRef = -1;
    };
    // The program for a key's states, built at its first use; null when it
    // will not build.
    const FragmentProgram* program(const BatchKey& key);
    std::deque<FragmentProgram> programs_;
    GLuint vertexShader_ = 0;
    GLuint appliedProgram_ = 0;
    GLuint vao_ = 0, vbo_ = 0;
    GLuint sharedDepth_ = 0;
    GLuint backTexture_ = 0, backFramebuffer_ = 0;
    bool clipControl_ = false;
    std::size_t vboCapacity_ = 0;
    std::size_t vboCursor_ = 0;  // a multiple of sizeof(StreamVertex)

    // The pending stream: runs of vertices drawn under one key each, sent
    // in one upload at the next flush.
    struct Run {
        BatchKey key;
        std::size_t first, count;
    };
    std::vector<StreamVertex> stream_;
    std::vector<Run> runs_;
    BatchKey appliedKey_;
    bool appliedValid_ = false;

    // Device state.
    std::uint32_t states_[kRsCount];
    std::uint32_t colourOp_ = kTopModulate, alphaOp_ = kTopSelectTexture;
    Matrix view_, projection_, world_;
    Matrix worldViewProjection_;
    float normalMatrix_[3][3];
    bool matricesDirty_ = true;
    Light lights_[8];
    bool lightEnabled_[8] = {};
    Material material_{};
    GlTexture* texture_ = nullptr;
    GlTexture* target_ = nullptr;
    Viewport viewport_{};

    // Pictures read ahead (prefetch) and the textures waiting for them.
    PictureReader reader_;
    std::vector<GlTexture*> prefetched_;

    // Work queued by prepareDrawStates and prepareFont, a little at each
    // present; the stand-ins they draw with.
    std::deque<std::function<void()>> preparations_;
    std::vector<GLenum> targetFormats_;  // colour formats of the render targets made
    struct StandInTarget {
        GLenum format;
        GLuint texture, framebuffer, depth;
    };
    std::vector<StandInTarget> standInTargets_;
    GLuint standInPicture_ = 0, standInLayer_ = 0;
    std::size_t preparedTargets_ = SIZE_MAX;  // stand-in targets when the states were last queued

    bool realisedThisFrame_ = false;  // a deferred picture was read: trim the heap at present
    int framesSinceTrim_ = 0;         // frames presented since the heap was last looked at
    std::size_t freeAfterTrim_ = 0;   // the heap's free bytes after its last trim

    // Pacing.
    bool vsync_ = false;
    std::uint64_t nextFrame_ = 0;
};

}  // namespace gfx
