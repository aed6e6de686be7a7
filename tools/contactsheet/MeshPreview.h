// A small software view of a text .x mesh for the contact sheet: flat
// shaded by the game's light direction, seen from above and in front.
#pragma once

#include <string>

#include "tools/common/Image.h"

namespace contactsheet {

// Draws the mesh fitted into the box (x, y, size); false when the file
// cannot be read.
bool drawMeshPreview(pic::Image& sheet, const std::string& path, int x, int y, int size);

}  // namespace contactsheet
