// The font of a block of texts. A screen begins a block with the height and
// face of its texts, calls drawText, and ends the block, which releases the
// font: no font is held between blocks.
//
//   beginTextFont(device, 18, "ＭＳ Ｐゴシック");
//   drawText(resources, device, rect, text, 100);
//   endTextFont();
#pragma once

#include <memory>

#include "platform/Gfx.h"

// The font drawText draws with; empty outside a block.
extern std::unique_ptr<gfx::Font> gTextFont;
// What gTextFont was made from (height, face, weight 700, italic).
extern gfx::FontDesc gTextFontDesc;

// The menu faces and heights shared by many screens.
extern const char* const kShopFontFace;  // "ＭＳ Ｐゴシック", 18 pixels: shop, bank, messages
constexpr int kShopFontHeight = 18;
extern const char* const kMenuFontFace;  // "MS UI Gothic", 15 pixels: camp menu screens, victory results
constexpr int kMenuFontHeight = 15;

// Makes gTextFont: `height` is the cell height in pixels, weight 700, the
// Shift-JIS face name as the game names it. Replaces a font still held.
// Returns 0, or the device's negative result (gTextFont then stays empty).
int beginTextFont(gfx::Device* device, int height, const char* faceCp932, bool italic = false);
// Releases gTextFont.
void endTextFont();
// Opens ahead the face beginTextFont(device, height, faceCp932) will use,
// so the first frame of text in it does not wait for the font file.
void prepareTextFont(gfx::Device* device, int height, const char* faceCp932, bool italic = false);
