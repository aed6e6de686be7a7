// Japanese and Latin text painted into pictures with the game's font, at
// build time. Strings are UTF-8 (write them as u8"" literals).
#pragma once

#include <string>

#include "tools/common/Image.h"

namespace picgen {

bool openFonts(const std::string& fontPath);
void closeFonts();

struct TextStyle {
    int size = 16;         // pixel height of the font
    pic::Rgb colour{255, 255, 255};
    bool bold = false;
    int outline = 0;       // pixels of outline around the glyphs
    pic::Rgb outlineColour{16, 16, 24};
    bool shadow = false;   // a 1-pixel drop shadow in the outline colour
    pic::Rgb bottomColour{};  // with gradient: the colour at the glyphs' foot
    bool gradient = false;
};

// Width and height of the text as it would be painted.
void measureText(const char8_t* text, const TextStyle& style, int& width, int& height);
// Paints with the top-left corner at (x, y).
void paintText(pic::Image& image, int x, int y, const char8_t* text, const TextStyle& style);
// Paints centred on (cx, cy).
void paintTextCentred(pic::Image& image, int cx, int cy, const char8_t* text, const TextStyle& style);

}  // namespace picgen
