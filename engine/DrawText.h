// drawText and its style code: style = target * 100 + colour * 10 + alignment.
//   target    0 layer 1 (only while gRedrawRequest[1] is 1)
//             1 layer 2 (only while gRedrawRequest[0] is 1)
//             2 and more the current render target, every call
//   colour    0 white, 1 dark grey, 2 orange-red, 3 green, 4 cyan, 5 yellow,
//             6 pink (always opaque)
//   alignment 0 left, 1 right, 2 centred; 3 to 9 draw nothing
// Every text is drawn from the rectangle's top edge, unclipped, a word too
// wide for it shortened with an ellipsis.
#pragma once

#include <cstdint>

#include "platform/Gfx.h"

struct GraphicsResources;

enum class TextTarget { Layer1, Layer2, Current };

struct TextStyle {
    TextTarget target;
    gfx::Colour colour;
    bool draws;              // false for alignments 3 to 9
    std::uint32_t format;    // the font's format flags
};

TextStyle decodeTextStyle(int style);

// Draws zero-terminated Shift-JIS `text` into `rect` with gTextFont (inside a
// font block, engine/TextFont.h). Returns 1 when the text is aimed at a layer
// that is not being redrawn (nothing drawn, no flag touched); otherwise the
// result of making the back buffer the render target again. Writing into a
// layer sets gLayer1HasText or gLayer2HasText.
int drawText(GraphicsResources& resources, gfx::Device* device, gfx::Rect rect, const char* text, int style);
