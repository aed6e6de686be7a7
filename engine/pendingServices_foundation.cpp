// Weak stand-ins for services other parts of the game provide, so that the
// game links and runs before they land; each real definition replaces its
// stand-in. Temporary: every group says what it waits for.
#include <cstdint>

#include "engine/Music.h"
#include "engine/Screens.h"
#include "engine/Sound.h"
#include "events/EventState.h"
#include "menus/Title.h"

#define PENDING __attribute__((weak))

// Until the screens land: each draws nothing.
PENDING void runField(GraphicsResources&, gfx::Device*) {}
PENDING void runFieldFadeIn(GraphicsResources&, gfx::Device*) {}
PENDING void runFieldEntryFromBlack(GraphicsResources&, gfx::Device*) {}
PENDING void runChapterSaveScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runBattleTransition(GraphicsResources&, gfx::Device*) {}
PENDING void drawBattleScene(GraphicsResources&, gfx::Device*) {}
PENDING void runBattleFrame(GraphicsResources&, gfx::Device*) {}
PENDING void runCampMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runItemMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runEquipMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runStoneMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runStatusScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runMagicMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runFormationMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runBodyguardScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runCardCatalogue(GraphicsResources&, gfx::Device*) {}
PENDING void runMenuSaveScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runShopScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runBankScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runCardDuel(GraphicsResources&, gfx::Device*) {}
PENDING void runBoatRace(GraphicsResources&, gfx::Device*) {}
PENDING void runStaffRoll(GraphicsResources&, gfx::Device*) {}
PENDING void runTitleScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runIntroAndTitleMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runLoadScreen(GraphicsResources&, gfx::Device*) {}

// Until sound effects land.
PENDING std::uint8_t gSoundAvailable = 0;
PENDING bool initSound() { return false; }
PENDING bool releaseSound() { return true; }
PENDING bool releaseEffectBuffer() { return true; }
PENDING bool playSoundEffect(const char*) { return false; }

// Until music lands.
PENDING char gRequestedSong[100] = {};
PENDING char gCurrentSong[100] = {};
PENDING char gRememberedSong[100] = {};
PENDING int gRememberedSongPos = 0;
PENDING int gMusicVolume = 0;
PENDING std::uint8_t gSlowMusicFade = 0;
PENDING std::uint8_t gMusicLock = 0;
PENDING bool playSong(const char*, int) { return false; }
PENDING bool stopMusic() { return true; }
PENDING bool releaseMusic() { return true; }
PENDING void saveSongPosition(int* position) {
    if (position != nullptr) *position = 0;
}
PENDING void updateMusic() {}

// Until the event engine and the title screens land.
PENDING int gCurrentMap = 0;
PENDING int gFieldEvent = 0;
PENDING int gEventStep = 0;
PENDING std::uint8_t gStoryFlags[1000] = {};
PENDING int gTitleCounter = 0;

