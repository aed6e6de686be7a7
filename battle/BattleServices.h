// The services the battle's files call across one another: set-up and end,
// the damage resolver and popups, the turn scheduler, the menus, the camera,
// the battlers and effects, actor motion, and the entry points of the action
// scripts, the key-press game, the enemies' choice, the victory results and
// the scripted battles. The records they work on are in battle/BattleRecords.h.
#pragma once

#include <cstdint>

#include "battle/BattleRecords.h"
#include "platform/Gfx.h"

struct GraphicsResources;

// ---- Set-up and end ----

// Prepares the whole battle for an enemy group (0-109); leaves phase 102 so
// the first battle frame schedules the first turn.
void setUpBattle(int group);
// Leaves the battle for the field (scene 2).
void endBattle();
// Holds a battle message until decide; true in the frame it is confirmed.
bool waitBattleMessage();
// Turns a weapon-skill code (category * 10 + level), a stone-skill code
// (attribute * 10 + level) or an item id into the pending action and sets the
// target side; -1 for the kinds not used. Only the first that is not -1 counts.
void selectPendingAction(int weaponCode, int stoneCode, int itemId, int actorSide);
// A party slot's home and actor from the formation (used at the set-up and
// when the three-stage battle changes its party).
void setPartySlotHome(int slot);
// A party slot as a fresh fighter: statuses cleared, its own speed as its
// action value, then the worn items' statuses and first strike.
void preparePartySlot(int slot);

// ---- Damage and popups ----

// Queues one popup on the target with its value and kind fixed now; the
// change lands when the popup runs out, 20 frames later.
void resolveEffect(int actorSide, int actorIndex, int targetSide, int targetIndex, int power, int amount,
                   int effectType);
// Once a battle frame: applies the popups that run out, sets hit poses, draws
// every counting popup and counts them down. Headless with a null device.
void updateDamagePopups(GraphicsResources& resources, gfx::Device* device);
// True while any of the 25 popups still counts.
bool anyDamagePopupCounting();

// ---- Turn order ----

// Picks the next actor, applies the per-turn status ticks, and writes the
// result into gBattleRewards.outcome (ScheduleOutcome).
void scheduleNextTurn();
void drawTurnOrder(GraphicsResources& resources, gfx::Device* device);
void drawTurnOrderIcon(GraphicsResources& resources, gfx::Device* device, int icon, int entry, int slot);

// ---- Menus and targeting (phases 0-40 but 30) ----

void runCommandMenu(GraphicsResources& resources, gfx::Device* device);
void runAttackSkillMenu(GraphicsResources& resources, gfx::Device* device);
void runStoneSkillMenu(GraphicsResources& resources, gfx::Device* device);
void runBodyguardMenu(GraphicsResources& resources, gfx::Device* device);
void runEnemyTargetSelect(GraphicsResources& resources, gfx::Device* device);
void runAllyTargetSelect(GraphicsResources& resources, gfx::Device* device);
void runAllTargetConfirm(GraphicsResources& resources, gfx::Device* device);

// ---- Ground, battlers, camera, effects ----

// The default view of the battle: target (10, 1, 0) at distance 7.
extern const float kDefaultBattleView[3];
constexpr float kDefaultBattleDistance = 7.0f;
// Re-keys cameraTrack for a 300 ms glide in the follow mode toward target
// (moved 0.5 toward -z) at `distance`; force 0 only takes over a camera not
// yet in the battle's mode.
void moveCamera(GraphicsResources& resources, gfx::Device* device, const float target[3], float distance,
                std::uint8_t force);
// Ground, target marker and battlers.
void drawBattleField(GraphicsResources& resources, gfx::Device* device);
// The active effect slots; the action scripts call it in the frames their
// effects show.
void drawBattleEffects(GraphicsResources& resources, gfx::Device* device);

// ---- Actor motion ----

void beginMoveToTarget(int moverSide, int moverIndex, int targetSide, int targetIndex);
void beginMoveInPlace(int side, int index);
void beginMoveHome(int side, int index);
void beginMoveOffset(float dx, float dy, float dz);
// Target 0 a party battler, 1 an enemy battler, 2 an effect slot; 0 while
// moving, 1 once the move has ended.
int stepActorMove(int target, int index, float framesPerUnit);
// 1 on the call that finds gWaitCounter at n (and at or past it), then 0.
int waitFrames(int n);
float shakeOffset(int frequency);

// ---- Party status panel ----

void drawPartyStatusPanel(GraphicsResources& resources, gfx::Device* device);

// ---- Sound ----

// Every battle sound goes through here: playSoundEffect unless a test puts
// its own recorder in.
using BattleSoundFunction = bool (*)(const char* fileName);
extern BattleSoundFunction gBattleSound;
inline void playBattleSound(const char* fileName) { gBattleSound(fileName); }

// ---- Entry points built in the other battle files ----

// One frame of the running action's script; 1 in the frame the action ends.
int runWeaponSkillAction(GraphicsResources& resources, gfx::Device* device);
int runStoneSkillAction(GraphicsResources& resources, gfx::Device* device);
int runItemAction(GraphicsResources& resources, gfx::Device* device);
// One frame of the battle item list (phase 30).
void runBattleItemList(GraphicsResources& resources, gfx::Device* device);
// One frame of the key-press game: 0 goes on, 1 over, 2 a shot, 3 shots used up.
int runKeyPressGame(GraphicsResources& resources, gfx::Device* device, int mode, int limitMs);
// Every action begins a new key-press run: clears the game's `started`.
void resetKeyPressRun();
// The acting enemy's choice: pending action, target and phase.
void chooseEnemyAction();
// This frame's share of the victory results, drawn into layer 1.
void runVictoryResults(GraphicsResources& resources, gfx::Device* device);
// One frame of the story events inside a battle (phase 4000).
void runBattleStoryEvents(GraphicsResources& resources, gfx::Device* device);
// One frame of the lectures of groups 2 and 15, before the phase handler.
void runBattleLectures(GraphicsResources& resources, gfx::Device* device);
