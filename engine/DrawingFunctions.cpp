#include "engine/DrawingFunctions.h"

#include "engine/GraphicsResources.h"

namespace {

void drawPiece(gfx::Sprite& sprite, gfx::Texture* texture, const gfx::Rect& src, float x, float y, gfx::Colour colour,
               float scaleX = 1.0f, float scaleY = 1.0f) {
    const gfx::Vec2 scale{scaleX, scaleY};
    const gfx::Vec2 at{x, y};
    const bool scaled = scaleX != 1.0f || scaleY != 1.0f;
    sprite.draw(texture, &src, scaled ? &scale : nullptr, nullptr, 0.0f, &at, colour);
}

}  // namespace

void drawWindowFrame(GraphicsResources& resources, gfx::Device* device, float x, float y, float w, float h) {
    if (device == nullptr || !resources.sprite) return;
    gfx::Sprite& sprite = *resources.sprite;
    gfx::Texture* const border = resources.windowBorder.get();
    constexpr gfx::Colour kBackground = 0xB2FFFFFFu;  // 70 %
    constexpr gfx::Colour kBorder = 0xCCFFFFFFu;      // 80 %

    sprite.begin();
    drawPiece(sprite, resources.windowBackground.get(), {0, 0, 64, 64}, x, y, kBackground, w / 64.0f, h / 64.0f);
    drawPiece(sprite, border, {0, 0, 32, 16}, x, y, kBorder);
    drawPiece(sprite, border, {48, 0, 64, 16}, x + w - 16.0f, y, kBorder);
    drawPiece(sprite, border, {0, 48, 16, 64}, x, y + h - 16.0f, kBorder);
    drawPiece(sprite, border, {48, 48, 64, 64}, x + w - 16.0f, y + h - 16.0f, kBorder);
    drawPiece(sprite, border, {32, 0, 33, 16}, x + 16.0f, y, kBorder, w - 32.0f, 1.0f);
    drawPiece(sprite, border, {32, 48, 33, 64}, x + 16.0f, y + h - 16.0f, kBorder, w - 32.0f, 1.0f);
    drawPiece(sprite, border, {0, 32, 16, 33}, x, y + 16.0f, kBorder, 1.0f, h - 32.0f);
    drawPiece(sprite, border, {48, 32, 64, 33}, x + w - 16.0f, y + 16.0f, kBorder, 1.0f, h - 32.0f);
    sprite.end();
}

void drawArrow(GraphicsResources& resources, gfx::Device* device, int direction, float x, float y, float clip) {
    if (device == nullptr || !resources.sprite) return;
    gfx::Texture* texture = resources.arrowSheet.get();
    int cellLeft = 0;
    int cellTop = 0;
    bool known = true;
    switch (direction) {
    case kArrowDown: cellLeft = 64; cellTop = 64; break;
    case kArrowLeft: cellLeft = 0; cellTop = 64; break;
    case kArrowRight: cellLeft = 64; cellTop = 0; break;
    case kArrowUp: break;
    case kEnterMark: texture = resources.enterMark.get(); break;
    default: known = false; break;
    }

    // Mended: a clip of 64 columns or more is held to the picture's width;
    // past it the rectangle would turn inside out or reach the next cell.
    int cut = static_cast<int>(clip);  // truncates toward zero
    if (cut > 64) cut = 64;
    if (cut < -64) cut = -64;
    gfx::Rect src{cellLeft, cellTop, cellLeft + 64, cellTop + 64};
    int shift = 0;
    if (cut > 0) {
        src.left += cut;
        shift = cut;
    } else if (cut < 0) {
        src.right = src.left - cut;
    }

    resources.sprite->begin();
    if (known && src.right > src.left) {
        const gfx::Vec2 at{x + static_cast<float>(shift), y};
        resources.sprite->draw(texture, &src, nullptr, nullptr, 0.0f, &at, 0xCCFFFFFFu);
    }
    resources.sprite->end();
}

void drawMenuCursor(GraphicsResources& resources, gfx::Device* device, float x, float y, int width) {
    if (device == nullptr || !resources.sprite) return;
    gfx::Sprite& sprite = *resources.sprite;
    sprite.begin();
    drawPiece(sprite, resources.cursorBar.get(), {0, 0, 64, 20}, x, y, 0x99FFFFFFu, static_cast<float>(width) / 64.0f,
              1.0f);
    const gfx::Vec2 handAt{x - 10.0f, y + 2.0f};
    sprite.draw(resources.pointerHand.get(), nullptr, nullptr, nullptr, 0.0f, &handAt, 0xFFFFFFFFu);
    sprite.end();
}
