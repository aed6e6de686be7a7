#include "tools/common/BmpFile.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "tools/common/LittleEndian.h"

namespace pic {

bool writeBmp(const std::string& path, const Image& image, bool keyed) {
    const int w = image.width(), h = image.height();
    const int stride = (w * 3 + 3) & ~3;
    const std::uint32_t dataSize = static_cast<std::uint32_t>(stride) * h;
    std::vector<std::uint8_t> out;
    out.reserve(54 + dataSize);
    // File header.
    putU8(out, 'B');
    putU8(out, 'M');
    putU32(out, 54 + dataSize);
    putU16(out, 0);
    putU16(out, 0);
    putU32(out, 54);
    // Info header.
    putU32(out, 40);
    putU32(out, static_cast<std::uint32_t>(w));
    putU32(out, static_cast<std::uint32_t>(h));  // positive: bottom-up
    putU16(out, 1);
    putU16(out, 24);
    putU32(out, 0);  // no compression
    putU32(out, dataSize);
    putU32(out, 2835);
    putU32(out, 2835);
    putU32(out, 0);
    putU32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            Rgb c = image.at(x, y);
            const std::uint8_t cov = image.coverage(x, y);
            if (keyed) {
                if (cov < 128) {
                    c = Rgb{};
                } else if (c.r == 0 && c.g == 0 && c.b == 0) {
                    c = Rgb{1, 1, 1};
                }
            } else if (cov < 255) {
                c = shade(c, cov / 255.0);
            }
            putU8(out, c.b);
            putU8(out, c.g);
            putU8(out, c.r);
        }
        for (int pad = w * 3; pad < stride; ++pad) putU8(out, 0);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

bool readBmp(const std::string& path, Image& image) {
    image = Image();
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M') return false;
    const std::uint32_t offset = getU32(data, 10);
    const std::int32_t w = static_cast<std::int32_t>(getU32(data, 18));
    std::int32_t h = static_cast<std::int32_t>(getU32(data, 22));
    const std::uint16_t bits = getU16(data, 28);
    const std::uint32_t compression = getU32(data, 30);
    if (bits != 24 || compression != 0 || w <= 0 || h == 0 || w > 16384 || h > 16384 || h < -16384) return false;
    const bool bottomUp = h > 0;
    if (!bottomUp) h = -h;
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    if (offset > data.size() || data.size() - offset < stride * h) return false;
    Image result(w, h);
    for (int row = 0; row < h; ++row) {
        const int y = bottomUp ? h - 1 - row : row;
        const size_t base = offset + stride * row;
        for (int x = 0; x < w; ++x)
            result.set(x, y, Rgb{data[base + 3 * x + 2], data[base + 3 * x + 1], data[base + 3 * x]});
    }
    image = std::move(result);
    return true;
}

}  // namespace pic
