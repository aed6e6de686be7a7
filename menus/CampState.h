// The camp menu's own state and the state its screens share beyond the menu
// globals of menus/MenuState.h: the menu cursor, the reset confirmation, the
// item screen's selection and target, and whether the field may open the menu.
#pragma once

#include <cstdint>

constexpr int kCampEntryCount = 10;

extern int gCampMenuCursor;               // 0-9, kept between openings; 0 at a new game
extern std::uint8_t gResetConfirmOpen;    // 1 while the reset confirmation window is open
extern std::uint8_t gResetConfirmChoice;  // 0 "キャンセル", 1 "タイトルに戻る"
extern std::uint8_t gCampMenuAllowed;     // 1: the cancel key opens the camp menu on the field

// The item screen: the item id under the list cursor (9999 on an empty slot)
// and the party slot chosen as the target of a recovery item.
constexpr int kNoSelectedItem = 9999;
extern int gMenuSelectedItem;
extern int gMenuTargetCursor;

// 1 while the camp menu or one of its screens runs: the camp menu loads the
// party's portrait sheet when it is entered from anywhere else.
extern std::uint8_t gCampFamilyOpen;

// Saves that could not be written, told to the player: 1 while a save
// screen shows that its last save was not written (until the next key), and
// 1 while the camp menu shows that the autosave was not (until it closes).
extern std::uint8_t gSaveNotWritten;
extern std::uint8_t gAutosaveNotWritten;

void resetCampState();
