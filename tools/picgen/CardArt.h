// Cards of the card duel: the 90 x 120 card pictures of the sheets (the game
// writes the element glyph and the four values over them), the card back,
// the empty board cell, and complete diagram cards for the tutorial.
#pragma once

#include <string>

#include "tools/common/Image.h"

namespace picgen {

// The picture of card `index` (0-99) with its top-left at (x, y).
void paintCardPicture(pic::Image& img, int x, int y, int index);
void paintCardBack(pic::Image& img, int x, int y);
void paintEmptyCell(pic::Image& img, int x, int y, double scale = 1.0);

struct DiagramCard {
    bool opponent = false;
    std::string element;   // UTF-8 glyph
    int values[4] = {0, 0, 0, 0};  // left, top, right, bottom
    bool fresh = false;    // just placed: drawn with a glow
};
// A card as the duel shows it, glyph and values included, scaled.
void paintDiagramCard(pic::Image& img, int x, int y, double scale, const DiagramCard& card);
// The colour of an element glyph (UTF-8).
pic::Rgb elementColour(const std::string& glyph);

// UTF-8 text from a u8 literal.
inline std::string utf8(const char8_t* s) { return std::string(reinterpret_cast<const char*>(s)); }

}  // namespace picgen
