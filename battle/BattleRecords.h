// The battle's whole state: the action block, the schedule, the rewards, the
// enemy battlers, the party's battle status lines, the actors on screen, the
// damage popups, the effect slots and the motion line. Every battle file reads
// and writes these records directly; nothing is allocated.
// resetBattleRecords puts every one of them back to its value at program start.
#pragma once

#include <cstdint>

// ---- Sides, slots and sizes ----

constexpr int kSideParty = 0;
constexpr int kSideEnemy = 1;
constexpr int kBodyguardLine = 3;  // party line / actor of the called bodyguard
constexpr int kEnemySlotCount = 6;
constexpr int kPartyLineCount = 4;  // party slots 0-2 and the called bodyguard
constexpr int kStatusCount = 10;
constexpr int kDamagePopupCount = 25;
constexpr int kDamagePopupSearch = 20;  // the free-entry search looks at the first 20
constexpr int kEffectSlotCount = 20;
constexpr int kPopupFrames = 20;

// ---- The ten status bytes ----

enum BattleStatus {
    kStatusAttackUp = 0,
    kStatusDefenceUp = 1,
    kStatusMagicUp = 2,
    kStatusMagicDefenceUp = 3,
    kStatusHaste = 4,
    kStatusRegen = 5,
    kStatusSpRegen = 6,
    kStatusDoom = 7,
    kStatusCurse = 8,
    kStatusEvade = 9,
};

// ---- Phases of gBattleAction.phase ----

enum BattlePhase {
    kPhaseCommand = 0,
    kPhaseWeaponList = 10,
    kPhaseWeaponEnemyTarget = 11,
    kPhaseStoneList = 20,
    kPhaseStoneEnemyTarget = 21,
    kPhaseStoneAllyTarget = 22,
    kPhaseStoneAllConfirm = 23,
    kPhaseItemList = 30,
    kPhaseItemEnemyTarget = 31,
    kPhaseItemAllyTarget = 32,
    kPhaseItemAllConfirm = 33,
    kPhaseBodyguardList = 40,
    kPhaseActionStart = 100,
    kPhaseActionRun = 101,
    kPhaseAfterAction = 102,
    kPhaseVictory = 1000,
    kPhaseWipeOut = 1001,
    kPhaseEscapeStart = 1002,
    kPhaseEscape = 1003,
    kPhaseEscapeEnd = 1004,
    kPhaseNextStageStart = 2000,
    kPhaseNextStage = 2001,
    kPhaseBodyguardIn = 3000,
    kPhaseBodyguardOut = 3001,
    kPhaseStoryEvent = 4000,
};

// True for the numbers of the phase table.
bool isBattlePhase(int phase);

// ---- Outcomes of the turn scheduler (gBattleRewards.outcome) ----

enum ScheduleOutcome {
    kOutcomeNextActor = 0,
    kOutcomeVictory = 1,
    kOutcomeWipeOut = 2,
    kOutcomeBodyguardFallen = 3,
    kOutcomeWaitAgain = 4,
    kOutcomeReturningEnemy = 9,
};

// ---- Battle types (gBattleType) ----

constexpr std::uint8_t kBattleNormal = 0;
constexpr std::uint8_t kBattleNoEscape = 1;
constexpr std::uint8_t kBattleAutomatic = 2;

// ---- Records ----

// Fourteen 32-bit fields, in this order.
struct BattleActionBlock {
    int actingSide;          // 0 the party (a member or the called bodyguard), 1 the enemies
    int actingIndex;         // party slot 0-2, 3 the called bodyguard; enemy slot 0-5
    int commandCursor;
    int listCursor;
    int listScroll;          // first shown row of the battle item list (0-20)
    int targetIndex;
    int targetSide;
    int targetRange;         // 0 one, 1 every battler of the side, 2 several enemies; a 0-8 cursor in phases 23, 33
    int pendingWeaponSkill;  // weapon-skill row, -1 none
    int pendingStoneSkill;   // stone-skill row, -1 none
    int pendingItem;         // item id, -1 none
    int phase;               // BattlePhase
    int step;                // step of the phase's script and of the running action script
    int actionFrame;         // advanced by the action scripts; 0 when an action starts
};

struct BattleSchedule {
    int memberActionValue[3];
    std::uint8_t soloMode;     // 1 while the called bodyguard fights alone
    int bodyguardIndex;        // 0-3
    int bodyguardActionValue;
    int roundCount;            // rounds begun since the set-up
    int groupExperience;       // sum over the group's six monster rows
};

struct BattleRewards {
    int experiencePool;        // still to hand out on the results screen
    int money;
    std::uint8_t messageLock;  // 1 while a battle message waits for decide
    std::uint8_t itemListReady;
    int outcome;               // ScheduleOutcome of the last scheduling
    int droppedItem;           // 0 none
    int card;                  // 999 none
    int boostItem;             // boost item in effect for stone skills, 0 none
};

struct EnemyBattler {
    std::uint8_t dropRolled;
    int monster;               // monster row; 0 the slot is empty or its enemy is gone
    int hp;
    int maxHp;
    std::uint8_t status[kStatusCount];
    std::uint8_t secondAction; // 1 while a hasted battler still has its second action
    int actionValue;
};

struct MemberBattleStatus {
    int maxHpBonus;            // added to maximum HP while gInBattle is 1
    std::uint8_t status[kStatusCount];
    std::uint8_t secondAction;
};

struct BattleActor {
    float x, y, z;             // x grows from the party toward the enemies
    int facing;                // 1 mirrored
    int pose;                  // sprite column: 0, 1 walking, 3 hit, 4 fallen
};

// One pending change above one battler, six 32-bit fields.
struct DamagePopup {
    int side;
    int index;
    int value;   // HP: positive damage, negative healing; SP: positive a loss
    int kind;    // PopupKind
    int timer;   // 20 when queued; 0 the entry is free
    int row;     // stacking row 0-19
};

// What resolveEffect is asked for (its last argument).
enum EffectType {
    kEffectPhysical = 0,
    kEffectMagic = 1,
    kEffectHeal = 2,
    kEffectFixed = 3,         // power 0 for HP, 3 for SP; amount is the value
    kEffectMiss = 4,
    kEffectRevive = 5,
    kEffectGrantAttackUp = 6, // 6 to 12: grant status type - 6
    kEffectGrantSpRegen = 12,
    kEffectMaxHpBonus = 13,
    kEffectDispel = 14,
    kEffectGrantEvade = 15,
};

// What a popup applies when it runs out and what it shows.
enum PopupKind {
    kPopupHp = 0,
    kPopupMiss = 1,
    kPopupRevive = 2,
    kPopupSp = 3,
    kPopupStatusFirst = 4,    // 4 to 10: status kind - 4
    kPopupStatusLast = 10,
    kPopupMaxHpBonus = 11,
    kPopupClear = 12,
    kPopupEvade = 13,
};

struct EffectSlot {
    std::uint8_t active;
    int kind;     // below 100 the effect sheet's column; 100 or more the loaded mesh
    int row;
    float x, y, z;
    float yaw;    // degrees, meshes only
    float scaleX, scaleY, scaleZ;
    float opacity;
};

// The one move line of the battle.
struct MoveLine {
    float start[3];
    float end[3];
    int frame;
};

// ---- The globals ----

extern BattleActionBlock gBattleAction;
extern BattleSchedule gBattleSchedule;
extern BattleRewards gBattleRewards;
extern EnemyBattler gEnemyBattlers[kEnemySlotCount];
extern MemberBattleStatus gMemberBattleStatus[kPartyLineCount];
extern BattleActor gPartyActors[kPartyLineCount];
extern BattleActor gEnemyActors[kEnemySlotCount];
// gPartyHomes and gEnemyHomes live with the game data (gamedata/GameData.h).

extern std::uint8_t gInBattle;     // 1 from setUpBattle to endBattle
extern int gBattleGroup;
extern std::uint8_t gBattleType;   // 0 normal, 1 escape refused, 2 automatic
extern int gSkillBonus;            // the weapon skill's banner bonus; 0 at each action start
extern std::uint8_t gKeyGameShown; // cleared each battle frame, set by the key-press game

extern DamagePopup gDamagePopups[kDamagePopupCount];
extern EffectSlot gEffectSlots[kEffectSlotCount];
extern MoveLine gMoveLine;
extern int gWaitCounter;           // the counter of waitFrames, shared by every script

// Floor tile column and row, wall tile column and row of the field cell the
// battle started on (the battle start writes it; the ground uses the floor).
extern int gGroundTiles[4];

// Every global above back to its value at program start.
void resetBattleRecords();
// What the title clears of a battle left behind: each party line's maximum-HP
// bonus and status bytes 0 to 8, and the battle message lock.
void clearBattleLinesAtTitle();
// The twenty effect slots emptied: inactive, every value 0, opacity 1.
void emptyEffectSlots();
// Every damage popup emptied.
void emptyDamagePopups();

// The maximum-HP bonus a party slot (0-2) gained in the running battle.
int memberBattleMaxHpBonus(int partySlot);
