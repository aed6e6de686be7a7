// The headless driver's script, arguments and screenshots.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "programs/Playtest.h"
#include "platform/InputDevices.h"
#include "tools/common/PngFile.h"

namespace {

TEST(PlaytestScript, SpansHoldTheirKeysOnEveryFrameInclusive) {
    std::vector<PlaytestSpan> spans;
    std::string error;
    ASSERT_TRUE(parsePlaytestScript("# walk, then confirm\n"
                                    "1 10 right\n"
                                    "\n"
                                    "5 5 decide,up   # together\n"
                                    "20 30 -\n"
                                    "12 12 cancel,f12,left,down\n",
                                    spans, &error))
        << error;
    ASSERT_EQ(spans.size(), 4u);
    struct Case { long frame; unsigned keys; };
    const Case cases[] = {
        {0, 0}, {1, kPlayRight}, {4, kPlayRight}, {5, kPlayRight | kPlayDecide | kPlayUp}, {10, kPlayRight},
        {11, 0}, {12, kPlayCancel | kPlayF12 | kPlayLeft | kPlayDown}, {25, 0}, {31, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(playtestKeysAt(spans, c.frame), c.keys) << c.frame;
}

TEST(PlaytestScript, BadLinesAreRefusedWithTheirNumber) {
    const char* bad[] = {"1 right\n", "1 2 jump\n", "x 2 up\n", "5 4 up\n", "1 2 up down\n", "# ok\n1 2 up,\n", "-1 2 up\n"};
    for (const char* text : bad) {
        std::vector<PlaytestSpan> spans;
        std::string error;
        EXPECT_FALSE(parsePlaytestScript(text, spans, &error)) << text;
        EXPECT_EQ(error.rfind("line ", 0), 0u) << error;
    }
}

TEST(PlaytestScript, KeysGoIntoTheKeyTable) {
    holdPlaytestKeys(kPlayDecide | kPlayLeft);
    EXPECT_TRUE(devices::keyHeld(devices::Key::Return));
    EXPECT_TRUE(devices::keyHeld(devices::Key::Left));
    EXPECT_FALSE(devices::keyHeld(devices::Key::Escape));
    holdPlaytestKeys(0);
    EXPECT_FALSE(devices::keyHeld(devices::Key::Return));
    EXPECT_FALSE(devices::keyHeld(devices::Key::Left));
}

TEST(PlaytestArguments, TheDocumentedCommandLineParses) {
    const char* argv[] = {"playtest", "--frames", "120", "--input", "in.txt", "--shot", "60:a.png", "--shot", "120:b/c.png",
                          "--state", "--workdir", "/tmp/g", "--clock", "1700000000", "--null-gfx", "--developer"};
    PlaytestOptions options;
    std::string error;
    ASSERT_TRUE(parsePlaytestArguments(16, argv, options, &error)) << error;
    EXPECT_EQ(options.frames, 120);
    EXPECT_EQ(options.inputPath, "in.txt");
    ASSERT_EQ(options.shots.size(), 2u);
    EXPECT_EQ(options.shots[1].frame, 120);
    EXPECT_EQ(options.shots[1].path, "b/c.png");
    EXPECT_TRUE(options.printState);
    EXPECT_EQ(options.workDir, "/tmp/g");
    EXPECT_TRUE(options.clockGiven);
    EXPECT_EQ(options.clockSeconds, 1700000000);
    EXPECT_TRUE(options.nullGraphics);
    EXPECT_TRUE(options.developer);
}

TEST(PlaytestArguments, MistakesAreRefused) {
    const std::vector<std::vector<const char*>> bad = {
        {"playtest"}, {"playtest", "--frames"}, {"playtest", "--frames", "x"}, {"playtest", "--frames", "5", "--shot", "5"},
        {"playtest", "--frames", "5", "--shot", "0:a.png"}, {"playtest", "--frames", "5", "--shot", "3:"},
        {"playtest", "--frames", "5", "--bogus"}, {"playtest", "--frames", "5", "--clock"},
    };
    for (const auto& args : bad) {
        PlaytestOptions options;
        std::string error;
        EXPECT_FALSE(parsePlaytestArguments(static_cast<int>(args.size()), args.data(), options, &error)) << args.size();
        EXPECT_FALSE(error.empty());
    }
}

TEST(PlaytestPng, ChecksumsMatchTheirKnownValues) {
    const std::string iend = "IEND";
    EXPECT_EQ(png::crc32(reinterpret_cast<const std::uint8_t*>(iend.data()), 4), 0xAE426082u);
    const std::string wiki = "Wikipedia";
    EXPECT_EQ(png::adler32(reinterpret_cast<const std::uint8_t*>(wiki.data()), wiki.size()), 0x11E60398u);
}

TEST(PlaytestPng, PictureIsStoredRowByRowAsRgb) {
    // 2 x 2: red, green / blue, white.
    const std::uint32_t argb[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0x80FFFFFFu};
    const std::vector<std::uint8_t> png = png::encodeArgb(2, 2, argb);
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(png[19], 2);  // width
    EXPECT_EQ(png[23], 2);  // height
    EXPECT_EQ(png[24], 8);
    EXPECT_EQ(png[25], 2);  // RGB
    // IDAT: zlib header, one final stored block of 14 bytes, the scan lines.
    const size_t idat = 33;
    EXPECT_EQ(std::string(png.begin() + idat + 4, png.begin() + idat + 8), "IDAT");
    const size_t z = idat + 8;
    EXPECT_EQ(png[z], 0x78);
    EXPECT_EQ(png[z + 2], 1);
    EXPECT_EQ(png[z + 3], 14);
    const std::vector<std::uint8_t> rows = {0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 255, 255, 255};
    EXPECT_EQ(std::vector<std::uint8_t>(png.begin() + z + 7, png.begin() + z + 21), rows);
    EXPECT_EQ(std::string(png.end() - 8, png.end() - 4), "IEND");
}

TEST(PlaytestPng, LargePictureSplitsIntoStoredBlocksOfAtMost65535Bytes) {
    // 200 x 200: 200 scan lines of 601 bytes, 120,200 in all: a full block
    // of 65,535, then the last of 54,665.
    constexpr int kSide = 200;
    std::vector<std::uint32_t> argb(kSide * kSide);
    std::vector<std::uint8_t> rgb;
    std::vector<std::uint8_t> scanLines;
    for (size_t i = 0; i < argb.size(); ++i) {
        argb[i] = static_cast<std::uint32_t>(i) * 2654435761u;
        const std::uint8_t pixel[3] = {static_cast<std::uint8_t>(argb[i] >> 16), static_cast<std::uint8_t>(argb[i] >> 8),
                                       static_cast<std::uint8_t>(argb[i])};
        if (i % kSide == 0) scanLines.push_back(0);
        rgb.insert(rgb.end(), pixel, pixel + 3);
        scanLines.insert(scanLines.end(), pixel, pixel + 3);
    }
    const std::vector<std::uint8_t> png = png::encode(kSide, kSide, rgb.data());
    EXPECT_EQ(png, png::encodeArgb(kSide, kSide, argb.data()));

    const auto at16 = [&](size_t at) { return png[at] | png[at + 1] << 8; };
    const size_t z = 33 + 8;
    const size_t second = z + 2 + 5 + 65535;
    ASSERT_GT(png.size(), second + 5 + 54665 + 4);
    EXPECT_EQ(png[z + 2], 0);  // not the last
    EXPECT_EQ(at16(z + 3), 65535);
    EXPECT_EQ(at16(z + 5), 0);
    EXPECT_EQ(png[second], 1);  // the last
    EXPECT_EQ(at16(second + 1), 54665);
    EXPECT_EQ(at16(second + 3), 54665 ^ 0xFFFF);

    std::vector<std::uint8_t> stored(png.begin() + z + 7, png.begin() + second);
    stored.insert(stored.end(), png.begin() + second + 5, png.begin() + second + 5 + 54665);
    EXPECT_EQ(stored, scanLines);
    const size_t adler = second + 5 + 54665;
    EXPECT_EQ(static_cast<std::uint32_t>(png[adler] << 24 | png[adler + 1] << 16 | png[adler + 2] << 8 | png[adler + 3]),
              png::adler32(scanLines.data(), scanLines.size()));
}

}  // namespace
