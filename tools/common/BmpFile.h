// 24-bit uncompressed BMP files, bottom-up, as the game's bitmap resources.
#pragma once

#include <string>

#include "tools/common/Image.h"

namespace pic {

// Writes the picture. A keyed picture turns every pixel with less than half
// coverage into pure black (the see-through key) and lifts any opaque pure
// black to (1, 1, 1), so the key never eats a visible pixel. A plain picture
// is written as it stands over black. False on a write failure.
bool writeBmp(const std::string& path, const Image& image, bool keyed);
// Reads a 24-bit uncompressed BMP (bottom-up or top-down); every pixel gets
// full coverage. False (and an empty image) on anything else.
bool readBmp(const std::string& path, Image& image);

}  // namespace pic
