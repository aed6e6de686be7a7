// BMP files to 32-bit ARGB pictures, and the two steps every texture goes
// through: the colour key (pure black becomes transparent) and the stretch
// to power-of-two sides. Pure code: no backend.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bitmap {

// Result codes (the device's: 0 success, negative failure).
constexpr int kOk = 0;
constexpr int kMissing = -1;      // the file cannot be opened or read
constexpr int kCorrupt = -6;      // short, malformed or unsupported contents
constexpr int kTooLarge = -2;     // sides beyond kMaxSide

// Pictures beyond this side are refused rather than allocated.
constexpr int kMaxSide = 8192;

// ARGB pixels, row 0 at the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

// Decodes a BMP held in memory: 8-bit palettised, 24-bit and 32-bit,
// bottom-up or top-down. A 32-bit picture is opaque unless its header gives
// an alpha mask.
int decodeBmp(const std::uint8_t* data, std::size_t size, Image& out);
// Reads and decodes a BMP file.
int readBmpFile(const std::string& path, Image& out);
// Reads only the header of a BMP file: its sides (checked as decodeBmp
// checks them, without reading the pixels).
int readBmpSize(const std::string& path, int& width, int& height);
// readBmpSize, and the file long enough for its palette and pixels: what
// readBmpFile would refuse, short of reading the pixels themselves.
int checkBmpFile(const std::string& path, int& width, int& height);

// The smallest power of two >= n (1 for n <= 1).
int nextPowerOfTwo(int n);
// Exactly (0,0,0) becomes 0x00000000; every other colour stays opaque.
void applyColourKey(Image& image);
// The picture stretched (bilinear, pixel centres aligned) to the given size.
Image stretch(const Image& image, int width, int height);
// Stretched to the next power of two on each side (unchanged when already so).
Image stretchToPowerOfTwo(const Image& image);
// Low-spec texture formats: 4 bits a channel, or 5-6-5 without alpha.
void quantiseA4R4G4B4(Image& image);
void quantiseR5G6B5(Image& image);

}  // namespace bitmap
