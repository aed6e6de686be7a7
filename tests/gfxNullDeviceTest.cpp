#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/Gfx.h"

namespace {

std::string writeFile(const std::string& name, const std::string& bytes) {
    const std::string path = testing::TempDir() + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}

// A 14 x 12 24-bit BMP: the pointer hand's size.
std::string handBmp() {
    const int w = 14, h = 12, stride = 44;
    std::string b(54 + stride * h, '\0');
    auto put32 = [&](int at, std::uint32_t v) { for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i)); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<std::uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    b[26] = 1;
    b[28] = 24;
    return b;
}

TEST(GfxNullDevice, TexturesReportPowerOfTwoSizesAndMissingFilesFail) {
    auto device = gfx::createNullDevice(gfx::DeviceOptions{});
    int result = 1;
    auto texture = device->createTextureFromFile(writeFile("gfxNullHand.bmp", handBmp()), true,
                                                 gfx::TextureFormat::A8R8G8B8, &result);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(result, gfx::kOk);
    EXPECT_EQ(texture->width(), 16);
    EXPECT_EQ(texture->height(), 16);
    EXPECT_EQ(texture->imageWidth(), 14);
    EXPECT_EQ(device->createTextureFromFile("/nonexistent/Bitmap_1.bmp", false, gfx::TextureFormat::A8R8G8B8, &result),
              nullptr);
    EXPECT_LT(result, 0);
    EXPECT_EQ(device->createTextureFromFile(writeFile("gfxNullBad.bmp", "BMxx"), false, gfx::TextureFormat::A8R8G8B8,
                                            &result),
              nullptr);
    EXPECT_LT(result, 0);
    EXPECT_EQ(device->loadMesh("/nonexistent/Xfile_1.x", &result), nullptr);
    EXPECT_LT(result, 0);
}

TEST(GfxNullDevice, DrawsNothingButKeepsStateAndReadsNoPixels) {
    auto device = gfx::createNullDevice(gfx::DeviceOptions{});
    EXPECT_EQ(device->renderState(gfx::kRsZFunc), gfx::kCmpLessEqual);
    device->setRenderState(gfx::kRsAlphaRef, 127);
    EXPECT_EQ(device->renderState(gfx::kRsAlphaRef), 127u);
    auto target = device->createRenderTarget(320, 320, gfx::TextureFormat::A8R8G8B8);
    ASSERT_NE(target, nullptr);
    device->setViewport(gfx::Viewport{10, 10, 20, 20, 0, 1});
    EXPECT_EQ(device->setRenderTarget(target.get()), gfx::kOk);
    EXPECT_EQ(device->viewport().width, 320);
    EXPECT_EQ(device->setRenderTarget(nullptr), gfx::kOk);
    EXPECT_EQ(device->viewport().width, 640);
    EXPECT_EQ(device->clear(gfx::kClearTarget, 0, 1.0f, 0), gfx::kOk);
    EXPECT_EQ(device->present(), gfx::kOk);
    std::vector<std::uint32_t> pixels;
    EXPECT_FALSE(device->readBackBuffer(pixels));

    auto font = device->createFont(gfx::FontDesc{18, 0, 700, false, "MS UI Gothic"});
    gfx::Rect rect{0, 0, 200, 100};
    EXPECT_EQ(font->drawText("ab\ncd", -1, &rect, gfx::kDtCalcRect, 0xFFFFFFFFu), 36);
    EXPECT_EQ(rect.right, 18);
}

}  // namespace
