#include "menus/SaveScreens.h"

#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "menus/CampMenu.h"
#include "battle/BattleServices.h"
#include "gamedata/SaveFile.h"
#include "menus/SlotChooser.h"
#include "menus/CampScreenParts.h"

namespace {

void runSaveScreen(GraphicsResources& resources, gfx::Device* device, int returnScene) {
    if (device != nullptr) {
        device->setRenderTarget(resources.backBuffer);
        device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFF000000u, 1.0f, 0);
        if (resources.sprite && resources.menuStrips) {
            const gfx::Rect caption{0, 448, 277, 504};
            const gfx::Vec2 at{182.0f, 40.0f};
            resources.sprite->begin();
            resources.sprite->draw(resources.menuStrips.get(), &caption, nullptr, nullptr, 0.0f, &at, 0xE5FFFFFFu);
            resources.sprite->end();
        }
    }
    const int slot = runSaveSlotChooser(resources, device);
    if (gInputCode == kInputDecide) {
        campSound("Kettei.wav");
        if (slot >= 0 && slot <= 3) saveIntoSlot(slot);
    } else if (gInputCode == kInputCancel) {
        campSound("Can.wav");
    } else {
        return;
    }
    gRedrawRequest[0] = 1;
    gRedrawRequest[1] = 1;
    gScene = returnScene;
}

}  // namespace

SaveWriter gSaveWriter = writeSaveFile;

void saveIntoSlot(int slot) {
    currentPlaySeconds();  // a clock set back moves the session start, never the time
    if (gSaveWriter != nullptr) gSaveWriter(slot);
}

void runMenuSaveScreen(GraphicsResources& resources, gfx::Device* device) {
    runSaveScreen(resources, device, kSceneCampMenu);
}

void runChapterSaveScreen(GraphicsResources& resources, gfx::Device* device) { runSaveScreen(resources, device, 0); }
