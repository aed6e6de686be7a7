#include "engine/ResourcePaths.h"

namespace resources {

std::string bitmapPath(int id) { return "Res/Bitmap_" + std::to_string(id) + ".bmp"; }
std::string midiPath(int id) { return "Res/Midi_" + std::to_string(id) + ".mid"; }
std::string meshPath(int id) { return "Res/Xfile_" + std::to_string(id) + ".x"; }
std::string iconPath() { return "Res/Icon_" + std::to_string(kIconResource) + ".bmp"; }

}  // namespace resources
