// Scene 100: the 3D part of a battle frame, then the phase machine with the
// party status panel, the cached text layers and the turn-order preview.
#include "battle/BattlePhases.h"
#include "battle/BattleServices.h"
#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"

namespace {

constexpr gfx::Colour kBackgroundTint = 0xFF969696u;
constexpr gfx::Colour kShadowTint = 0xCC333333u;

// One piece of a cached layer at its own place: its shadow, then the text.
void drawLayerPiece(GraphicsResources& resources, gfx::Texture* layer, int left, int top, int right, int bottom) {
    if (!layer || !resources.sprite) return;
    const gfx::Rect src{left, top, right, bottom};
    const gfx::Vec2 shadow{static_cast<float>(left + 1), static_cast<float>(top + 1)};
    const gfx::Vec2 at{static_cast<float>(left), static_cast<float>(top)};
    resources.sprite->draw(layer, &src, nullptr, nullptr, 0.0f, &shadow, kShadowTint);
    resources.sprite->draw(layer, &src, nullptr, nullptr, 0.0f, &at, 0xFFFFFFFFu);
}

void drawLayer1Pieces(GraphicsResources& resources) {
    gfx::Texture* layer = resources.layer1Target.get();
    const int phase = gBattleAction.phase;
    if (gBattleRewards.messageLock == 1) {
        drawLayerPiece(resources, layer, 0, 0, 640, 480);
    } else if (phase == kPhaseActionRun) {
        drawLayerPiece(resources, layer, 0, 0, 640, 50);
        if (gKeyGameShown == 1) drawLayerPiece(resources, layer, 0, 260, 640, 480);
        if (gSkillBonus != 0) drawLayerPiece(resources, layer, 0, 350, 640, 400);
    } else if (phase == kPhaseVictory) {
        drawLayerPiece(resources, layer, 0, 0, 640, 480);
    } else {
        drawLayerPiece(resources, layer, 0, 0, 640, 30);
        drawLayerPiece(resources, layer, 0, 320, 640, 480);
    }
}

bool previewHidden(int group) { return group == 1 || group == 88 || group == 89; }

}  // namespace

void drawBattleScene(GraphicsResources& resources, gfx::Device* device) {
    if (!device) return;
    device->clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, 0, 1.0f, 0);
    if (resources.sprite && resources.pictureTexture) {
        const gfx::Rect src{0, 0, 640, 480};
        const gfx::Vec2 at{0.0f, 0.0f};
        resources.sprite->begin();
        resources.sprite->draw(resources.pictureTexture.get(), &src, nullptr, nullptr, 0.0f, &at, kBackgroundTint);
        resources.sprite->end();
    }
    updateCamera(resources, device);
    drawBattleField(resources, device);
    updateDamagePopups(resources, device);
    moveCamera(resources, device, kDefaultBattleView, kDefaultBattleDistance, 0);
}

void runBattleFrame(GraphicsResources& resources, gfx::Device* device) {
    if (!device) return;
    BattleActionBlock& a = gBattleAction;
    gKeyGameShown = 0;
    clearRequestedTextLayers(resources, device);

    if (a.phase == kPhaseStoryEvent) runBattleStoryEvents(resources, device);
    if (gCommandCode != kNormalPlayCommand) {
        if (gCommandCode == kCommandInstantWin) a.phase = kPhaseVictory;
        if (gCommandCode == kCommandInstantLoss) a.phase = kPhaseWipeOut;
    }
    if (gBattleGroup == 2 || gBattleGroup == 15) runBattleLectures(resources, device);

    runBattlePhase(resources, device);
    // The phase handler may have ended the battle; the rest of the frame still draws.

    if (gBattleType != kBattleAutomatic) drawPartyStatusPanel(resources, device);
    if (gBattleType == kBattleAutomatic && a.phase == kPhaseCommand && gInBattle == 1)
        runAutomaticAction(resources, device);

    if (resources.sprite) {
        resources.sprite->begin();
        drawLayerPiece(resources, resources.layer2Target.get(), 300, 400, 640, 480);
        resources.sprite->end();
    }
    if (a.phase == kPhaseItemList) runBattleItemList(resources, device);
    if (resources.sprite) {
        resources.sprite->begin();
        drawLayer1Pieces(resources);
        resources.sprite->end();
    }
    endTextLayerFrame();

    if (!previewHidden(gBattleGroup) && a.phase < kPhaseActionStart && gBattleRewards.messageLock == 0)
        drawTurnOrder(resources, device);
}
