// Scene 1002: the load screen, the slot chooser over the title town.
#include <cstring>
#include <memory>

#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/Sound.h"
#include "engine/TextLayers.h"
#include "events/EventEngine.h"
#include "events/EventPrimitives.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "field/Transitions.h"
#include "gamedata/SaveFile.h"
#include "menus/SlotChooser.h"
#include "menus/Title.h"

namespace {

constexpr gfx::Colour kCaptionColour = 0xE5FFFFFFu;

void drawBackdrop(GraphicsResources& resources) {
    if (!resources.sprite) return;
    const gfx::Vec2 origin{0.0f, 0.0f};
    const gfx::Rect caption{0, 280, 277, 336};  // the highlighted "Continue"
    const gfx::Vec2 captionAt{182.0f, 40.0f};
    resources.sprite->begin();
    if (resources.layer1Target)
        resources.sprite->draw(resources.layer1Target.get(), nullptr, nullptr, nullptr, 0.0f, &origin, 0xFFFFFFFFu);
    if (resources.menuStrips)
        resources.sprite->draw(resources.menuStrips.get(), &caption, nullptr, nullptr, 0.0f, &captionAt,
                               kCaptionColour);
    resources.sprite->end();
}

// Puts a checked save into play and hands over to the fade-in, which
// darkens the title town's snapshot before the loaded game appears.
void enterLoadedGame(GraphicsResources& resources, gfx::Device* device, const SaveState& save) {
    gRedrawRequest[0] = 0;
    if (device != nullptr && resources.layer2Target) {
        device->setRenderTarget(resources.layer2Target.get());
        device->clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, 0x00000000u, 1.0f, 0);
        device->setRenderTarget(resources.backBuffer);
    }
    gScene = 1000;
    runField(resources, device);
    gScene = 1;
    // The map file gives the object cells; the save gives everything else.
    loadMap(save.map);
    commitSaveState(save);
    playSoundEffect("Kettei.wav");
    gRedrawRequest[0] = 2;
    gRedrawRequest[1] = 2;
    gPauseCounter = 0;
    gCameraSnap = 2;
    stopMusic();
    releaseMusic();
    std::memcpy(gRequestedSong, gCurrentSong, sizeof gRequestedSong);
    gCurrentSong[0] = '\0';
    gPendingMapChange.pending = 0;
    gTransitionFrame = 0;
}

}  // namespace

void runLoadScreen(GraphicsResources& resources, gfx::Device* device) {
    drawBackdrop(resources);
    const int slot = runSaveSlotChooser(resources, device);
    if (gInputCode == 5) {
        playSoundEffect("Can.wav");
        gScene = 1001;  // the menu: the crawl has been shown or skipped
        gInputCode = 0;
        return;
    }
    if (gInputCode != 10) return;
    gInputCode = 0;
    // The whole file is read and checked before anything changes: a missing,
    // short or damaged save is refused here and the title stays as it was.
    SaveLoadError error = SaveLoadError::kNone;
    const std::unique_ptr<SaveState> save =
        readSaveFile(slot, 1) == 0 ? stageSaveFile(slot, error) : nullptr;
    if (!save) {
        playSoundEffect("Buza.wav");
        return;
    }
    enterLoadedGame(resources, device, *save);
}
