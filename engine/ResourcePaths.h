// Where the resources of the game live: the design keeps pictures, songs,
// meshes and the icon inside the executable by resource number; we keep them
// as files in the game folder's "Res" directory, one per number.
#pragma once

#include <string>

namespace resources {

// "Res/Bitmap_<id>.bmp", a 24-bit BMP.
std::string bitmapPath(int id);
// "Res/Midi_<id>.mid", a standard MIDI file.
std::string midiPath(int id);
// "Res/Xfile_<id>.x", a text .x mesh.
std::string meshPath(int id);
// "Res/Icon_389.bmp".
std::string iconPath();

constexpr int kIconResource = 389;

}  // namespace resources
