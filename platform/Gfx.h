// The graphics device the game draws with.
//
// The game was designed around a fixed-function 3D device with a sprite
// batcher and bitmap fonts; this interface keeps that shape so that game code
// reads like the design: row-vector, left-handed matrices (v * M), depth 0..1,
// LESSEQUAL depth test, top-left origin in every render target, render states
// that persist between calls, a virtual 640 x 480 back buffer.
//
// Two backends implement it: OpenGL (the game, playtest, screenshots) and a
// null backend that records nothing and draws nothing (logic tests, benches).
// Nothing outside platform/ sees OpenGL or SDL.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/GfxMath.h"

namespace gfx {

// Result codes: 0 success, negative failure (the design tests "< 0").
constexpr int kOk = 0;
constexpr int kFail = -1;
constexpr int kOutOfMemory = -2;        // host memory
constexpr int kOutOfVideoMemory = -3;
constexpr int kNotAvailable = -4;
constexpr int kInvalidCall = -5;
constexpr int kInvalidData = -6;        // a file that is short, corrupt or of a kind not read

constexpr int kBackBufferWidth = 640;
constexpr int kBackBufferHeight = 480;

struct Rect {
    int left, top, right, bottom;
};

// Colours are 32-bit ARGB (0xAARRGGBB).
using Colour = std::uint32_t;

// Float colour to ARGB: a component >= 1 gives 255, <= 0 gives 0, otherwise
// trunc(c * 255 + 0.5).
Colour colourFromFloats(float r, float g, float b, float a);

struct ColourValue {
    float r, g, b, a;
};

struct Material {
    ColourValue diffuse;
    ColourValue ambient;
    ColourValue specular;
    ColourValue emissive;
    float power;
};

enum class LightType { Point = 1, Spot = 2, Directional = 3 };

struct Light {
    LightType type;
    ColourValue diffuse;
    ColourValue specular;
    ColourValue ambient;
    Vec3 position;
    Vec3 direction;  // the direction the light travels, world space
};

struct Viewport {
    int x, y, width, height;
    float minZ, maxZ;
};

// Position, diffuse colour, one texture coordinate pair: 24 bytes. The
// vertex of every textured quad, billboard and ground tile.
struct Vertex {
    float x, y, z;
    Colour diffuse;
    float u, v;
};
static_assert(sizeof(Vertex) == 24, "the quad vertex is 24 bytes");

// Pre-transformed screen-space vertex (pixels, top-left origin).
struct ScreenVertex {
    float x, y, z, rhw;
    Colour diffuse;
    float u, v;
};

enum class Primitive { PointList = 1, LineList = 2, LineStrip = 3, TriangleList = 4, TriangleStrip = 5, TriangleFan = 6 };

enum class TransformKind { View = 2, Projection = 3, World = 256 };

// Render states, numbered as the design numbers them (e.g. 15 alpha test).
enum RenderState : int {
    kRsZEnable = 7,
    kRsFillMode = 8,
    kRsZWriteEnable = 14,
    kRsAlphaTestEnable = 15,
    kRsSrcBlend = 19,
    kRsDestBlend = 20,
    kRsCullMode = 22,
    kRsZFunc = 23,
    kRsAlphaRef = 24,
    kRsAlphaFunc = 25,
    kRsDitherEnable = 26,
    kRsAlphaBlendEnable = 27,
    kRsFogEnable = 28,
    kRsSpecularEnable = 29,
    kRsStencilEnable = 52,
    kRsTextureFactor = 60,
    kRsLighting = 137,
    kRsAmbient = 139,
    kRsColorVertex = 141,
    kRsNormalizeNormals = 143,
    kRsCount = 256,
};

enum Blend : std::uint32_t {
    kBlendZero = 1, kBlendOne = 2, kBlendSrcColour = 3, kBlendInvSrcColour = 4,
    kBlendSrcAlpha = 5, kBlendInvSrcAlpha = 6, kBlendDestAlpha = 7, kBlendInvDestAlpha = 8,
    kBlendDestColour = 9, kBlendInvDestColour = 10,
};

enum Compare : std::uint32_t {
    kCmpNever = 1, kCmpLess = 2, kCmpEqual = 3, kCmpLessEqual = 4,
    kCmpGreater = 5, kCmpNotEqual = 6, kCmpGreaterEqual = 7, kCmpAlways = 8,
};

enum Cull : std::uint32_t { kCullNone = 1, kCullClockwise = 2, kCullCounterClockwise = 3 };

// Every backend starts from the fixed function's defaults: depth test and
// writes on, LESSEQUAL, solid fill, no blending (one, zero), counter-clockwise
// culling, alpha test always, lighting and vertex colour on, the rest 0.
void setDefaultRenderStates(std::uint32_t (&states)[kRsCount]);

// Texture stage 0 operations (colour and alpha), as the fixed function has
// them. Defaults: colour = texture * diffuse, alpha = texture alpha (diffuse
// alpha when no texture is bound).
enum TextureStageState : int { kTssColourOp = 1, kTssAlphaOp = 4 };
enum TextureOp : std::uint32_t { kTopDisable = 1, kTopSelectTexture = 2, kTopSelectDiffuse = 3, kTopModulate = 4 };

// Clear flags.
constexpr std::uint32_t kClearTarget = 1;
constexpr std::uint32_t kClearDepth = 2;
constexpr std::uint32_t kClearStencil = 4;

enum class TextureFormat { A8R8G8B8, A4R4G4B4, R5G6B5 };

// A texture: loaded from a bitmap (stretched to power-of-two sides, the size
// the drawing code's source rectangles refer to), or a render target.
class Texture {
public:
    virtual ~Texture() = default;
    virtual int width() const = 0;        // loaded (power-of-two) size
    virtual int height() const = 0;
    virtual int imageWidth() const = 0;   // the bitmap's own size
    virtual int imageHeight() const = 0;
    virtual bool isRenderTarget() const = 0;
};

// A mesh with its materials, drawn subset by subset (one subset per material).
class Mesh {
public:
    virtual ~Mesh() = default;
    virtual int materialCount() const = 0;
    virtual const Material& material(int index) const = 0;
    // Texture file names of the materials are not used by the game.
    virtual void drawSubset(int index) = 0;
};

// A vertex buffer of `Vertex`, filled by lock/unlock and drawn by the device.
class VertexBuffer {
public:
    virtual ~VertexBuffer() = default;
    virtual int count() const = 0;
    virtual Vertex* lock() = 0;   // null when it fails
    virtual void unlock() = 0;
};

// Sprite batcher: 2D pictures in back-buffer pixels. Between begin and end
// it draws with alpha blending on, depth test off, no lighting, and restores
// the device's render states at end.
class Sprite {
public:
    virtual ~Sprite() = default;
    virtual int begin() = 0;
    // Draws `src` of the texture (whole texture when null). The picture is
    // scaled by `scale` (1,1 when null) about its top-left corner, rotated by
    // `rotation` radians (clockwise on screen) about `rotationCentre` (in the
    // scaled picture's pixels; origin when null), then moved by `translation`.
    // `colour` modulates the texels (alpha = opacity).
    virtual int draw(Texture* texture, const Rect* src, const Vec2* scale, const Vec2* rotationCentre, float rotation,
                     const Vec2* translation, Colour colour) = 0;
    virtual int end() = 0;
};

// Text format flags.
constexpr std::uint32_t kDtLeft = 0x0;
constexpr std::uint32_t kDtCentre = 0x1;
constexpr std::uint32_t kDtRight = 0x2;
constexpr std::uint32_t kDtVCentre = 0x4;
constexpr std::uint32_t kDtBottom = 0x8;
constexpr std::uint32_t kDtWordBreak = 0x10;
constexpr std::uint32_t kDtSingleLine = 0x20;
constexpr std::uint32_t kDtNoClip = 0x100;
constexpr std::uint32_t kDtCalcRect = 0x400;
constexpr std::uint32_t kDtEndEllipsis = 0x8000;
constexpr std::uint32_t kDtWordEllipsis = 0x40000;

struct FontDesc {
    int height;        // GDI cell height in pixels (ascent plus descent)
    int width;         // 0 = the face's own proportions
    int weight;        // 400 normal, 700 bold
    bool italic;
    std::string face;  // Shift-JIS face name as the game names it ("ＭＳ Ｐゴシック", "MS UI Gothic", ...)
};

// A font: draws Shift-JIS text into the current render target.
class Font {
public:
    virtual ~Font() = default;
    virtual int begin() = 0;
    // Draws `text` (Shift-JIS, `length` bytes, -1 = zero-terminated) into
    // `rect` with the format flags; returns the text height in pixels (0 on
    // failure). With kDtCalcRect it only measures, writing the extent to rect.
    virtual int drawText(const char* text, int length, Rect* rect, std::uint32_t format, Colour colour) = 0;
    virtual int end() = 0;
};

// The device. One instance for the program's life.
class Device {
public:
    virtual ~Device() = default;

    // Frame.
    virtual int beginScene() = 0;
    virtual int endScene() = 0;
    // Shows the back buffer (scaled to the window) and paces to 60 Hz when
    // pacing is on.
    virtual int present() = 0;
    virtual int clear(std::uint32_t flags, Colour colour, float z, std::uint32_t stencil) = 0;

    // Render targets: null selects the back buffer. Switching resets the
    // viewport to the whole target.
    virtual int setRenderTarget(Texture* target) = 0;
    virtual Texture* renderTarget() const = 0;
    virtual int setViewport(const Viewport& viewport) = 0;
    virtual Viewport viewport() const = 0;

    // Fixed-function state.
    virtual void setTransform(TransformKind kind, const Matrix& matrix) = 0;
    virtual Matrix transform(TransformKind kind) const = 0;
    virtual void setRenderState(RenderState state, std::uint32_t value) = 0;
    virtual std::uint32_t renderState(RenderState state) const = 0;
    virtual void setTextureStageState(TextureStageState state, std::uint32_t value) = 0;
    virtual void setTexture(Texture* texture) = 0;
    virtual void setLight(int index, const Light& light) = 0;
    virtual void enableLight(int index, bool enable) = 0;
    virtual void setMaterial(const Material& material) = 0;

    // Drawing.
    virtual int drawPrimitive(Primitive type, VertexBuffer* buffer, int startVertex, int primitiveCount) = 0;
    virtual int drawPrimitiveUp(Primitive type, int primitiveCount, const Vertex* vertices) = 0;
    virtual int drawScreenPrimitiveUp(Primitive type, int primitiveCount, const ScreenVertex* vertices) = 0;

    // Resources. Failures return null and write a result code to *result when
    // it is given. Release with delete (unique_ptr).
    // A bitmap file (8-bit palettised, 24- or 32-bit BMP); keyed: pure black
    // (0,0,0) becomes transparent before the picture is stretched to
    // power-of-two sides. A missing file fails with kFail, a corrupt one with
    // kInvalidData, one too large with kOutOfMemory.
    virtual std::unique_ptr<Texture> createTextureFromFile(const std::string& path, bool keyed, TextureFormat format,
                                                           int* result = nullptr) = 0;
    // A texture from 32-bit ARGB pixels (row 0 at the top), stretched likewise.
    virtual std::unique_ptr<Texture> createTextureFromPixels(const std::uint32_t* argb, int width, int height,
                                                             TextureFormat format, int* result = nullptr) = 0;
    virtual std::unique_ptr<Texture> createRenderTarget(int width, int height, TextureFormat format,
                                                        int* result = nullptr) = 0;
    virtual std::unique_ptr<VertexBuffer> createVertexBuffer(int vertexCount, int* result = nullptr) = 0;
    // A text .x mesh file (frames flattened, materials kept).
    virtual std::unique_ptr<Mesh> loadMesh(const std::string& path, int* result = nullptr) = 0;
    virtual std::unique_ptr<Sprite> createSprite(int* result = nullptr) = 0;
    virtual std::unique_ptr<Font> createFont(const FontDesc& desc, int* result = nullptr) = 0;

    // Reads the back buffer as ARGB, row 0 at the top (640 x 480). The null
    // backend returns false.
    virtual bool readBackBuffer(std::vector<std::uint32_t>& argb) = 0;
    // Reads a render-target texture likewise (its own size, row 0 at the
    // top); false for other textures and on the null backend.
    virtual bool readRenderTarget(Texture* target, std::vector<std::uint32_t>& argb) = 0;
    // A hint that `texture` (made by createTextureFromFile) is drawn soon:
    // its file is read, keyed and stretched on another thread from now, so
    // the frame that first draws it does not. Ignored by the null backend,
    // for other textures and for pictures already read.
    virtual void prefetch(Texture* /*texture*/) {}
    // A hint that a screen with sprites, text and 3D quads comes next: the
    // draw states they use are compiled ahead, a few at each present, so
    // the first frame that draws with one does not pay for it. Ignored by
    // the null backend.
    virtual void prepareDrawStates() {}
    // A hint that text in `desc` is drawn soon: its face is opened at a
    // coming present, not by the frame that first draws with it. Ignored by
    // the null backend.
    virtual void prepareFont(const FontDesc& /*desc*/) {}
    // Waits until everything drawn so far is on the target (benches time
    // real work with it; present alone may return before drawing ends).
    virtual void finish() {}
};

struct DeviceOptions {
    bool lowSpec = false;     // R5G6B5 back buffer in full screen, A4R4G4B4 textures
    bool fullScreen = false;
    bool paced = true;        // hold 60 frames a second in present
};

// The OpenGL device on the game window (platform/App must have made it), or
// null with *result negative when no context works.
std::unique_ptr<Device> createGlDevice(const DeviceOptions& options, int* result);
// The device that draws nothing: for logic tests and benches.
std::unique_ptr<Device> createNullDevice(const DeviceOptions& options);

}  // namespace gfx
