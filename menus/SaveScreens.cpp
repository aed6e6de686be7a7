#include "menus/SaveScreens.h"

#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "menus/CampMenu.h"
#include "menus/CampState.h"
#include "battle/BattleServices.h"
#include "gamedata/SaveFile.h"
#include "menus/SlotChooser.h"
#include "menus/CampScreenParts.h"

namespace {

// The window under the four slots that says the save was not written.
void drawSaveFailure(GraphicsResources& resources, gfx::Device* device) {
    if (device == nullptr) return;
    drawWindowFrame(resources, device, 120, 438, 400, 36);
    beginTextFont(device, kMenuFontHeight, kMenuFontFace);
    drawText(resources, device, gfx::Rect{120, 448, 520, 480}, kSaveNotWrittenText,
             kCurrentTarget + kOrange + kAlignCentre);
    endTextFont();
}

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
    if (gInputCode != kInputNone) gSaveNotWritten = 0;  // the player has read it
    if (gInputCode == kInputDecide) {
        if (slot >= 0 && slot <= 3 && saveIntoSlot(slot) != 0) {
            // Nothing was written: the player stays here, told so, and can
            // try again or leave; the slot keeps what it had.
            campSound("Buza.wav");
            gSaveNotWritten = 1;
            drawSaveFailure(resources, device);
            return;
        }
        campSound("Kettei.wav");
    } else if (gInputCode == kInputCancel) {
        campSound("Can.wav");
    } else {
        if (gSaveNotWritten == 1) drawSaveFailure(resources, device);
        return;
    }
    gRedrawRequest[0] = 1;
    gRedrawRequest[1] = 1;
    gScene = returnScene;
}

}  // namespace

const char* const kSaveNotWrittenText = "セーブできませんでした。以前のデータはそのままです。";

SaveWriter gSaveWriter = writeSaveFile;

int saveIntoSlot(int slot) {
    currentPlaySeconds();  // a clock set back moves the session start, never the time
    if (gSaveWriter == nullptr) return 0;
    return gSaveWriter(slot);
}

void runMenuSaveScreen(GraphicsResources& resources, gfx::Device* device) {
    runSaveScreen(resources, device, kSceneCampMenu);
}

void runChapterSaveScreen(GraphicsResources& resources, gfx::Device* device) { runSaveScreen(resources, device, 0); }
