// Where the lines of a block of text go in its rectangle: line breaks at
// "\n", optional word wrapping, "..." cuts of lines that are too wide (on
// Shift-JIS character boundaries), alignment. Pure code: the caller measures
// strings, so the rules are the same for every font backend.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Gfx.h"

namespace fontlayout {

// Measures Shift-JIS bytes (one line, no "\n") in pixels, as they are drawn.
using MeasureFn = std::function<int(const std::string& cp932)>;

struct PlacedLine {
    std::string text;  // Shift-JIS bytes, "..." included when the line was cut
    int x, y;          // top-left of the line, in the rectangle's coordinates
    int width;
};

struct Layout {
    std::vector<PlacedLine> lines;
    int width = 0;   // the widest line
    int height = 0;  // lines x line height
};

// The byte length of the Shift-JIS character at p (1 or 2; 1 when a lead
// byte is the last byte).
int characterLength(const char* p, int remaining);
// True when `count` bytes from the start of `s` end on a character boundary.
bool endsOnCharacterBoundary(const std::string& s, std::size_t count);

// Lays out `text` for a rectangle of the given size with the format flags.
Layout layoutText(const std::string& text, int rectWidth, int rectHeight, std::uint32_t format, int lineHeight,
                  const MeasureFn& measure);

}  // namespace fontlayout
