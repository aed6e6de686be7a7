// The device that draws nothing: every call succeeds cheaply, so that logic
// tests and benches run the real screens without a window. Files are still
// read far enough to fail as the GL device fails (a missing bitmap or mesh).
#include <algorithm>
#include <cstring>

#include "platform/Bitmap.h"
#include "platform/FontLayout.h"
#include "platform/Gfx.h"
#include "platform/XMesh.h"

namespace gfx {
namespace {

void setResult(int* result, int value) {
    if (result != nullptr) *result = value;
}

class NullTexture final : public Texture {
public:
    NullTexture(int w, int h, int imageW, int imageH, bool target)
        : w_(w), h_(h), imageW_(imageW), imageH_(imageH), target_(target) {}
    int width() const override { return w_; }
    int height() const override { return h_; }
    int imageWidth() const override { return imageW_; }
    int imageHeight() const override { return imageH_; }
    bool isRenderTarget() const override { return target_; }

private:
    int w_, h_, imageW_, imageH_;
    bool target_;
};

class NullVertexBuffer final : public VertexBuffer {
public:
    explicit NullVertexBuffer(int n) : vertices_(static_cast<std::size_t>(n)) {}
    int count() const override { return static_cast<int>(vertices_.size()); }
    Vertex* lock() override { return vertices_.data(); }
    void unlock() override {}

private:
    std::vector<Vertex> vertices_;
};

class NullMesh final : public Mesh {
public:
    explicit NullMesh(std::vector<Material> materials) : materials_(std::move(materials)) {}
    int materialCount() const override { return static_cast<int>(materials_.size()); }
    const Material& material(int index) const override {
        return materials_[static_cast<std::size_t>(std::clamp(index, 0, materialCount() - 1))];
    }
    void drawSubset(int) override {}

private:
    std::vector<Material> materials_;
};

class NullSprite final : public Sprite {
public:
    int begin() override { return kOk; }
    int draw(Texture* texture, const Rect*, const Vec2*, const Vec2*, float, const Vec2*, Colour) override {
        return texture != nullptr ? kOk : kInvalidCall;
    }
    int end() override { return kOk; }
};

// Measures as a fixed-pitch face would: a one-byte character is half the
// height wide, a two-byte one the whole height.
class NullFont final : public Font {
public:
    explicit NullFont(const FontDesc& desc) : height_(std::max(1, desc.height)) {}
    int begin() override { return kOk; }
    int drawText(const char* text, int length, Rect* rect, std::uint32_t format, Colour) override {
        if (text == nullptr || rect == nullptr) return 0;
        const std::string s = length >= 0 ? std::string(text, static_cast<std::size_t>(length)) : std::string(text);
        const int h = height_;
        const fontlayout::Layout layout = fontlayout::layoutText(
            s, rect->right - rect->left, rect->bottom - rect->top, format, h, [h](const std::string& line) {
                int w = 0;
                for (std::size_t i = 0; i < line.size();) {
                    const int n = fontlayout::characterLength(line.data() + i, static_cast<int>(line.size() - i));
                    w += n == 2 ? h : h / 2;
                    i += static_cast<std::size_t>(n);
                }
                return w;
            });
        if (format & kDtCalcRect) {
            rect->right = rect->left + layout.width;
            rect->bottom = rect->top + layout.height;
        }
        return layout.height;
    }
    int end() override { return kOk; }

private:
    int height_;
};

class NullDevice final : public Device {
public:
    NullDevice() {
        setDefaultRenderStates(states_);
        for (Matrix& m : transforms_) m = matrixIdentity();
        viewport_ = Viewport{0, 0, kBackBufferWidth, kBackBufferHeight, 0.0f, 1.0f};
    }

    int beginScene() override { return kOk; }
    int endScene() override { return kOk; }
    int present() override { return kOk; }
    int clear(std::uint32_t, Colour, float, std::uint32_t) override { return kOk; }

    int setRenderTarget(Texture* target) override {
        if (target != nullptr && !target->isRenderTarget()) return kInvalidCall;
        target_ = target;
        viewport_ = Viewport{0, 0, target ? target->width() : kBackBufferWidth,
                             target ? target->height() : kBackBufferHeight, 0.0f, 1.0f};
        return kOk;
    }
    Texture* renderTarget() const override { return target_; }
    int setViewport(const Viewport& viewport) override {
        viewport_ = viewport;
        return kOk;
    }
    Viewport viewport() const override { return viewport_; }

    void setTransform(TransformKind kind, const Matrix& matrix) override { transforms_[slot(kind)] = matrix; }
    Matrix transform(TransformKind kind) const override { return transforms_[slot(kind)]; }
    void setRenderState(RenderState state, std::uint32_t value) override {
        if (state >= 0 && state < kRsCount) states_[state] = value;
    }
    std::uint32_t renderState(RenderState state) const override {
        return state >= 0 && state < kRsCount ? states_[state] : 0;
    }
    void setTextureStageState(TextureStageState, std::uint32_t) override {}
    void setTexture(Texture*) override {}
    void setLight(int, const Light&) override {}
    void enableLight(int, bool) override {}
    void setMaterial(const Material&) override {}

    int drawPrimitive(Primitive, VertexBuffer* buffer, int, int) override { return buffer ? kOk : kInvalidCall; }
    int drawPrimitiveUp(Primitive, int, const Vertex* vertices) override { return vertices ? kOk : kInvalidCall; }
    int drawScreenPrimitiveUp(Primitive, int, const ScreenVertex* vertices) override {
        return vertices ? kOk : kInvalidCall;
    }

    std::unique_ptr<Texture> createTextureFromFile(const std::string& path, bool, TextureFormat, int* result) override {
        int w = 0, h = 0;
        const int r = bitmap::readBmpSize(path, w, h);
        setResult(result, r);
        if (r != bitmap::kOk) return nullptr;
        return std::make_unique<NullTexture>(bitmap::nextPowerOfTwo(w), bitmap::nextPowerOfTwo(h), w, h, false);
    }
    std::unique_ptr<Texture> createTextureFromPixels(const std::uint32_t* argb, int width, int height, TextureFormat,
                                                     int* result) override {
        if (argb == nullptr || width <= 0 || height <= 0 || width > bitmap::kMaxSide || height > bitmap::kMaxSide) {
            setResult(result, kInvalidCall);
            return nullptr;
        }
        setResult(result, kOk);
        return std::make_unique<NullTexture>(bitmap::nextPowerOfTwo(width), bitmap::nextPowerOfTwo(height), width,
                                             height, false);
    }
    std::unique_ptr<Texture> createRenderTarget(int width, int height, TextureFormat, int* result) override {
        if (width <= 0 || height <= 0 || width > bitmap::kMaxSide || height > bitmap::kMaxSide) {
            setResult(result, kInvalidCall);
            return nullptr;
        }
        setResult(result, kOk);
        return std::make_unique<NullTexture>(width, height, width, height, true);
    }
    std::unique_ptr<VertexBuffer> createVertexBuffer(int vertexCount, int* result) override {
        if (vertexCount <= 0) {
            setResult(result, kInvalidCall);
            return nullptr;
        }
        setResult(result, kOk);
        return std::make_unique<NullVertexBuffer>(vertexCount);
    }
    std::unique_ptr<Mesh> loadMesh(const std::string& path, int* result) override {
        xmesh::MeshData data;
        const int r = xmesh::loadXMeshFile(path, data);
        setResult(result, r);
        if (r != xmesh::kOk) return nullptr;
        return std::make_unique<NullMesh>(std::move(data.materials));
    }
    std::unique_ptr<Sprite> createSprite(int* result) override {
        setResult(result, kOk);
        return std::make_unique<NullSprite>();
    }
    std::unique_ptr<Font> createFont(const FontDesc& desc, int* result) override {
        setResult(result, kOk);
        return std::make_unique<NullFont>(desc);
    }

    bool readBackBuffer(std::vector<std::uint32_t>&) override { return false; }
    bool readRenderTarget(Texture*, std::vector<std::uint32_t>&) override { return false; }

private:
    static int slot(TransformKind kind) {
        switch (kind) {
        case TransformKind::View: return 0;
        case TransformKind::Projection: return 1;
        default: return 2;
        }
    }

    std::uint32_t states_[kRsCount];
    Matrix transforms_[3];
    Viewport viewport_{};
    Texture* target_ = nullptr;
};

}  // namespace

std::unique_ptr<Device> createNullDevice(const DeviceOptions&) { return std::make_unique<NullDevice>(); }

}  // namespace gfx
