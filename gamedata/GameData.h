// The game data subsystem's whole state: the seven data tables loaded from
// "Data.dat", the party and its stat records, the stocks, money and exchange
// rates. Everything here is a fixed global; resetGameDataState puts every one
// of them back to its value at program start.
#pragma once

#include <cstdint>

// ---- Data tables (filled by loadGameData, read by row number) ----

constexpr int kItemCount = 200;
constexpr int kWeaponSkillCount = 50;
constexpr int kStoneSkillCount = 30;
constexpr int kMagicalStoneCount = 10;
constexpr int kMonsterCount = 80;
constexpr int kEnemyGroupCount = 110;
constexpr int kCardCount = 100;

constexpr int kNoCard = 999;           // a monster's card: none
constexpr int kScriptedSkill = 99999;  // a monster's skill code: a scripted action

// Item kinds.
constexpr int kItemKindProtector = 6;
constexpr int kItemKindAccessory = 7;

struct ItemRecord {
    char name[30];
    int bonuses[5];  // attack, defence, magic, magic defence, speed; or a consumable's use values
    int unused;      // carried by the file, read by nothing
    int kind;        // 1-5 weapon of that unit, 6 protector, 7 accessory, 8-11 usable items
    int price;
    char description[300];
};

struct WeaponSkillRow {
    char name[40];
    int category;  // the weapon category (the unit id that wields it)
    int level;     // 0 to 3
    int unused;
    int bonusBase;
    int range;     // 0, 1 or 2: the target range of the command menus
    char description[300];
};

struct StoneSkillRow {
    char name[30];
    int attribute;  // 1 to 9
    int level;
    int spCost;
    int power;
    int targetKind;
    char description[300];
};

struct MagicalStoneRecord {
    int id;  // equal to its row
    char name[30];
    int attribute;
    int unused[7];
    char description[300];
};

struct MonsterRecord {
    char name[30];
    int hp;
    int experience;
    int money;
    int attack;
    int defence;
    int magic;
    int magicDefence;
    int speed;
    int skills[3];   // kScriptedSkill marks a scripted action
    int sprite;
    int dropItem;
    int dropChance;  // per mille
    int card;        // kNoCard for none
};

struct EnemyGroup {
    int monsters[6];       // monster ids; 0 an empty slot
    char musicTitle[100];  // a title of the song table
    int battleType;        // low byte: 0 normal, 1 escape refused, 2 automatic
};

struct CardRecord {
    char name[100];
    std::uint8_t rarity;   // 0 to 3
    std::uint8_t element;  // 0 to 9
    std::uint8_t group;
    std::uint8_t sides[4];  // left, top, right, bottom
    int price;
    char description[300];
};

extern ItemRecord gItems[kItemCount];
extern WeaponSkillRow gWeaponSkills[kWeaponSkillCount];
extern StoneSkillRow gStoneSkills[kStoneSkillCount];
extern MagicalStoneRecord gMagicalStones[kMagicalStoneCount];
extern MonsterRecord gMonsters[kMonsterCount];
extern EnemyGroup gEnemyGroups[kEnemyGroupCount];
extern CardRecord gCardTable[kCardCount];

// Battle home positions (x, y, z): party slots 0-2 and the bodyguard, the six enemies.
extern float gPartyHomes[4][3];
extern float gEnemyHomes[6][3];

// ---- The party ----

constexpr int kUnitCount = 7;       // unit 0 the empty slot, 1-5 playable, 6 never joins
constexpr int kUnitBaseCount = 10;  // rows 6-9 are the bodyguards' bases
constexpr int kFormationCount = 10;
constexpr int kFormationOrderCount = 6;
constexpr int kBodyguardCount = 4;

// Stat kinds of computeUnitStat and computeBodyguardStat.
enum StatKind {
    kStatMaxHp = 0,
    kStatMaxSp = 1,
    kStatAttack = 2,
    kStatDefence = 3,
    kStatMagic = 4,
    kStatMagicDefence = 5,
    kStatSpeed = 6,
    kStatLevel = 99,  // bodyguards only
};

// Equipment slots of a member.
enum EquipSlot { kEquipWeapon = 0, kEquipProtector = 1, kEquipAccessoryA = 2, kEquipAccessoryB = 3 };

struct PartyMember {
    int level;
    int experience;     // cumulative
    int hp;             // current
    int sp;             // current
    int skillCounts[4][2];  // per weapon-skill level 0-3: successes, uses
    int equipment[4];   // item ids: weapon, protector, accessory A, accessory B (0 none)
    int stones[2];      // magical-stone ids A and B (0 none; id = flag index + 1)
};

struct UnitBase {
    char name[32];
    int id;
    int weaponCategory;
    int stats[7];  // in stat-kind order
};

struct FormationRecord {
    char name[32];
    int row[3];  // of formation positions 0, 1, 2: 0 rear, 1 middle, 2 front
};

struct Bodyguard {
    char name[32];
    int hp;  // current
};

extern PartyMember gPartyMembers[kUnitCount];
extern int gParty[3];          // unit ids of the three party slots (0 empty)
extern int gFormation;         // 0 to 9
extern int gFormationOrder;    // 0 to 5
extern const UnitBase gUnitBases[kUnitBaseCount];
extern const FormationRecord gFormations[kFormationCount];
extern const int gFormationOrders[kFormationOrderCount][3];
extern Bodyguard gBodyguards[kBodyguardCount];

// ---- Stocks, money, exchange rates ----

constexpr int kCurrencyCount = 3;     // フォッグ, コイン, 銭
constexpr int kOwnedItemCap = 10000;  // a purchase caps the owned count here
constexpr int kStoneFlagCount = 8;

struct ItemStock {
    int owned;     // copies in the bag
    int equipped;  // copies worn by members
};

struct CardStock {
    int count;            // copies owned
    std::uint8_t known;   // 1 once owned or shown by a duel opponent
    std::uint8_t holder;  // code of the opponent holding a card the player lacks; 0 none
};

struct ExchangeRate {
    int rate;              // units of the currency per exchange unit (フォッグ 100)
    std::uint8_t falling;  // direction of the daily drift
    std::uint8_t halted;   // 1: exchange refused, rate held at its minimum
    int spare;             // saved, otherwise unused
};

extern ItemStock gItemStock[kItemCount];
extern CardStock gCardStock[kCardCount];
extern int gMoney[kCurrencyCount];
extern int gLoan;             // in フォッグ
extern int gShopPoints;       // the point-card balance
extern int gRegionCurrency;   // 0 to 2: which balance the current region pays with
extern ExchangeRate gExchangeRates[kCurrencyCount];
extern std::uint8_t gStoneFlags[kStoneFlagCount];  // stone id k + 1: 0 not obtained, 1 obtained, 2 second state
extern std::uint8_t gBodyguardHired[kBodyguardCount];
extern int gCumulativeSales;
extern int gPlaySeconds;   // play time before the current stretch of play
extern int gSessionStart;  // calendar second at which the current stretch began

// Every global above back to its value at program start: empty tables and
// stocks, the members' built-in values, nameless bodyguards.
void resetGameDataState();
// The seven tables and the battle homes alone back to empty.
void resetGameDataTables();

// ---- Loading ----

// Fills the tables from "Data.dat" (or, in the developer mode, from the seven
// text tables, writing "Data.dat" from them), applies hard mode and sets the
// battle home positions. 0 on success, else why "Data.dat" could not be read
// (kDataFileMissing or kDataFileWrongSize of gamedata/DataFile.h).
int loadGameData();

// Hard mode, applied once to freshly loaded monsters: five stats x 1.4,
// HP x 2, experience x 1.25.
void applyHardMode();
void setBattleHomePositions();
