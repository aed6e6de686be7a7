// PNG writing for review pictures (the contact sheet): 8-bit RGB, stored
// (uncompressed) deflate blocks, so no compression library is needed.
#pragma once

#include <string>

#include "tools/common/Image.h"

namespace pic {

bool writePng(const std::string& path, const Image& image);

}  // namespace pic
