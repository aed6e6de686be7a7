// The small vocabulary every action script is written in: holding, jumping
// and ending a step, walking and flying along the move line, waits, hits,
// opponent sets, views and poses. Each script is a switch on
// gBattleAction.step; its driver adds one to the step after every call, so
// a step that must wait takes one off (hold) and runs again next frame.
#pragma once

#include <cstdint>

#include "battle/BattleServices.h"
#include "engine/TextLayers.h"

struct GraphicsResources;

constexpr int kScriptEndStep = 999;    // a finished script's step
constexpr int kActionDoneStep = 1001;  // the driver reports the action done here

struct SkillFrame {
    GraphicsResources& resources;
    gfx::Device* device;
};

// ---- the step counter ----
inline int& scriptStep() { return gBattleAction.step; }
// The same step runs again next frame.
inline void holdStep() { gBattleAction.step -= 1; }
// Step `next` runs next frame.
inline void jumpToStep(int next) { gBattleAction.step = next - 1; }
// The script is over; the action ends two frames later.
inline void endScript() { gBattleAction.step = kScriptEndStep; }

// ---- who acts ----
inline int actingSide() { return gBattleAction.actingSide; }
inline int actingIndex() { return gBattleAction.actingIndex; }
inline bool enemyActs() { return gBattleAction.actingSide != kSideParty; }
inline int targetSide() { return gBattleAction.targetSide; }
inline int targetIndex() { return gBattleAction.targetIndex; }

// The actor of a side and index (a spare, never drawn, when out of range).
BattleActor& actorOf(int side, int index);
BattleActor& actingActor();
BattleActor& targetActor();
// The pose of a battler; an enemy at 0 HP shows its hit pose whatever is asked.
void setBattlerPose(int side, int index, int pose);
void setActingPose(int pose);

// ---- motion (true once arrived; until then the step holds) ----
bool walkActor(float framesPerUnit = 3.0f);
bool moveBattler(int side, int index, float framesPerUnit);
bool flySlot(int slot, float framesPerUnit);
// A wait of n: true on its last frame; the step holds until then.
bool waitStep(int n);

// ---- hits ----
void hitTarget(int power);
void missTarget();
// The party's HP of a party line (the bodyguard's in solo mode); 0 for an empty slot.
int partyLineHp(int index);
bool partyLineHolds(int index);
// Every opponent of the actor (the set the group hits use); returns the count.
int everyOpponent(int out[6], bool bodyguardWhateverHp = false);
// A random living opponent becomes the target; false when none is left.
bool pickRandomLivingOpponent(bool enemyMayBeFallen = false);
bool anyLivingOpponent(bool enemyMayBeFallen = false);
// Hits every opponent with `power`.
void hitEveryOpponent(int power, bool bodyguardWhateverHp = false);

// ---- views and sounds ----
void viewPoint(const SkillFrame& f, float x, float y, float z, float distance);
void viewTarget(const SkillFrame& f, float distance);
void playSkillSound(const char* fileName);

// ---- effect slots ----
EffectSlot& effectSlot(int slot);
void showSlot(int slot, int kind, int row, float x, float y, float z);
void drawEffects(const SkillFrame& f);
// The move line from a point to a point, its frame at 0.
void lineFromTo(const float from[3], const float to[3]);

// ---- the key-press game of a weapon skill ----
// One frame of the skill's game; false while it goes on (the step holds).
// An enemy actor plays no game and takes `enemyScore`.
bool playSkillGame(const SkillFrame& f, int mode, int limitMs, int enemyScore);
// The note lane's parameters: every slot's key and speed.
void armNoteLane(int intervalMs, int notes, float speed);
// Clears the game's keys and speeds before a script fills them.
void clearKeyPressParameters();

// Codes 73 and 105: a leap back, a dive to the middle of the field and a
// blow of `power` on every opponent (73 with its mesh).
void runDiveOnTheField(const SkillFrame& f, bool withMesh, int power);
