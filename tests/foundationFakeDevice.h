// A graphics device for the foundation's tests: draws nothing, records the
// frame calls in order, and can be told to fail its clear.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Gfx.h"

class RecordingDevice final : public gfx::Device {
public:
    std::vector<std::string> calls;
    bool failClear = false;
    gfx::Colour clearColour = 0;
    std::uint32_t clearFlags = 0;
    float clearDepth = -1.0f;
    std::uint32_t clearStencil = 99;

    int beginScene() override { return note("begin"); }
    int endScene() override { return note("end"); }
    int present() override { return note("present"); }
    int clear(std::uint32_t flags, gfx::Colour colour, float z, std::uint32_t stencil) override {
        calls.push_back("clear");
        clearFlags = flags;
        clearColour = colour;
        clearDepth = z;
        clearStencil = stencil;
        return failClear ? gfx::kFail : gfx::kOk;
    }
    int setRenderTarget(gfx::Texture*) override { return gfx::kOk; }
    gfx::Texture* renderTarget() const override { return nullptr; }
    int setViewport(const gfx::Viewport&) override { return gfx::kOk; }
    gfx::Viewport viewport() const override { return {0, 0, 640, 480, 0.0f, 1.0f}; }
    void setTransform(gfx::TransformKind, const gfx::Matrix&) override {}
    gfx::Matrix transform(gfx::TransformKind) const override { return gfx::matrixIdentity(); }
    void setRenderState(gfx::RenderState, std::uint32_t) override {}
    std::uint32_t renderState(gfx::RenderState) const override { return 0; }
    void setTextureStageState(gfx::TextureStageState, std::uint32_t) override {}
    void setTexture(gfx::Texture*) override {}
    void setLight(int, const gfx::Light&) override {}
    void enableLight(int, bool) override {}
    void setMaterial(const gfx::Material&) override {}
    int drawPrimitive(gfx::Primitive, gfx::VertexBuffer*, int, int) override { return gfx::kOk; }
    int drawPrimitiveUp(gfx::Primitive, int, const gfx::Vertex*) override { return gfx::kOk; }
    int drawScreenPrimitiveUp(gfx::Primitive, int, const gfx::ScreenVertex*) override { return gfx::kOk; }
    std::unique_ptr<gfx::Texture> createTextureFromFile(const std::string&, bool, gfx::TextureFormat, int*) override { return nullptr; }
    std::unique_ptr<gfx::Texture> createTextureFromPixels(const std::uint32_t*, int, int, gfx::TextureFormat, int*) override { return nullptr; }
    std::unique_ptr<gfx::Texture> createRenderTarget(int, int, gfx::TextureFormat, int*) override { return nullptr; }
    std::unique_ptr<gfx::VertexBuffer> createVertexBuffer(int, int*) override { return nullptr; }
    std::unique_ptr<gfx::Mesh> loadMesh(const std::string&, int*) override { return nullptr; }
    std::unique_ptr<gfx::Sprite> createSprite(int*) override { return nullptr; }
    std::unique_ptr<gfx::Font> createFont(const gfx::FontDesc&, int*) override { return nullptr; }
    bool readBackBuffer(std::vector<std::uint32_t>&) override { return false; }
    bool readRenderTarget(gfx::Texture*, std::vector<std::uint32_t>&) override { return false; }

private:
    int note(const char* what) {
        calls.push_back(what);
        return gfx::kOk;
    }
};
