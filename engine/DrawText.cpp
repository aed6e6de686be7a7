#include "engine/DrawText.h"

#include "engine/GraphicsResources.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"

namespace {

constexpr gfx::Colour kTextColours[7] = {
    0xFFFFFFFFu,  // white
    0xFF404040u,  // dark grey
    0xFFFF4000u,  // orange-red
    0xFF00FF40u,  // green
    0xFF00FFFFu,  // cyan
    0xFFFFFF00u,  // yellow
    0xFFFF80FFu,  // pink
};

}  // namespace

TextStyle decodeTextStyle(int style) {
    TextStyle decoded{};
    if (style < 100) decoded.target = TextTarget::Layer1;
    else if (style < 200) decoded.target = TextTarget::Layer2;
    else decoded.target = TextTarget::Current;

    // Colour digits 7 to 9 never occur; a style outside the table draws white.
    const int colour = (style % 100) / 10;
    decoded.colour = (colour >= 0 && colour < 7) ? kTextColours[colour] : kTextColours[0];

    const std::uint32_t common = gfx::kDtNoClip | gfx::kDtWordEllipsis;
    switch (style % 10) {
    case 0: decoded.draws = true; decoded.format = common | gfx::kDtLeft; break;
    case 1: decoded.draws = true; decoded.format = common | gfx::kDtRight; break;
    case 2: decoded.draws = true; decoded.format = common | gfx::kDtCentre; break;
    default: decoded.draws = false; decoded.format = 0; break;
    }
    return decoded;
}

int drawText(GraphicsResources& resources, gfx::Device* device, gfx::Rect rect, const char* text, int style) {
    if (device == nullptr) return gfx::kInvalidCall;
    const TextStyle decoded = decodeTextStyle(style);
    if (decoded.target == TextTarget::Layer1) {
        if (gRedrawRequest[1] != 1) return 1;
        gLayer1HasText = 1;
        device->setRenderTarget(resources.layer1Target.get());
    } else if (decoded.target == TextTarget::Layer2) {
        if (gRedrawRequest[0] != 1) return 1;
        gLayer2HasText = 1;
        device->setRenderTarget(resources.layer2Target.get());
    }

    // Outside a font block there is nothing to draw with: a caller's error,
    // skipped rather than crashing.
    if (decoded.draws && gTextFont && text != nullptr) {
        gTextFont->begin();
        gTextFont->drawText(text, -1, &rect, decoded.format, decoded.colour);
        gTextFont->end();
    }
    return device->setRenderTarget(resources.backBuffer);
}
