// A graphics device for tests that draws nothing and records what the game
// asks of it: render-target switches, clears, sprite draws with their source
// rectangles, scales, positions and colours, texts with their format flags,
// resources made, and failures on demand.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Gfx.h"

namespace testing_gfx {

class RecordedTexture : public gfx::Texture {
public:
    RecordedTexture(std::string name, int width, int height, bool target, bool keyed, gfx::TextureFormat format)
        : name(std::move(name)), w(width), h(height), target(target), keyed(keyed), format(format) {}
    int width() const override { return w; }
    int height() const override { return h; }
    int imageWidth() const override { return w; }
    int imageHeight() const override { return h; }
    bool isRenderTarget() const override { return target; }

    std::string name;  // the file path, or "target WxH"
    int w, h;
    bool target, keyed;
    gfx::TextureFormat format;
};

struct SpriteDraw {
    gfx::Texture* texture;
    bool hasSrc;
    gfx::Rect src;
    gfx::Vec2 scale;        // (1, 1) when none was given
    gfx::Vec2 translation;  // (0, 0) when none was given
    gfx::Colour colour;
    gfx::Texture* renderTarget;  // where the draw went
};

struct TextDraw {
    std::string text;
    gfx::Rect rect;
    std::uint32_t format;
    gfx::Colour colour;
    gfx::Texture* renderTarget;
    gfx::FontDesc font;
};

// One line per call of interest, in order ("begin", "draw", "end",
// "target <name>", "clear", "text", "font+", "font-").
using CallLog = std::vector<std::string>;

class RecordingDevice : public gfx::Device {
public:
    // Failures to inject: a render target of this size fails with this code.
    struct TargetFailure {
        int width, height, result;
    };
    std::vector<TargetFailure> targetFailures;
    std::string failingTexturePath;   // createTextureFromFile fails for this path
    std::string failingMeshPath;      // loadMesh fails for this path
    bool failVertexBuffer = false;

    CallLog calls;
    std::vector<SpriteDraw> spriteDraws;
    std::vector<TextDraw> textDraws;
    std::vector<std::string> texturesLoaded;  // paths, in order
    std::vector<std::string> meshesLoaded;
    std::vector<std::pair<gfx::RenderState, std::uint32_t>> renderStateCalls;
    std::map<int, gfx::Light> lights;
    std::map<int, bool> lightsEnabled;
    gfx::Viewport currentViewport{0, 0, 640, 480, 0.0f, 1.0f};
    gfx::Matrix view = gfx::matrixIdentity();
    gfx::Matrix projection = gfx::matrixIdentity();
    gfx::Texture* currentTarget = nullptr;
    int liveFonts = 0;

    std::string targetName(const gfx::Texture* t) const {
        if (t == nullptr) return "back";
        const auto* r = dynamic_cast<const RecordedTexture*>(t);
        return r ? r->name : "?";
    }

    int beginScene() override { return 0; }
    int endScene() override { return 0; }
    int present() override { return 0; }
    int clear(std::uint32_t flags, gfx::Colour colour, float z, std::uint32_t stencil) override {
        calls.push_back("clear " + targetName(currentTarget) + " " + std::to_string(flags) + " " +
                        std::to_string(colour) + " " + std::to_string(z) + " " + std::to_string(stencil));
        return 0;
    }
    int setRenderTarget(gfx::Texture* target) override {
        currentTarget = target;
        calls.push_back("target " + targetName(target));
        return 0;
    }
    gfx::Texture* renderTarget() const override { return currentTarget; }
    int setViewport(const gfx::Viewport& v) override {
        currentViewport = v;
        return 0;
    }
    gfx::Viewport viewport() const override { return currentViewport; }
    void setTransform(gfx::TransformKind kind, const gfx::Matrix& m) override {
        if (kind == gfx::TransformKind::View) view = m;
        if (kind == gfx::TransformKind::Projection) projection = m;
    }
    gfx::Matrix transform(gfx::TransformKind kind) const override {
        return kind == gfx::TransformKind::View ? view : kind == gfx::TransformKind::Projection ? projection : gfx::matrixIdentity();
    }
    void setRenderState(gfx::RenderState state, std::uint32_t value) override {
        renderStateCalls.emplace_back(state, value);
        states[state] = value;
    }
    std::uint32_t renderState(gfx::RenderState state) const override {
        const auto it = states.find(state);
        return it == states.end() ? 0 : it->second;
    }
    void setTextureStageState(gfx::TextureStageState, std::uint32_t) override {}
    void setTexture(gfx::Texture*) override {}
    void setLight(int index, const gfx::Light& light) override { lights[index] = light; }
    void enableLight(int index, bool enable) override { lightsEnabled[index] = enable; }
    void setMaterial(const gfx::Material&) override {}
    int drawPrimitive(gfx::Primitive, gfx::VertexBuffer*, int, int) override { return 0; }
    int drawPrimitiveUp(gfx::Primitive, int, const gfx::Vertex*) override { return 0; }
    int drawScreenPrimitiveUp(gfx::Primitive, int, const gfx::ScreenVertex*) override { return 0; }

    std::unique_ptr<gfx::Texture> createTextureFromFile(const std::string& path, bool keyed, gfx::TextureFormat format,
                                                        int* result) override {
        texturesLoaded.push_back(path);
        if (path == failingTexturePath) {
            if (result) *result = gfx::kFail;
            return nullptr;
        }
        if (result) *result = 0;
        return std::make_unique<RecordedTexture>(path, 64, 64, false, keyed, format);
    }
    std::unique_ptr<gfx::Texture> createTextureFromPixels(const std::uint32_t*, int width, int height,
                                                          gfx::TextureFormat format, int* result) override {
        if (result) *result = 0;
        return std::make_unique<RecordedTexture>("pixels", width, height, false, false, format);
    }
    std::unique_ptr<gfx::Texture> createRenderTarget(int width, int height, gfx::TextureFormat format,
                                                     int* result) override {
        for (const TargetFailure& f : targetFailures) {
            if (f.width == width && f.height == height) {
                if (result) *result = f.result;
                return nullptr;
            }
        }
        if (result) *result = 0;
        calls.push_back("made target " + std::to_string(width) + "x" + std::to_string(height));
        return std::make_unique<RecordedTexture>("target " + std::to_string(width) + "x" + std::to_string(height),
                                                 width, height, true, false, format);
    }
    std::unique_ptr<gfx::VertexBuffer> createVertexBuffer(int vertexCount, int* result) override;
    std::unique_ptr<gfx::Mesh> loadMesh(const std::string& path, int* result) override;
    std::unique_ptr<gfx::Sprite> createSprite(int* result) override;
    std::unique_ptr<gfx::Font> createFont(const gfx::FontDesc& desc, int* result) override;
    bool readBackBuffer(std::vector<std::uint32_t>&) override { return false; }
    bool readRenderTarget(gfx::Texture*, std::vector<std::uint32_t>&) override { return false; }

private:
    std::map<gfx::RenderState, std::uint32_t> states;
};

class RecordingSprite : public gfx::Sprite {
public:
    explicit RecordingSprite(RecordingDevice& device) : device(device) {}
    int begin() override {
        device.calls.push_back("begin");
        return 0;
    }
    int draw(gfx::Texture* texture, const gfx::Rect* src, const gfx::Vec2* scale, const gfx::Vec2*, float,
             const gfx::Vec2* translation, gfx::Colour colour) override {
        SpriteDraw d{texture, src != nullptr, src ? *src : gfx::Rect{0, 0, 0, 0},
                     scale ? *scale : gfx::Vec2{1.0f, 1.0f}, translation ? *translation : gfx::Vec2{0.0f, 0.0f},
                     colour, device.currentTarget};
        device.spriteDraws.push_back(d);
        device.calls.push_back("draw " + device.targetName(texture));
        return 0;
    }
    int end() override {
        device.calls.push_back("end");
        return 0;
    }

private:
    RecordingDevice& device;
};

class RecordingFont : public gfx::Font {
public:
    RecordingFont(RecordingDevice& device, gfx::FontDesc desc) : device(device), desc(std::move(desc)) {
        ++device.liveFonts;
    }
    ~RecordingFont() override { --device.liveFonts; }
    int begin() override { return 0; }
    int drawText(const char* text, int length, gfx::Rect* rect, std::uint32_t format, gfx::Colour colour) override {
        device.textDraws.push_back(
            TextDraw{length < 0 ? std::string(text) : std::string(text, length), *rect, format, colour, device.currentTarget, desc});
        device.calls.push_back("text " + device.targetName(device.currentTarget));
        return desc.height;
    }
    int end() override { return 0; }

private:
    RecordingDevice& device;
    gfx::FontDesc desc;
};

class RecordingMesh : public gfx::Mesh {
public:
    int materialCount() const override { return 1; }
    const gfx::Material& material(int) const override { return m; }
    void drawSubset(int) override {}

private:
    gfx::Material m{};
};

class RecordingVertexBuffer : public gfx::VertexBuffer {
public:
    explicit RecordingVertexBuffer(int n) : vertices(static_cast<std::size_t>(n)) {}
    int count() const override { return static_cast<int>(vertices.size()); }
    gfx::Vertex* lock() override { return vertices.data(); }
    void unlock() override {}

private:
    std::vector<gfx::Vertex> vertices;
};

inline std::unique_ptr<gfx::VertexBuffer> RecordingDevice::createVertexBuffer(int vertexCount, int* result) {
    if (failVertexBuffer) {
        if (result) *result = gfx::kOutOfMemory;
        return nullptr;
    }
    if (result) *result = 0;
    return std::make_unique<RecordingVertexBuffer>(vertexCount);
}

inline std::unique_ptr<gfx::Mesh> RecordingDevice::loadMesh(const std::string& path, int* result) {
    meshesLoaded.push_back(path);
    if (path == failingMeshPath) {
        if (result) *result = gfx::kFail;
        return nullptr;
    }
    if (result) *result = 0;
    return std::make_unique<RecordingMesh>();
}

inline std::unique_ptr<gfx::Sprite> RecordingDevice::createSprite(int* result) {
    if (result) *result = 0;
    return std::make_unique<RecordingSprite>(*this);
}

inline std::unique_ptr<gfx::Font> RecordingDevice::createFont(const gfx::FontDesc& desc, int* result) {
    if (result) *result = 0;
    calls.push_back("font+");
    return std::make_unique<RecordingFont>(*this, desc);
}

}  // namespace testing_gfx
