// Little-endian field helpers for the file formats the tools write and read.
#pragma once

#include <cstdint>
#include <vector>

namespace pic {

inline void putU8(std::vector<std::uint8_t>& out, std::uint8_t v) { out.push_back(v); }
inline void putU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
// Readers return 0 past the end, so a short file reads as zeros, not a crash.
inline std::uint16_t getU16(const std::vector<std::uint8_t>& in, size_t at) {
    if (at + 2 > in.size()) return 0;
    return static_cast<std::uint16_t>(in[at] | (in[at + 1] << 8));
}
inline std::uint32_t getU32(const std::vector<std::uint8_t>& in, size_t at) {
    if (at + 4 > in.size()) return 0;
    return static_cast<std::uint32_t>(in[at]) | (static_cast<std::uint32_t>(in[at + 1]) << 8) |
           (static_cast<std::uint32_t>(in[at + 2]) << 16) | (static_cast<std::uint32_t>(in[at + 3]) << 24);
}

}  // namespace pic
