// The scripted monsters' action patterns: what a monster whose first skill
// code is 99999 does on its turn, from the round, its HP, its statuses and its
// companions', and, for the large bosses, a stage kept in a story flag.
//
// The patterns read a plain snapshot of the battle (EnemyPatternInput) and
// return a decision; chooseEnemyAction (battle/EnemyAction.h) fills the
// snapshot from the battle records and applies the decision.
#pragma once

#include <cstdint>

constexpr int kPatternSlotCount = 6;
constexpr int kPatternStatusCount = 10;

// Targets a pattern names besides an explicit slot.
constexpr int kTargetKeep = -1;  // the party member drawn before the pattern ran
constexpr int kTargetSelf = -2;  // the acting enemy's own slot

// Story flags the patterns read and write.
constexpr int kFlagBossStage = 84;       // stage 0-4 of monsters 55, 56, 62, 63, 67, 68, 76
constexpr int kFlagThiefMode = 83;       // also the step counter of the group 64/84 event
constexpr int kFlagRoofBoss = 20;        // 2: monster 39 casts S 10 every round
constexpr int kFlagCloneBossStage = 127; // stage 0-2 of monster 65

struct EnemyPatternSlot {
    int monster;  // 0: the slot is empty or its enemy is gone
    int hp;
    int maxHp;
    std::uint8_t status[kPatternStatusCount];
};

struct EnemyPatternInput {
    int slot;          // the acting enemy's slot, 0-5
    int round;         // roundCount of the schedule
    bool firstAction;  // its secondAction is 1 (a hasted enemy's first action, or any unhasted one)
    bool returning;    // the monster coming back in group 16 (the scheduler's outcome 9)
    EnemyPatternSlot enemies[kPatternSlotCount];
    int bossStage;       // story flag 84
    int cloneBossStage;  // story flag 127
    int thiefMode;       // story flag 83
    int roofBossFlag;    // story flag 20
};

// One action: a weapon-skill code, a stone-skill code or an item id (-1 the
// kinds not used; all three -1 for no action) and its target.
struct EnemyMove {
    int weaponCode = -1;
    int stoneCode = -1;
    int itemId = -1;
    int target = kTargetKeep;  // kTargetKeep, kTargetSelf or a slot number
};

struct EnemyDecision {
    EnemyMove move;
    bool storyEvent = false;   // the battle hands the turn to its story event (phase 4000)
    bool storesAction = true;  // false: nothing is stored and the redraw is not asked (monster 46)
    int newBossStage = -1;     // story flag 84's new value, -1 unchanged
    int newCloneBossStage = -1;// story flag 127's new value, -1 unchanged
    bool copyHp = false;       // enemy slots 1 and 2 take the acting enemy's HP
    int newMonster = -1;       // the acting slot's monster becomes this, -1 unchanged
};

// The pattern of a scripted monster. A monster without a pattern decides no
// action. Monsters 53 and 60 may draw randomThousand.
EnemyDecision decideScriptedEnemy(const EnemyPatternInput& input);

// Stone-skill code of level 0 that monsters 53 and 60 may turn against the
// party with a stolen stone: one per magical stone the player has obtained
// (stone flag 1) and no member wears. Fills `codes` (up to 8), returns how many.
int stealableStoneSkills(int codes[8]);
