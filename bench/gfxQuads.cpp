// Frame times of the GL device headless (SDL offscreen, Mesa's software
// rasteriser where there is no GPU), with every frame finished on the GPU so
// the numbers are real:
//   bare      clear and present
//   terrain   10,000 quads, each its own world transform, through the shared
//             4-vertex buffer (the field's terrain pattern)
//   sprites   300 sprites from one sheet, then 300 alternating three sheets
//   text      40 lines through fonts made and released every frame
// Usage: gfxQuads [frames]   (default 60)
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <time.h>
#include <vector>

#include "bench/FrameTiming.h"
#include "platform/Gfx.h"
#include "platform/Window.h"

namespace {

std::vector<gfx::Colour> checker(int w, int h, gfx::Colour a, gfx::Colour b) {
    std::vector<gfx::Colour> p(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p[static_cast<std::size_t>(y) * w + x] = ((x / 8 + y / 8) % 2) ? a : b;
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    auto device = bench::openHeadlessGlDevice("gfxQuads");
    if (!device) return 1;

    const auto atlasPixels = checker(640, 320, 0xFF408040u, 0xFF806040u);
    auto atlas = device->createTextureFromPixels(atlasPixels.data(), 640, 320, gfx::TextureFormat::A8R8G8B8);
    std::unique_ptr<gfx::Texture> sheets[3];
    for (int i = 0; i < 3; ++i) {
        const auto p = checker(320, 400, 0xFFFFFFFFu, i == 0 ? 0xFF000000u : 0xFF202020u * (i + 1));
        sheets[i] = device->createTextureFromPixels(p.data(), 320, 400, gfx::TextureFormat::A8R8G8B8);
    }
    auto quad = device->createVertexBuffer(4);
    gfx::Vertex* v = quad->lock();
    v[0] = {-0.5f, 0, 0.5f, 0xFFFFFFFFu, 0.05f, 0.1f};
    v[1] = {0.5f, 0, 0.5f, 0xFFFFFFFFu, 0.1f, 0.1f};
    v[2] = {-0.5f, 0, -0.5f, 0xFFFFFFFFu, 0.05f, 0.2f};
    v[3] = {0.5f, 0, -0.5f, 0xFFFFFFFFu, 0.1f, 0.2f};
    quad->unlock();
    auto sprite = device->createSprite();

    device->setRenderState(gfx::kRsLighting, 0);
    device->setRenderState(gfx::kRsCullMode, gfx::kCullNone);
    device->setTransform(gfx::TransformKind::View,
                         gfx::matrixLookAtLH({50, 30, -20}, {50, 0, 30}, {0, 1, 0}));
    device->setTransform(gfx::TransformKind::Projection,
                         gfx::matrixPerspectiveFovLH(static_cast<float>(M_PI / 4), 640.0f / 480.0f, 1.0f, 500.0f));

    bench::timeFrames(*device, "bare clear+present", frames, bench::FrameEnd::finish, [] {});

    bench::timeFrames(*device, "terrain 10000 quads", frames, bench::FrameEnd::finish, [&] {
        device->setTexture(atlas.get());
        for (int r = 0; r < 100; ++r)
            for (int c = 0; c < 100; ++c) {
                device->setTransform(gfx::TransformKind::World, gfx::matrixTranslation(c * 1.0f, 0, r * 1.0f));
                device->drawPrimitive(gfx::Primitive::TriangleStrip, quad.get(), 0, 2);
            }
    });

    bench::timeFrames(*device, "sprites 300 one sheet", frames, bench::FrameEnd::finish, [&] {
        sprite->begin();
        for (int i = 0; i < 300; ++i) {
            const gfx::Rect src{(i % 10) * 32, (i / 10 % 10) * 40, (i % 10) * 32 + 32, (i / 10 % 10) * 40 + 40};
            const gfx::Vec2 at{static_cast<float>((i * 37) % 600), static_cast<float>((i * 53) % 440)};
            sprite->draw(sheets[0].get(), &src, nullptr, nullptr, 0, &at, 0xFFFFFFFFu);
        }
        sprite->end();
    });

    bench::timeFrames(*device, "sprites 300 3 sheets", frames, bench::FrameEnd::finish, [&] {
        sprite->begin();
        for (int i = 0; i < 300; ++i) {
            const gfx::Rect src{0, 0, 32, 40};
            const gfx::Vec2 at{static_cast<float>((i * 37) % 600), static_cast<float>((i * 53) % 440)};
            sprite->draw(sheets[i % 3].get(), &src, nullptr, nullptr, 0, &at, 0xFFFFFFFFu);
        }
        sprite->end();
    });

    bench::timeFrames(*device, "text 40 lines", frames, bench::FrameEnd::finish, [&] {
        auto font = device->createFont(gfx::FontDesc{18, 0, 700, false, "\x82\x6c\x82\x72 \x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e"});
        font->begin();
        for (int i = 0; i < 40; ++i) {
            gfx::Rect r{10 + (i % 2) * 320, 10 + (i / 2) * 22, 320 + (i % 2) * 320, 32 + (i / 2) * 22};
            const std::string line = "Line " + std::to_string(i) + " \x8a\xbf\x8e\x9a";
            font->drawText(line.c_str(), -1, &r, gfx::kDtLeft, 0xFFFFFFFFu);
        }
        font->end();
    });

    device.reset();
    window::closeWindow();
    return 0;
}
