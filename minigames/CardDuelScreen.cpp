#include "minigames/CardDuelScreen.h"

#include <cstdio>
#include <cstring>

#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "engine/Input.h"
#include "gamedata/GameData.h"
#include "minigames/CardDuelPhases.h"
#include "minigames/CardDuelSetup.h"
#include "minigames/CardDuelState.h"

namespace {

constexpr gfx::Colour kDuelBackground = 0xFF1F7909u;  // opaque (31, 121, 9)
constexpr gfx::Colour kWhite = 0xFFFFFFFFu;
constexpr int kFigureFontHeight = 30;
constexpr int kCardWidth = 90;
constexpr int kCardHeight = 120;
constexpr float kPi = 3.14159265358979f;

const char* const kElementGlyphs[10] = {"無", "宇", "炎", "水", "風", "土", "雷", "磁", "光", "闇"};

// Styles: layer 1 (target 0), colour * 10, alignment.
constexpr int kStyleWhite = 0;
constexpr int kStyleGrey = 10;
constexpr int kStyleCyan = 40;
constexpr int kAlignRight = 1;

bool validCard(int card) { return card >= 0 && card < kCardCount; }

const char* cardName(int card) { return validCard(card) ? gCardTable[card].name : ""; }

void text(GraphicsResources& resources, gfx::Device* device, int left, int top, int right, int bottom,
          const char* s, int style) {
    drawText(resources, device, gfx::Rect{left, top, right, bottom}, s, style);
}

void drawCardWithRowValues(GraphicsResources& resources, gfx::Device* device, int card, int mode, int ownerFlag,
                           float x, float y) {
    static const unsigned char kNoValues[4] = {0, 0, 0, 0};
    drawDuelCard(resources, device, card, mode, ownerFlag, validCard(card) ? gCardTable[card].sides : kNoValues,
                 gfx::Vec2{x, y});
}

void drawBoard(GraphicsResources& resources, gfx::Device* device) {
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 3; ++row) {
            const DuelCell& cell = gDuelBoard[3 * column + row];
            drawDuelCard(resources, device, cell.card, kCardModeBoard, cell.owner, cell.sides,
                         gfx::Vec2{120.0f + 100.0f * column, 50.0f + 130.0f * row});
        }
    }
}

void drawPlayerHand(GraphicsResources& resources, gfx::Device* device) {
    for (int slot = 0; slot < kHandSlots; ++slot) {
        const HandSlot& hand = gPlayerHand[slot];
        if (hand.played) continue;
        drawCardWithRowValues(resources, device, hand.card, kCardModeHand, 0, hand.selected ? 430.0f : 450.0f,
                              20.0f + 80.0f * slot);
    }
}

void drawOpponentHandFaceDown(GraphicsResources& resources, gfx::Device* device) {
    for (int slot = 0; slot < kHandSlots; ++slot) {
        const HandSlot& hand = gOpponentHand[slot];
        if (hand.played || hand.selected) continue;
        drawCardWithRowValues(resources, device, kCardBack, kCardModeHand, 1, 10.0f, 20.0f + 80.0f * slot);
    }
}

void drawDeckBuilding(GraphicsResources& resources, gfx::Device* device) {
    drawWindowFrame(resources, device, 30, 20, 340, 30);
    drawWindowFrame(resources, device, 30, 50, 340, 270);
    drawWindowFrame(resources, device, 30, 320, 340, 30);
    drawMenuCursor(resources, device, 35, 60.0f + 25.0f * gDuelCursor, 330);
    if (gRedrawRequest[1] != 1) return;

    beginTextFont(device, kMenuFontHeight, kMenuFontFace);
    char line[128];
    std::snprintf(line, sizeof line, "%d枚目～%d枚目のカードです", 10 * gDeckPage + 1, 10 * gDeckPage + 10);
    text(resources, device, 40, 25, 290, 480, line, kStyleWhite);
    std::snprintf(line, sizeof line, "残り使用可能Cost:%d", gCostLeft);
    text(resources, device, 40, 325, 290, 480, line, kStyleWhite);
    static const int kRarityStyles[4] = {0, 40, 60, 50};  // white, cyan, pink, yellow
    for (int k = 0; k < 10; ++k) {
        const int card = 10 * (gDeckPage % 10) + k;
        if (!gCardStock[card].known) continue;
        const int rarity = gCardTable[card].rarity;
        int style = rarity <= 3 ? kRarityStyles[rarity] : kStyleWhite;
        if (gCardStock[card].count < 1 || rarity > gCostLeft) style = kStyleGrey;
        const int y = 60 + 25 * k;
        text(resources, device, 40, y, 290, 480, gCardTable[card].name, style);
        std::snprintf(line, sizeof line, "%d", gCardStock[card].count);
        text(resources, device, 40, y, 290, 480, line, style + kAlignRight);
        std::snprintf(line, sizeof line, "Cost:%d", rarity);
        text(resources, device, 315, y, 400, 480, line, style);
    }
    endTextFont();
}

void drawRewardChoice(GraphicsResources& resources, gfx::Device* device) {
    drawWindowFrame(resources, device, 150, 20, 340, 30);
    drawWindowFrame(resources, device, 150, 50, 340, 30);
    const int offered = gOpponentHand[gDuelCursor % kHandSlots].card;
    if (gRedrawRequest[1] == 1) {
        beginTextFont(device, kMenuFontHeight, kMenuFontFace);
        text(resources, device, 160, 25, 640, 480, "貰うカードを一枚選択してください。", kStyleWhite);
        const bool owned = validCard(offered) && gCardStock[offered].count >= 1;
        text(resources, device, 160, 55, 640, 480, cardName(offered), owned ? kStyleWhite : kStyleCyan);
        endTextFont();
    }
    for (int slot = 0; slot < kHandSlots; ++slot) {
        const HandSlot& hand = gOpponentHand[slot];
        if (hand.selected)
            drawCardWithRowValues(resources, device, hand.card, kCardModeHand, 0, 40.0f, 20.0f + 80.0f * slot);
        else
            drawCardWithRowValues(resources, device, hand.card, kCardModeHand, 1, 10.0f, 20.0f + 80.0f * slot);
    }
}

void drawMessage(GraphicsResources& resources, gfx::Device* device) {
    drawWindowFrame(resources, device, 110, 20, 340, 30);
    if (gRedrawRequest[1] != 1) return;
    char line[256];
    int style = kStyleWhite;
    if (gDuelPhase == 11) {
        std::snprintf(line, sizeof line, "%sのカードを手に入れた！", cardName(gOpponentHand[gDuelCursor % kHandSlots].card));
        style = kStyleCyan;
    } else if (gDuelPhase == 13) {
        std::snprintf(line, sizeof line, "%sのカードを奪われた・・・", cardName(gPlayerHand[gDuelCursor % kHandSlots].card));
        style = kStyleGrey;
    } else {
        std::snprintf(line, sizeof line, "%s", gDuelOpponent >= 10 ? "引き分けのため、もう一度戦います。" : "引き分けた。");
    }
    beginTextFont(device, kMenuFontHeight, kMenuFontFace);
    text(resources, device, 120, 25, 640, 480, line, style);
    endTextFont();
}

}  // namespace

void drawHandPointer(GraphicsResources& resources, gfx::Device* device, float x, float y) {
    if (device == nullptr || !resources.sprite) return;
    const gfx::Vec2 scale{1.5f, 1.5f};
    const gfx::Vec2 at{x - 10.0f, y};
    resources.sprite->begin();
    resources.sprite->draw(resources.pointerHand.get(), nullptr, &scale, nullptr, 0.0f, &at, kWhite);
    resources.sprite->end();
}

void drawDuelCard(GraphicsResources& resources, gfx::Device* device, int card, int /*mode*/, int ownerFlag,
                  const unsigned char values[4], gfx::Vec2 position) {
    if (device == nullptr || !resources.sprite) return;
    gfx::Texture* texture = nullptr;
    gfx::Rect src{};
    if (validCard(card)) {
        texture = resources.cardSheets[card / 20].get();
        const int picture = card % 20;
        const int left = kCardWidth * (picture % 5);
        const int top = kCardHeight * (picture / 5);
        src = gfx::Rect{left, top, left + kCardWidth, top + kCardHeight};
    } else {
        texture = resources.cardBack.get();
        const int left = card == kCardBack ? 0 : kCardWidth;  // the back, or the empty-cell frame
        src = gfx::Rect{left, 0, left + kCardWidth, kCardHeight};
    }
    const gfx::Vec2 centre{kCardWidth / 2.0f, kCardHeight / 2.0f};
    const bool turned = validCard(card) && ownerFlag == 1;
    resources.sprite->begin();
    resources.sprite->draw(texture, &src, nullptr, turned ? &centre : nullptr, turned ? kPi : 0.0f, &position, kWhite);
    resources.sprite->end();

    if (!validCard(card) || gRedrawRequest[0] != 1 || !resources.layer2Target) return;
    const int x = static_cast<int>(position.x);
    const int y = static_cast<int>(position.y);
    // Only this card's rectangle of layer 2 is cleared.
    device->setRenderTarget(resources.layer2Target.get());
    device->setViewport(gfx::Viewport{x, y, kCardWidth, kCardHeight, 0.0f, 1.0f});
    device->clear(gfx::kClearTarget, 0x00000000u, 1.0f, 0);
    device->setRenderTarget(resources.backBuffer);
    device->setViewport(gfx::Viewport{0, 0, gfx::kBackBufferWidth, gfx::kBackBufferHeight, 0.0f, 1.0f});

    // Layer 2 (target 1): dark grey for the player, orange-red for the opponent.
    const int colour = ownerFlag == 0 ? 1 : 2;
    const int centred = 100 + colour * 10 + 2;
    const int left = 100 + colour * 10 + 0;
    const int right = 100 + colour * 10 + 1;
    char figure[4];
    beginTextFont(device, kFigureFontHeight, kMenuFontFace);
    const int element = gCardTable[card].element;
    text(resources, device, x, y + 45, x + 85, y + kCardHeight, element < 10 ? kElementGlyphs[element] : "", centred);
    std::snprintf(figure, sizeof figure, "%d", values[kSideLeft]);
    text(resources, device, x + 5, y + 40, x + kCardWidth, y + kCardHeight, figure, left);
    std::snprintf(figure, sizeof figure, "%d", values[kSideTop]);
    text(resources, device, x, y, x + kCardWidth, y + kCardHeight, figure, centred);
    std::snprintf(figure, sizeof figure, "%d", values[kSideRight]);
    text(resources, device, x, y + 40, x + 85, y + kCardHeight, figure, right);
    std::snprintf(figure, sizeof figure, "%d", values[kSideBottom]);
    text(resources, device, x, y + 90, x + kCardWidth, y + kCardHeight, figure, centred);
    endTextFont();
}

void runCardDuel(GraphicsResources& resources, gfx::Device* device) {
    if (device != nullptr) {
        clearRequestedTextLayers(resources, device);
        device->clear(gfx::kClearTarget, kDuelBackground, 1.0f, 0);
    }

    drawBoard(resources, device);
    drawPlayerHand(resources, device);
    if (gDuelPhase != 0 && gDuelPhase != 10) drawOpponentHandFaceDown(resources, device);
    switch (gDuelPhase) {
        case 0: drawDeckBuilding(resources, device); break;
        case 5: {
            const int k = gDuelCursor % 9;
            drawHandPointer(resources, device, 120.0f + 90.0f * (k % 3), 100.0f + 120.0f * (k / 3));
            break;
        }
        case 10: drawRewardChoice(resources, device); break;
        case 11: case 13: case 14: drawMessage(resources, device); break;
        default: break;
    }

    const bool songNeedsNoChange = std::strcmp(gCurrentSong, gRememberedSong) == 0;
    stepCardDuel(gInputCode);
    // Ending with the song unchanged leaves the frame at once; the field
    // redraws both layers from its first frame.
    if (gScene != kDuelScene && songNeedsNoChange) return;

    drawTextLayers(resources, device);
    endTextLayerFrame();
}
