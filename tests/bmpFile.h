// A 24-bit bottom-up BMP made in memory, for tests that hand the loaders a
// picture file of their own.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace bmptest {

// The file's bytes: w x h colours 0xRRGGBB from `paint` (row 0 on top).
inline std::string bmp24(int w, int h, const std::function<std::uint32_t(int x, int y)>& paint) {
    const int stride = (w * 3 + 3) & ~3;
    std::string b(54 + static_cast<std::size_t>(stride) * h, '\0');
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<std::uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(w));
    put32(22, static_cast<std::uint32_t>(h));
    b[26] = 1;
    b[28] = 24;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = paint(x, y);
            const std::size_t at = 54 + static_cast<std::size_t>(h - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
            b[at] = static_cast<char>(c & 0xFF);
            b[at + 1] = static_cast<char>(c >> 8 & 0xFF);
            b[at + 2] = static_cast<char>(c >> 16 & 0xFF);
        }
    }
    return b;
}

// Writes `bytes` to `path`, cut to `keep` bytes when that is fewer; false
// when the file could not be opened.
inline bool writeFile(const std::string& path, const std::string& bytes, std::size_t keep = std::string::npos) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    std::fwrite(bytes.data(), 1, std::min(keep, bytes.size()), f);
    std::fclose(f);
    return true;
}

}  // namespace bmptest
