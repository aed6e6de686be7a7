// PNG files for screenshots and review pictures: 8-bit RGB, no filtering,
// the image data in stored (uncompressed) deflate blocks, so no compression
// library is needed. The headless driver's shots, the map previews and the
// contact sheet all write through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace png {

// The bytes of a PNG of `rgb`: width * height * 3 bytes, top row first.
std::vector<std::uint8_t> encode(int width, int height, const std::uint8_t* rgb);
// The same of 32-bit ARGB pixels, row 0 at the top; alpha is dropped.
std::vector<std::uint8_t> encodeArgb(int width, int height, const std::uint32_t* argb);

// Write the PNG to a file; false when the file cannot be written.
bool write(const std::string& path, int width, int height, const std::uint8_t* rgb);
bool writeArgb(const std::string& path, int width, int height, const std::uint32_t* argb);

// The format's checksums: CRC-32 of a chunk's type and data (going on from
// `crc`), Adler-32 of the uncompressed image data.
std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t adler32(const std::uint8_t* data, std::size_t size);

}  // namespace png
