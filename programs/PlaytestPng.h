// A PNG writer for the headless driver's screenshots: 8-bit RGB, the image
// data in stored (uncompressed) deflate blocks, so no library is needed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a PNG of `argb` (row 0 at the top; alpha dropped).
std::vector<std::uint8_t> encodePng(const std::uint32_t* argb, int width, int height);
// Writes it to a file; false when the file cannot be written.
bool writePng(const std::string& path, const std::uint32_t* argb, int width, int height);

std::uint32_t crc32Of(const std::uint8_t* data, size_t size, std::uint32_t crc = 0);
std::uint32_t adler32Of(const std::uint8_t* data, size_t size);
