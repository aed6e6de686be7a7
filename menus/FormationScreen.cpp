#include "menus/FormationScreen.h"

#include <cstdio>

#include "engine/Config.h"
#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "menus/CampMenu.h"
#include "battle/BattleServices.h"
#include "gamedata/SaveFile.h"
#include "menus/SlotChooser.h"
#include "menus/CampScreenParts.h"
#include "menus/MenuState.h"

namespace {

const char* const kRowNames[3] = {"後衛", "中衛", "前衛"};
const int kAttackPercent[3] = {60, 100, 130};
const int kAttackStyle[3] = {kLayer2 + kOrange, kLayer2 + kWhite, kLayer2 + kCyan};
const int kDefencePercent[3] = {130, 100, 60};
const int kDefenceStyle[3] = {kLayer2 + kCyan, kLayer2 + kWhite, kLayer2 + kOrange};
const float kActorXByRow[3] = {4.0f, 6.0f, 8.0f};
const float kActorZByPosition[3] = {10.0f, 4.0f, 16.0f};

int validFormation() { return gFormation >= 0 && gFormation < kFormationCount ? gFormation : 0; }
int validOrder() { return gFormationOrder >= 0 && gFormationOrder < kFormationOrderCount ? gFormationOrder : 0; }

void drawPanel(GraphicsResources& resources, gfx::Device* device) {
    beginTextFont(device, kMenuFontHeight, kMenuFontFace);
    for (int k = 0; k < kFormationCount; ++k)
        campText(resources, device, 30, 25 + 25 * k, 210, gFormations[k].name,
                 kLayer2 + (k == gFormation ? kYellow : kWhite));
    int y = 300;
    char line[48];
    for (int slot = 0; slot < 3; ++slot) {
        const int u = partyUnit(slot);
        if (u == 0) continue;
        const int row = formationRowOfSlot(slot);
        campText(resources, device, 60, y, 640, gUnitBases[u].name, kLayer2 + kGreen);
        for (int k = 0; k < 2; ++k) {
            const int yy = y + 25 * k;
            const int kind = k == 0 ? kStatAttack : kStatDefence;
            const int style = k == 0 ? kAttackStyle[row] : kDefenceStyle[row];
            const int percent = k == 0 ? kAttackPercent[row] : kDefencePercent[row];
            drawText(resources, device, gfx::Rect{175, yy, 640, 480}, k == 0 ? "攻撃力" : "防御力", kLayer2 + kWhite);
            std::snprintf(line, sizeof line, "%ld", static_cast<long>(statBeforeRowFactor(u, kind)));
            drawText(resources, device, gfx::Rect{200, yy, 300, 480}, line, kLayer2 + kWhite + kAlignRight);
            drawText(resources, device, gfx::Rect{300, yy, 350, 480}, "×", kLayer2 + kWhite + kAlignCentre);
            std::snprintf(line, sizeof line, "%s(%d%%)", kRowNames[row], percent);
            drawText(resources, device, gfx::Rect{350, yy, 450, 480}, line, style);
            drawText(resources, device, gfx::Rect{450, yy, 500, 480}, "＝", kLayer2 + kWhite + kAlignCentre);
            std::snprintf(line, sizeof line, "%ld", static_cast<long>(computeUnitStat(u, kind)));
            drawText(resources, device, gfx::Rect{450, yy, 550, 480}, line, style + kAlignRight);
        }
        y += 60;
    }
    endTextFont();
}

void formationKeys() {
    switch (gInputCode) {
        case kInputDown:
            gSubScreenCursor = (gSubScreenCursor + 1) % kFormationCount;
            break;
        case kInputUp:
            gSubScreenCursor = (gSubScreenCursor + kFormationCount - 1) % kFormationCount;
            break;
        case kInputDecide:
            campSound("Kettei.wav");
            if (gSubScreenCursor != gFormation)
                gFormation = gSubScreenCursor;
            else
                gFormationOrder = (validOrder() + 1) % kFormationOrderCount;
            gRedrawRequest[0] = 2;
            break;
        case kInputCancel:
            campSound("Can.wav");
            gScene = kSceneCampMenu;
            gRedrawRequest[0] = 2;
            break;
        default:
            break;
    }
}

}  // namespace

int formationRowOfSlot(int slot) {
    if (slot < 0 || slot > 2) return 1;
    const int position = gFormationOrders[validOrder()][slot];
    const int row = gFormations[validFormation()].row[position];
    return row >= 0 && row <= 2 ? row : 1;
}

void formationActorSpot(int slot, float& x, float& z) {
    const int s = slot >= 0 && slot <= 2 ? slot : 0;
    x = kActorXByRow[formationRowOfSlot(s)];
    z = kActorZByPosition[gFormationOrders[validOrder()][s]];
}

int statBeforeRowFactor(int unit, int kind) {
    // The unit stat rule leaves the row factor out while no formation is
    // chosen; the stat before the factor is worked out that way.
    const int saved = gFormation;
    gFormation = -1;
    const int value = computeUnitStat(unit, kind);
    gFormation = saved;
    return value;
}

void paintFormationGround(GraphicsResources& resources, gfx::Device* device) {
    if (device == nullptr || lowSpecGraphics() || !resources.groundTarget || !resources.sprite) return;
    device->setRenderTarget(resources.groundTarget.get());
    device->clear(gfx::kClearTarget, 0xFFFFFFFFu, 1.0f, 0);
    const int c = 1;
    const int r = 1;
    const gfx::Rect src{static_cast<int>(51.2f * c + 1), static_cast<int>(51.2f * r + 1),
                        static_cast<int>(51.2f * (c + 1)), static_cast<int>(51.2f * (r + 1))};
    const gfx::Vec2 scale{0.7f, 0.7f};
    resources.sprite->begin();
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j) {
            const gfx::Vec2 at{32.0f * i, 32.0f * j};
            resources.sprite->draw(resources.tileAtlas.get(), &src, &scale, nullptr, 0.0f, &at, 0xFFFFFFFFu);
        }
    }
    resources.sprite->end();
    device->setRenderTarget(resources.backBuffer);
}

void setFormationCamera(gfx::Device* device) {
    if (device == nullptr) return;
    const gfx::Viewport vp = device->viewport();
    if (vp.width <= 0 || vp.height <= 0) return;
    const float aspect = static_cast<float>(vp.width) / static_cast<float>(vp.height);
    device->setTransform(gfx::TransformKind::Projection,
                         gfx::matrixPerspectiveFovLH(3.14159265f / 4.0f, aspect, 1.0f, 1000.0f));
    device->setTransform(gfx::TransformKind::View,
                         gfx::matrixLookAtLH(gfx::Vec3{10.0f, 3.0f, -7.5f}, gfx::Vec3{10.0f, 1.0f, 10.0f},
                                             gfx::Vec3{0.0f, 1.0f, 0.0f}));
}

void runFormationMenu(GraphicsResources& resources, gfx::Device* device) {
    if (gSubScreenCursor < 0 || gSubScreenCursor >= kFormationCount) gSubScreenCursor = 0;
    if (gRedrawRequest[0] == 1 && device != nullptr && resources.layer2Target)
        clearTextLayer(resources, device, resources.layer2Target.get());
    placeFormationActors();
    if (device != nullptr && resources.layer1Target) {
        device->setRenderTarget(resources.layer1Target.get());
        device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFF000000u, 1.0f, 0);
        setFormationCamera(device);
        drawBattleField(resources, device);
        device->setRenderTarget(resources.backBuffer);
    }
    clearCampBackBuffer(resources, device);
    drawWindowFrame(resources, device, 10, 10, 200, 270);
    drawWindowFrame(resources, device, 10, 290, 620, 180);
    drawMenuCursor(resources, device, 15, 23 + 25 * gSubScreenCursor, 190);
    if (gRedrawRequest[0] == 1) drawPanel(resources, device);
    formationKeys();
    if (device != nullptr && resources.sprite) {
        resources.sprite->begin();
        drawTextLayer(resources, resources.layer2Target.get());
        if (resources.layer1Target) {
            const gfx::Vec2 half{0.5f, 0.5f};
            const gfx::Vec2 at{265.0f, 20.0f};
            resources.sprite->draw(resources.layer1Target.get(), nullptr, &half, nullptr, 0.0f, &at, 0xFFFFFFFFu);
        }
        resources.sprite->end();
    }
    endTextLayerFrame();
}
