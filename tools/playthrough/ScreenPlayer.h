// What a patient player presses on the screens other than free walking:
// messages and choices of a running scene, the battle's menus and key-press
// games, the shop's counter. Each returns an input code (engine/Input.h).
#pragma once

// The spray the line is healed with: the strongest one owned, 0 when none.
int bestSpray();

// A scene on the field: passes each message once typed, picks `wanted` at a
// choice window (at the lift car's floor panel, the place of the floor,
// floor - 1), and puts a still picture away once it stands.
int eventCode(int wanted);
// Whether the weapon skills picked from now on are the strongest open ones
// (else the first of the list).
void pickStrongestSkills(bool strongest);
// The share of his most HP (per cent) under which a member is healed in
// battle: 50 at the start.
void healUnder(int percent);
// One battle frame; `symbolBattle` when an enemy symbol was met on the way
// (run from while the party is hurt).
int battleCode(bool symbolBattle);
// The bank's counter: a loan that brings the loan up to `loanWanted`
// フォッグ (in hundreds), then out.
int bankCode(int loanWanted);
// Whether every member of the line has at least half of the most HP.
bool lineHealthy();
// The lowest level in the line.
int lineLevel();
// The camp menu and its screens: a magical stone that no one wears is
// equipped into a free stone slot of the line; with `saveSlot` 0-3 the game
// is saved there; then the menu is closed.
int campCode(int saveSlot);
// Whether a magical stone no one wears could go into a free stone slot.
bool stoneToWear();
// A save or load screen: the chooser's cursor to `slot`, then decide.
int chooseSlot(int slot);
// The title, its menu and the load screen: Game Start, or with `loadSlot`
// 0-3 Continue with that slot.
int titleCode(int loadSlot);
// The shop's counter: with `gearFirst` the gear upgrades the money pays for,
// then the sprays of the shopping list while the money lasts, then out.
int shopCode(bool gearFirst);
