#include "menus/SlotChooser.h"

#include <cstdio>

#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "gamedata/SaveFile.h"

const int kSlotPanelPositions[4][2] = {{15, 120}, {325, 120}, {15, 280}, {325, 280}};
const char* const kSlotFontFace = "HG創英角ﾎﾟｯﾌﾟ体";

namespace {

constexpr float kPanelAlpha = 0.9f;
constexpr int kStoneIconSize = 32;

// Writes one text into layer 2 in a colour of its own (drawText knows only
// its fixed colours), left-aligned in a rectangle reaching to the screen's
// corner. The caller holds the font block.
void drawLayer2Text(GraphicsResources& resources, gfx::Device* device, int x, int y, const char* text,
                    gfx::Colour colour) {
    if (!gTextFont) return;
    gLayer2HasText = 1;
    device->setRenderTarget(resources.layer2Target.get());
    gfx::Rect rect{x, y, gfx::kBackBufferWidth, gfx::kBackBufferHeight};
    gTextFont->begin();
    gTextFont->drawText(text, -1, &rect, gfx::kDtLeft | gfx::kDtNoClip, colour);
    gTextFont->end();
    device->setRenderTarget(resources.backBuffer);
}

void drawSlotTexts(GraphicsResources& resources, gfx::Device* device, int slot, float brightness) {
    SlotSummary& summary = gSaveSlots[slot];
    summary.status = readSaveFile(slot, 1);
    const int x = kSlotPanelPositions[slot][0];
    const int y = kSlotPanelPositions[slot][1];
    const gfx::Colour colour =
        gfx::colourFromFloats(brightness - 0.5f, brightness - 0.2f, brightness, kPanelAlpha);
    if (summary.status != 0) {
        for (auto& flag : summary.stoneFlags) flag = 0;
        beginTextFont(device, kSlotNoDataFontHeight, kSlotFontFace);
        drawLayer2Text(resources, device, x + 90, y + 35, "No Data", colour);
        endTextFont();
        return;
    }
    char line[160];
    beginTextFont(device, kSlotFontHeight, kSlotFontFace);
    std::snprintf(line, sizeof line, "レベル　%d", summary.level);
    drawLayer2Text(resources, device, x + 25, y + 12, line, colour);
    char time[32];
    formatPlayTime(summary.playSeconds, time, sizeof time);
    std::snprintf(line, sizeof line, "プレイタイム　%s", time);
    drawLayer2Text(resources, device, x + 25, y + 37, line, colour);
    drawLayer2Text(resources, device, x + 25, y + 62, summary.placeLabel, colour);
    endTextFont();
}

}  // namespace

void formatPlayTime(int seconds, char* out, std::size_t size) {
    // A damaged header may hold anything: negative times show as 0:00:00.
    const long long t = seconds < 0 ? 0 : seconds;
    const long long minutes = t / 60 % 60;
    const long long secs = t % 60;
    std::snprintf(out, size, "%lld:%s%lld:%s%lld", t / 3600, minutes > 9 ? "" : "0", minutes, secs > 9 ? "" : "0",
                  secs);
}

int moveSaveSlotCursor(int inputCode) {
    int step = 0;
    switch (inputCode) {
    case 2: step = 2; break;
    case 4: step = -1; break;
    case 6: step = 1; break;
    case 8: step = -2; break;
    default: break;
    }
    if (step != 0) {
        gSaveSlotCursor += step;
        gRedrawRequest[0] = 1;
    }
    if (gSaveSlotCursor < 0) gSaveSlotCursor += kSaveSlotCount;
    if (gSaveSlotCursor >= kSaveSlotCount) gSaveSlotCursor -= kSaveSlotCount;
    return gSaveSlotCursor;
}

int runSaveSlotChooser(GraphicsResources& resources, gfx::Device* device) {
    if (gRedrawRequest[0] == 1) clearTextLayer(resources, device, resources.layer2Target.get());
    for (int slot = 0; slot < kSaveSlotCount; ++slot) {
        const float b = slot == gSaveSlotCursor ? 1.0f : 0.5f;
        const gfx::Colour panelColour = gfx::colourFromFloats(b, b, b, kPanelAlpha);
        const int x = kSlotPanelPositions[slot][0];
        const int y = kSlotPanelPositions[slot][1];
        const gfx::Rect panel{0, 0, 300, 150};
        const gfx::Vec2 at{static_cast<float>(x), static_cast<float>(y)};
        resources.sprite->begin();
        resources.sprite->draw(resources.saveSlotPanel.get(), &panel, nullptr, nullptr, 0.0f, &at, panelColour);
        resources.sprite->end();

        if (gRedrawRequest[0] == 1) drawSlotTexts(resources, device, slot, b);

        resources.sprite->begin();
        for (int k = 0; k < kStoneFlagCount; ++k) {
            const int flag = gSaveSlots[slot].stoneFlags[k];
            if (flag != 1 && flag != 2) continue;
            const int column = flag == 1 ? k + 1 : 11;
            const gfx::Rect icon{column * kStoneIconSize, 0, (column + 1) * kStoneIconSize, kStoneIconSize};
            const gfx::Vec2 iconAt{static_cast<float>(x + 22 + kStoneIconSize * k), static_cast<float>(y + 102)};
            resources.sprite->draw(resources.iconStrip.get(), &icon, nullptr, nullptr, 0.0f, &iconAt, panelColour);
        }
        resources.sprite->end();
    }
    resources.sprite->begin();
    drawTextLayer(resources, resources.layer2Target.get());
    resources.sprite->end();
    if (gRedrawRequest[0] == 1) gRedrawRequest[0] = 0;
    return moveSaveSlotCursor(gInputCode);
}
