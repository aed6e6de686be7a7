#include "menus/CampState.h"

int gCampMenuCursor = 0;
std::uint8_t gResetConfirmOpen = 0;
std::uint8_t gResetConfirmChoice = 0;
std::uint8_t gCampMenuAllowed = 0;
int gMenuSelectedItem = kNoSelectedItem;
int gMenuTargetCursor = 0;
std::uint8_t gCampFamilyOpen = 0;
std::uint8_t gSaveNotWritten = 0;
std::uint8_t gAutosaveNotWritten = 0;

void resetCampState() {
    gCampMenuCursor = 0;
    gResetConfirmOpen = 0;
    gResetConfirmChoice = 0;
    gCampMenuAllowed = 0;
    gMenuSelectedItem = kNoSelectedItem;
    gMenuTargetCursor = 0;
    gCampFamilyOpen = 0;
    gSaveNotWritten = 0;
    gAutosaveNotWritten = 0;
}
