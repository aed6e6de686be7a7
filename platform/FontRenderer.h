// TrueType faces through SDL2_ttf: opened once and kept (a bounded cache),
// sized so that ascent plus descent equals the GDI cell height, bold and
// italic synthesised, strings measured and rendered exactly as drawn.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Gfx.h"

namespace fontrender {

struct Face;  // an opened face at one size and style

// The face for a font description (its own file, else the table's next
// choice, else the fallback), or null when no font file opens.
std::shared_ptr<Face> openFace(const gfx::FontDesc& desc);
// The fallback face (IPA Gothic) at the same size and style.
std::shared_ptr<Face> fallbackFor(const Face& face);
// A short string naming the face, size and style, for caches.
const std::string& faceKey(const Face& face);
// The cell height (the GDI height the face was sized for).
int cellHeight(const Face& face);
// True when the face has a glyph for every character of the UTF-8 string.
bool hasAllGlyphs(const Face& face, const std::string& utf8);

// A piece of a string and whether the face has its glyphs.
struct Run {
    std::string utf8;
    bool covered;
};
// The string cut into runs the face covers and runs it lacks (spaces go
// with the run they are in).
std::vector<Run> splitByCoverage(const Face& face, const std::string& utf8);
// The width of the UTF-8 string in pixels, as `render` draws it.
int measure(const Face& face, const std::string& utf8);
// The string as white pixels with coverage in alpha, the cell's top at
// row 0; an empty picture for an empty string.
bitmap::Image render(const Face& face, const std::string& utf8);

}  // namespace fontrender
