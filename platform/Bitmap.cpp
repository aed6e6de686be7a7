#include "platform/Bitmap.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace bitmap {
namespace {

std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

constexpr std::size_t kFileHeaderSize = 14;

struct Header {
    std::uint32_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
    int width = 0;
    int height = 0;       // positive
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t paletteCount = 0;
    std::uint32_t masks[4] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0};  // r g b a
    bool hasAlphaMask = false;
};

// Reads and checks everything but the pixels. `size` is the whole file's
// size when known (0 when only the header was read).
int parseHeader(const std::uint8_t* data, std::size_t available, Header& h) {
    if (available < kFileHeaderSize + 12) return kCorrupt;
    if (data[0] != 'B' || data[1] != 'M') return kCorrupt;
    h.pixelOffset = le32(data + 10);
    const std::uint8_t* info = data + kFileHeaderSize;
    h.infoSize = le32(info);
    std::int64_t w = 0, hgt = 0;
    if (h.infoSize == 12) {  // the old core header
        w = le16(info + 4);
        hgt = static_cast<std::int16_t>(le16(info + 6));
        h.bitCount = le16(info + 10);
    } else if (h.infoSize >= 40) {
        if (available < kFileHeaderSize + 40) return kCorrupt;
        w = static_cast<std::int32_t>(le32(info + 4));
        hgt = static_cast<std::int32_t>(le32(info + 8));
        if (le16(info + 12) != 1) return kCorrupt;  // planes
        h.bitCount = le16(info + 14);
        h.compression = le32(info + 16);
        h.paletteCount = le32(info + 32);
    } else {
        return kCorrupt;
    }
    if (w <= 0 || hgt == 0) return kCorrupt;
    h.topDown = hgt < 0;
    if (hgt < 0) hgt = -hgt;
    if (w > kMaxSide || hgt > kMaxSide) return kTooLarge;
    h.width = static_cast<int>(w);
    h.height = static_cast<int>(hgt);
    if (h.bitCount != 8 && h.bitCount != 24 && h.bitCount != 32) return kCorrupt;
    if (h.compression == 3 && h.bitCount == 32) {  // bit fields
        const std::size_t maskAt = kFileHeaderSize + 40;
        if (available < maskAt + 12) return kCorrupt;
        for (int i = 0; i < 3; ++i) h.masks[i] = le32(data + maskAt + 4 * i);
        if (h.infoSize >= 56 && available >= maskAt + 16) {
            h.masks[3] = le32(data + maskAt + 12);
            h.hasAlphaMask = h.masks[3] != 0;
        }
        for (int i = 0; i < 3; ++i)
            if (h.masks[i] == 0) return kCorrupt;
    } else if (h.compression != 0) {
        return kCorrupt;  // run-length and embedded formats are not used
    }
    if (h.bitCount == 8) {
        if (h.paletteCount == 0 || h.paletteCount > 256) h.paletteCount = 256;
        if (h.infoSize == 12) return kCorrupt;  // core palettes are not used
    }
    return kOk;
}

// The value of `masked` scaled to 0..255.
std::uint32_t channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 255;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) ++shift;
    const std::uint32_t top = mask >> shift;
    const std::uint32_t v = (pixel & mask) >> shift;
    return top == 255 ? v : static_cast<std::uint32_t>((static_cast<std::uint64_t>(v) * 255 + top / 2) / top);
}

std::size_t rowStride(const Header& h) { return ((static_cast<std::size_t>(h.width) * h.bitCount + 31) / 32) * 4; }
std::size_t paletteStart(const Header& h) { return kFileHeaderSize + h.infoSize + (h.compression == 3 ? 12 : 0); }

// Whether a file of `size` bytes holds the palette and pixels the header
// promises.
bool extentFits(const Header& h, std::size_t size) {
    const std::size_t pixelBytes = rowStride(h) * static_cast<std::size_t>(h.height);
    if (h.pixelOffset > size || size - h.pixelOffset < pixelBytes) return false;
    if (h.bitCount == 8) {
        const std::size_t paletteAt = paletteStart(h);
        if (paletteAt > size || (size - paletteAt) / 4 < h.paletteCount || paletteAt + 4 * h.paletteCount > h.pixelOffset)
            return false;
    }
    return true;
}

}  // namespace

int decodeBmp(const std::uint8_t* data, std::size_t size, Image& out) {
    Header h;
    const int r = parseHeader(data, size, h);
    if (r != kOk) return r;
    if (!extentFits(h, size)) return kCorrupt;
    const std::size_t stride = rowStride(h);
    std::uint32_t palette[256] = {};
    if (h.bitCount == 8) {
        const std::size_t paletteAt = paletteStart(h);
        for (std::uint32_t i = 0; i < h.paletteCount; ++i) {
            const std::uint8_t* p = data + paletteAt + 4 * i;
            palette[i] = 0xFF000000u | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
        }
    }
    out.width = h.width;
    out.height = h.height;
    out.argb.assign(static_cast<std::size_t>(h.width) * h.height, 0);
    for (int y = 0; y < h.height; ++y) {
        const int fileRow = h.topDown ? y : h.height - 1 - y;
        const std::uint8_t* row = data + h.pixelOffset + stride * static_cast<std::size_t>(fileRow);
        std::uint32_t* dst = out.argb.data() + static_cast<std::size_t>(y) * h.width;
        switch (h.bitCount) {
        case 8:
            for (int x = 0; x < h.width; ++x) dst[x] = palette[row[x]];  // indices past the palette are black
            break;
        case 24:
            for (int x = 0; x < h.width; ++x) {
                const std::uint8_t* p = row + 3 * x;
                dst[x] = 0xFF000000u | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[1]) << 8) | p[0];
            }
            break;
        case 32:
            for (int x = 0; x < h.width; ++x) {
                const std::uint32_t v = le32(row + 4 * x);
                const std::uint32_t a = h.hasAlphaMask ? channel(v, h.masks[3]) : 255;
                dst[x] = (a << 24) | (channel(v, h.masks[0]) << 16) | (channel(v, h.masks[1]) << 8) | channel(v, h.masks[2]);
            }
            break;
        }
    }
    return kOk;
}

int readBmpFile(const std::string& path, Image& out) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return kMissing;
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + n);
        // Nothing valid is this large: 8192 x 8192 x 4 plus headers.
        if (bytes.size() > static_cast<std::size_t>(kMaxSide) * kMaxSide * 4 + 4096) {
            std::fclose(f);
            return kTooLarge;
        }
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return kMissing;
    return decodeBmp(bytes.data(), bytes.size(), out);
}

int readBmpSize(const std::string& path, int& width, int& height) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return kMissing;
    std::uint8_t head[kFileHeaderSize + 124] = {};
    const std::size_t n = std::fread(head, 1, sizeof head, f);
    std::fclose(f);
    Header h;
    const int r = parseHeader(head, n, h);
    if (r != kOk) return r;
    width = h.width;
    height = h.height;
    return kOk;
}

int checkBmpFile(const std::string& path, int& width, int& height) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return kMissing;
    std::uint8_t head[kFileHeaderSize + 124] = {};
    const std::size_t n = std::fread(head, 1, sizeof head, f);
    const bool sized = std::fseek(f, 0, SEEK_END) == 0;
    const long size = sized ? std::ftell(f) : -1;
    std::fclose(f);
    if (size < 0) return kMissing;
    Header h;
    const int r = parseHeader(head, n, h);
    if (r != kOk) return r;
    if (!extentFits(h, static_cast<std::size_t>(size))) return kCorrupt;
    width = h.width;
    height = h.height;
    return kOk;
}

int nextPowerOfTwo(int n) {
    int p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}

void applyColourKey(Image& image) {
    for (std::uint32_t& p : image.argb)
        if ((p & 0x00FFFFFFu) == 0) p = 0;
}

namespace {

// Where an output column or row samples the source: the two neighbours and
// the weight of the second.
struct Tap {
    int first, second;
    double weight;
};

std::vector<Tap> taps(int from, int to) {
    std::vector<Tap> out(static_cast<std::size_t>(to));
    const double scale = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        double f = (i + 0.5) * scale - 0.5;
        if (f < 0) f = 0;
        int first = static_cast<int>(f);
        if (first > from - 1) first = from - 1;
        const int second = first + 1 < from ? first + 1 : first;
        out[static_cast<std::size_t>(i)] = Tap{first, second, f - first};
    }
    return out;
}

// Rounds half away from zero, as lround does, for the non-negative values a
// blend of channels gives (c - whole is exact below 2^52).
std::uint32_t roundChannel(double c) {
    std::uint32_t whole = static_cast<std::uint32_t>(c);
    if (c - whole >= 0.5) ++whole;
    return whole;
}

}  // namespace

Image stretch(const Image& image, int width, int height) {
    if (width == image.width && height == image.height) return image;
    Image out;
    out.width = width;
    out.height = height;
    out.argb.resize(static_cast<std::size_t>(width) * height);
    if (image.width <= 0 || image.height <= 0) return out;
    const std::vector<Tap> columns = taps(image.width, width);
    const std::vector<Tap> rows = taps(image.height, height);
    for (int y = 0; y < height; ++y) {
        const Tap& row = rows[static_cast<std::size_t>(y)];
        const std::uint32_t* top = image.argb.data() + static_cast<std::size_t>(row.first) * image.width;
        const std::uint32_t* bottom = image.argb.data() + static_cast<std::size_t>(row.second) * image.width;
        const double ty = row.weight;
        std::uint32_t* dst = out.argb.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const Tap& column = columns[static_cast<std::size_t>(x)];
            const std::uint32_t p00 = top[column.first], p01 = top[column.second];
            const std::uint32_t p10 = bottom[column.first], p11 = bottom[column.second];
            // Four equal neighbours blend to themselves.
            if (p00 == p01 && p00 == p10 && p00 == p11) {
                dst[x] = p00;
                continue;
            }
            const double tx = column.weight;
            std::uint32_t result = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                const double c00 = (p00 >> shift) & 0xFF, c01 = (p01 >> shift) & 0xFF;
                const double c10 = (p10 >> shift) & 0xFF, c11 = (p11 >> shift) & 0xFF;
                const double upper = c00 + (c01 - c00) * tx;
                const double lower = c10 + (c11 - c10) * tx;
                result |= roundChannel(upper + (lower - upper) * ty) << shift;
            }
            dst[x] = result;
        }
    }
    return out;
}

Image stretchToPowerOfTwo(const Image& image) {
    return stretch(image, nextPowerOfTwo(image.width), nextPowerOfTwo(image.height));
}

void quantiseA4R4G4B4(Image& image) {
    for (std::uint32_t& p : image.argb) {
        std::uint32_t q = 0;
        for (int shift = 0; shift < 32; shift += 8) q |= (((p >> shift) & 0xFF) >> 4) * 17 << shift;
        p = q;
    }
}

void quantiseR5G6B5(Image& image) {
    for (std::uint32_t& p : image.argb) {
        const std::uint32_t r = (p >> 19) & 0x1F, g = (p >> 10) & 0x3F, b = (p >> 3) & 0x1F;
        p = 0xFF000000u | (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
    }
}

}  // namespace bitmap
