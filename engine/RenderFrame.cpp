#include "engine/RenderFrame.h"

#include "engine/Scene.h"

namespace {

const SceneEntry kSceneTable[] = {
    {0, runField, nullptr},
    {1, runFieldFadeIn, nullptr},
    {2, runFieldEntryFromBlack, nullptr},
    {9, runChapterSaveScreen, nullptr},
    {10, runBattleTransition, nullptr},
    {100, drawBattleScene, runBattleFrame},
    {200, runCampMenu, nullptr},
    {201, runItemMenu, nullptr},
    {202, runEquipMenu, nullptr},
    {203, runStoneMenu, nullptr},
    {204, runStatusScreen, nullptr},
    {205, runMagicMenu, nullptr},
    {206, runFormationMenu, nullptr},
    {207, runBodyguardScreen, nullptr},
    {209, runCardCatalogue, nullptr},
    {210, runMenuSaveScreen, nullptr},
    {300, runShopScreen, nullptr},
    {301, runBankScreen, nullptr},
    {400, runCardDuel, nullptr},
    {500, runBoatRace, nullptr},
    {900, runStaffRoll, nullptr},
    {1000, runTitleScreen, nullptr},
    {1001, runIntroAndTitleMenu, nullptr},
    {1002, runLoadScreen, nullptr},
};
constexpr int kSceneCount = sizeof kSceneTable / sizeof kSceneTable[0];

const SceneEntry* findIn(const SceneEntry* table, int count, int scene) {
    for (int i = 0; i < count; ++i) {
        if (table[i].scene == scene) return &table[i];
    }
    return nullptr;
}

}  // namespace

const SceneEntry* findScene(int scene) { return findIn(kSceneTable, kSceneCount, scene); }

void renderFrameWithTable(gfx::Device* device, GraphicsResources* resources, const SceneEntry* table, int count) {
    if (resources == nullptr || device == nullptr) return;
    device->beginScene();
    if (device->clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, 0xFF000000u, 1.0f, 0) < 0) {
        // Kept: a failed clear leaves the scene open and presents nothing.
        return;
    }
    // The entry is chosen once: a screen that assigns gScene hands over
    // from the next frame, and the battle's logic runs after its drawing
    // even when the drawing changed the scene.
    const SceneEntry* entry = findIn(table, count, gScene);
    if (entry != nullptr) {
        entry->first(*resources, device);
        if (entry->second != nullptr) entry->second(*resources, device);
    }
    device->endScene();
    device->present();
}

void renderFrame(gfx::Device* device, GraphicsResources* resources) {
    renderFrameWithTable(device, resources, kSceneTable, kSceneCount);
}
