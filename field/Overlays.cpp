#include "field/Overlays.h"

#include <cstdio>

#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "field/EventState.h"
#include "field/FieldState.h"
#include "gamedata/GameData.h"

std::uint8_t gMoneyWindow = 0;
std::uint8_t gFloorPanelShown = 0;

namespace {

const char* const kCurrencyNames[kCurrencyCount] = {"フォッグ", "コイン", "銭"};
const char* const kOverlayFontFace = "MS UI Gothic";
constexpr int kIconsInStrip = 16;

}  // namespace

void resetOverlays() {
    gMoneyWindow = 0;
    gFloorPanelShown = 0;
}

const char* currencyName(int currency) {
    return currency >= 0 && currency < kCurrencyCount ? kCurrencyNames[currency] : "";
}

bool floorServedByZone(int zone, int floor) {
    switch (zone) {
    case 0: return floor >= 1 && floor <= 5;
    case 1:
    case 2: return floor >= 7 && floor <= 14;
    case 3: return floor >= 15 && floor <= 19;
    default: return false;
    }
}

void drawMoneyWindow(GraphicsResources& resources, gfx::Device* device) {
    beginTextFont(device, 20, kOverlayFontFace);
    gRedrawRequest[0] = 1;
    // A region index outside the three balances shows nothing rather than
    // reading past them.
    const int currency = gRegionCurrency;
    char number[24];
    if (currency >= 0 && currency < kCurrencyCount) {
        std::snprintf(number, sizeof number, "%d", gMoney[currency]);
        drawText(resources, device, {440, 22, 620, 480}, currencyName(currency), 100);
        drawText(resources, device, {440, 22, 620, 480}, number, 101);
    }
    const bool withLoan = gMoneyWindow == 2;
    if (withLoan) {
        std::snprintf(number, sizeof number, "%d", gLoan);
        drawText(resources, device, {440, 52, 620, 480}, "借入金", 120);
        drawText(resources, device, {440, 52, 620, 480}, number, 121);
    }
    drawWindowFrame(resources, device, 430.0f, 13.0f, 200.0f, withLoan ? 70.0f : 40.0f);
    gRedrawRequest[0] = 2;
    endTextFont();
}

void drawMarkers(GraphicsResources& resources, gfx::Device* device) {
    if (device == nullptr || !resources.quadVertices) return;
    const gfx::Colour colour = gFieldTintActive == 0
                                   ? 0xFFFFFFFFu
                                   : gfx::colourFromFloats(gFieldTint[0], gFieldTint[1], gFieldTint[2], gFieldTint[3]);
    for (int i = 0; i < 10; ++i) {
        const FieldMarker& marker = gFieldMarkers[i];
        if (marker.present == 0) continue;
        gfx::Vertex* v = resources.quadVertices->lock();
        if (v == nullptr) return;
        const float left = marker.x - 0.25f;
        const float right = marker.x + 0.25f;
        const float top = marker.y + 0.5f;
        const float u0 = static_cast<float>(i + 1) / kIconsInStrip;
        const float u1 = static_cast<float>(i + 2) / kIconsInStrip;
        v[0] = {left, top, marker.z, colour, u0, 0.0f};
        v[1] = {right, top, marker.z, colour, u1, 0.0f};
        v[2] = {left, marker.y, marker.z, colour, u0, 1.0f};
        v[3] = {right, marker.y, marker.z, colour, u1, 1.0f};
        resources.quadVertices->unlock();
        device->setRenderState(gfx::kRsAlphaTestEnable, 1);
        device->setRenderState(gfx::kRsAlphaRef, 127);
        device->setRenderState(gfx::kRsAlphaFunc, gfx::kCmpGreater);
        device->setTexture(resources.iconStrip.get());
        resources.worldMatrix = gfx::matrixIdentity();
        device->setTransform(gfx::TransformKind::World, resources.worldMatrix);
        device->drawPrimitive(gfx::Primitive::TriangleStrip, resources.quadVertices.get(), 0, 2);
    }
}

void drawFloorSelect(GraphicsResources& resources, gfx::Device* device, int zone, int cursor) {
    drawWindowFrame(resources, device, 30.0f, 145.0f, 300.0f, 30.0f);
    drawWindowFrame(resources, device, 30.0f, 175.0f, 300.0f, 110.0f);
    beginTextFont(device, 15, kOverlayFontFace);
    drawText(resources, device, {30, 150, 330, 170}, "行く階層を選択してください", 132);
    char label[16];
    if (gStoryFlags[100] == 1) {
        for (int floor = 1; floor <= 5; ++floor) {
            std::snprintf(label, sizeof label, "%d F", floor);
            drawText(resources, device, {50, 160 + 20 * floor, 250, 180 + 20 * floor}, label, 100);
        }
        endTextFont();
        drawMenuCursor(resources, device, 40.0f, static_cast<float>(180 + 20 * cursor), 280);
    } else {
        for (int floor = 1; floor <= 20; ++floor) {
            const int column = (floor - 1) / 5;
            const int line = (floor - 1) % 5;
            std::snprintf(label, sizeof label, "%d F", floor);
            drawText(resources, device, {50 + 75 * column, 180 + 20 * line, 250 + 75 * column, 200 + 20 * line}, label,
                     floorServedByZone(zone, floor) ? 100 : 110);
        }
        endTextFont();
        // The cursor is a signed byte of the story flags; C's division and
        // remainder keep a negative one beside the panel, as it always was.
        drawMenuCursor(resources, device, static_cast<float>(40 + 75 * (cursor / 5)),
                       static_cast<float>(180 + 20 * (cursor % 5)), 60);
    }
    gRedrawRequest[0] = 2;
}
