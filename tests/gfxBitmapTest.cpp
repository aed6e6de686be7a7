#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace {

void put16(std::vector<std::uint8_t>& b, std::size_t at, unsigned v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}
void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

// A BMP of the given depth from ARGB rows (row 0 on top). 8-bit pictures
// use a palette of the distinct colours in order of appearance.
std::vector<std::uint8_t> makeBmp(int w, int h, int bits, const std::vector<std::uint32_t>& argb, bool topDown = false) {
    std::vector<std::uint32_t> palette;
    if (bits == 8)
        for (std::uint32_t p : argb)
            if (std::find(palette.begin(), palette.end(), p) == palette.end()) palette.push_back(p);
    const std::size_t stride = ((static_cast<std::size_t>(w) * bits + 31) / 32) * 4;
    const std::size_t offset = 54 + palette.size() * 4;
    std::vector<std::uint8_t> b(offset + stride * h, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    put32(b, 10, static_cast<std::uint32_t>(offset));
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(w));
    put32(b, 22, static_cast<std::uint32_t>(topDown ? -h : h));
    put16(b, 26, 1);
    put16(b, 28, static_cast<unsigned>(bits));
    put32(b, 46, static_cast<std::uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) put32(b, 54 + 4 * i, palette[i] & 0xFFFFFF);
    for (int y = 0; y < h; ++y) {
        const int row = topDown ? y : h - 1 - y;
        std::uint8_t* dst = b.data() + offset + stride * row;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t p = argb[static_cast<std::size_t>(y) * w + x];
            if (bits == 8) {
                dst[x] = static_cast<std::uint8_t>(std::find(palette.begin(), palette.end(), p) - palette.begin());
            } else {
                const int n = bits / 8;
                dst[n * x] = p & 0xFF;
                dst[n * x + 1] = (p >> 8) & 0xFF;
                dst[n * x + 2] = (p >> 16) & 0xFF;
                if (n == 4) dst[n * x + 3] = 0x12;  // ignored: no alpha mask
            }
        }
    }
    return b;
}

const std::vector<std::uint32_t> kPicture = {
    0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu,  // top row
    0xFF000000u, 0xFF010000u, 0xFFFFFFFFu,
};

TEST(GfxBitmap, DecodesEveryDepthAndRowOrderWithRowZeroOnTop) {
    struct Case { int bits; bool topDown; };
    for (const Case c : {Case{24, false}, Case{24, true}, Case{32, false}, Case{32, true}, Case{8, false}, Case{8, true}}) {
        const auto bytes = makeBmp(3, 2, c.bits, kPicture, c.topDown);
        bitmap::Image image;
        ASSERT_EQ(bitmap::decodeBmp(bytes.data(), bytes.size(), image), bitmap::kOk) << c.bits << " " << c.topDown;
        EXPECT_EQ(image.width, 3);
        EXPECT_EQ(image.height, 2);
        EXPECT_EQ(image.argb, kPicture) << c.bits << " top-down " << c.topDown;
    }
}

TEST(GfxBitmap, ShortCorruptAndOversizedFilesFailWithACode) {
    const auto good = makeBmp(3, 2, 24, kPicture);
    bitmap::Image image;
    // Every truncation fails cleanly.
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_LT(bitmap::decodeBmp(good.data(), n, image), 0) << "length " << n;

    auto badMagic = good;
    badMagic[0] = 'X';
    EXPECT_EQ(bitmap::decodeBmp(badMagic.data(), badMagic.size(), image), bitmap::kCorrupt);
    auto badDepth = good;
    put16(badDepth, 28, 16);
    EXPECT_EQ(bitmap::decodeBmp(badDepth.data(), badDepth.size(), image), bitmap::kCorrupt);
    auto compressed = good;
    put32(compressed, 30, 1);
    EXPECT_EQ(bitmap::decodeBmp(compressed.data(), compressed.size(), image), bitmap::kCorrupt);
    auto zeroWidth = good;
    put32(zeroWidth, 18, 0);
    EXPECT_EQ(bitmap::decodeBmp(zeroWidth.data(), zeroWidth.size(), image), bitmap::kCorrupt);
    auto offsetPastEnd = good;
    put32(offsetPastEnd, 10, 0xFFFFFFF0u);
    EXPECT_EQ(bitmap::decodeBmp(offsetPastEnd.data(), offsetPastEnd.size(), image), bitmap::kCorrupt);
    auto huge = good;
    put32(huge, 18, 100000);
    put32(huge, 22, 100000);
    EXPECT_EQ(bitmap::decodeBmp(huge.data(), huge.size(), image), bitmap::kTooLarge);
    auto hugeNegative = good;
    put32(hugeNegative, 22, 0x80000000u);  // INT_MIN rows, top-down
    EXPECT_LT(bitmap::decodeBmp(hugeNegative.data(), hugeNegative.size(), image), 0);
    auto paletteTooLong = makeBmp(3, 2, 8, kPicture);
    put32(paletteTooLong, 46, 255);  // claims more entries than the file has before its pixels
    EXPECT_EQ(bitmap::decodeBmp(paletteTooLong.data(), paletteTooLong.size(), image), bitmap::kCorrupt);
}

TEST(GfxBitmap, HeaderOnlyReadGivesTheSidesAndMissingFilesFail) {
    const std::string path = testing::TempDir() + "gfxBitmapHeader.bmp";
    const auto bytes = makeBmp(3, 2, 24, kPicture);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    int w = 0, h = 0;
    EXPECT_EQ(bitmap::readBmpSize(path, w, h), bitmap::kOk);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    bitmap::Image image;
    EXPECT_EQ(bitmap::readBmpFile(path, image), bitmap::kOk);
    EXPECT_EQ(bitmap::readBmpSize(path + ".none", w, h), bitmap::kMissing);
    EXPECT_EQ(bitmap::readBmpFile(path + ".none", image), bitmap::kMissing);
    std::remove(path.c_str());
}

TEST(GfxBitmap, ColourKeyTakesOnlyPureBlack) {
    bitmap::Image image{3, 2, kPicture};
    bitmap::applyColourKey(image);
    EXPECT_EQ(image.argb[3], 0x00000000u);  // (0,0,0)
    EXPECT_EQ(image.argb[4], 0xFF010000u);  // near-black stays opaque
    EXPECT_EQ(image.argb[0], 0xFFFF0000u);
}

TEST(GfxBitmap, PowerOfTwoSidesFromTheDesignsBitmaps) {
    struct Case { int w, h, pw, ph; };
    for (const Case c : {Case{320, 400, 512, 512}, Case{640, 320, 1024, 512}, Case{14, 12, 16, 16},
                         Case{160, 128, 256, 128}, Case{96, 320, 128, 512}, Case{160, 160, 256, 256},
                         Case{64, 64, 64, 64}, Case{1, 1, 1, 1}}) {
        EXPECT_EQ(bitmap::nextPowerOfTwo(c.w), c.pw);
        EXPECT_EQ(bitmap::nextPowerOfTwo(c.h), c.ph);
    }
}

TEST(GfxBitmap, StretchFillsThePowerOfTwoPictureKeepingCornersAndKeyedHoles) {
    // 3 x 1: red, pure black (keyed), blue -> 4 x 1.
    bitmap::Image image{3, 1, {0xFFFF0000u, 0xFF000000u, 0xFF0000FFu}};
    bitmap::applyColourKey(image);
    const bitmap::Image out = bitmap::stretchToPowerOfTwo(image);
    ASSERT_EQ(out.width, 4);
    ASSERT_EQ(out.height, 1);
    EXPECT_EQ(out.argb[0], 0xFFFF0000u);  // the edges keep their colours
    EXPECT_EQ(out.argb[3], 0xFF0000FFu);
    // Inside, the transparent hole blends in: partly transparent.
    EXPECT_LT(out.argb[1] >> 24, 0xFFu);
    EXPECT_GT(out.argb[1] >> 24, 0u);
    // Already a power of two: unchanged.
    bitmap::Image square{2, 2, {1, 2, 3, 4}};
    EXPECT_EQ(bitmap::stretchToPowerOfTwo(square).argb, square.argb);
}

// The stretch as first written, one pixel at a time: the faster one must
// give the same pictures bit for bit (every texture's look depends on it).
bitmap::Image referenceStretch(const bitmap::Image& image, int width, int height) {
    bitmap::Image out{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    const double sx = static_cast<double>(image.width) / width, sy = static_cast<double>(image.height) / height;
    for (int y = 0; y < height; ++y) {
        const double fy = std::max(0.0, (y + 0.5) * sy - 0.5);
        const int y0 = std::min(static_cast<int>(fy), image.height - 1);
        const int y1 = y0 + 1 < image.height ? y0 + 1 : y0;
        for (int x = 0; x < width; ++x) {
            const double fx = std::max(0.0, (x + 0.5) * sx - 0.5);
            const int x0 = std::min(static_cast<int>(fx), image.width - 1);
            const int x1 = x0 + 1 < image.width ? x0 + 1 : x0;
            const auto at = [&](int yy, int xx) { return image.argb[static_cast<std::size_t>(yy) * image.width + xx]; };
            std::uint32_t result = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const double c00 = (at(y0, x0) >> shift) & 0xFF, c01 = (at(y0, x1) >> shift) & 0xFF;
                const double c10 = (at(y1, x0) >> shift) & 0xFF, c11 = (at(y1, x1) >> shift) & 0xFF;
                const double top = c00 + (c01 - c00) * (fx - x0);
                const double bottom = c10 + (c11 - c10) * (fx - x0);
                result |= static_cast<std::uint32_t>(std::lround(top + (bottom - top) * (fy - y0))) << shift;
            }
            out.argb[static_cast<std::size_t>(y) * width + x] = result;
        }
    }
    return out;
}

TEST(GfxBitmap, StretchGivesThePlainBilinearBlendBitForBit) {
    struct Case {
        int w, h, toW, toH;
    };
    std::uint32_t seed = 12345;
    const auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    for (const Case c : {Case{3, 1, 4, 1}, Case{20, 40, 32, 64}, Case{5, 7, 16, 8}, Case{16, 16, 8, 4},
                         Case{10, 5, 16, 8}, Case{1, 1, 4, 4}, Case{33, 3, 64, 4}}) {
        bitmap::Image image{c.w, c.h, std::vector<std::uint32_t>(static_cast<std::size_t>(c.w) * c.h)};
        // Noise with flat patches, keyed holes and channels one apart (halves).
        for (std::size_t i = 0; i < image.argb.size(); ++i) {
            const std::uint32_t r = next() >> 8;
            image.argb[i] = r % 5 == 0 ? 0xFF808080u : r % 7 == 0 ? 0u : r % 3 == 0 ? 0xFF7F8081u : 0xFF000000u | r;
        }
        const bitmap::Image fast = bitmap::stretch(image, c.toW, c.toH);
        const bitmap::Image slow = referenceStretch(image, c.toW, c.toH);
        EXPECT_EQ(fast.argb, slow.argb) << c.w << "x" << c.h << " to " << c.toW << "x" << c.toH;
    }
}

TEST(GfxBitmap, LowSpecFormatsQuantise) {
    bitmap::Image a{1, 1, {0x80FF7F01u}};
    bitmap::quantiseA4R4G4B4(a);
    EXPECT_EQ(a.argb[0], 0x88FF7700u);
    bitmap::Image b{1, 1, {0x00FF7F01u}};
    bitmap::quantiseR5G6B5(b);
    EXPECT_EQ(b.argb[0], 0xFFFF7D00u);  // no alpha in 5-6-5
}

}  // namespace
