// The game data subsystem's globals and their start values.
#include <cstring>

#include "gamedata/GameData.h"

ItemRecord gItems[kItemCount];
WeaponSkillRow gWeaponSkills[kWeaponSkillCount];
StoneSkillRow gStoneSkills[kStoneSkillCount];
MagicalStoneRecord gMagicalStones[kMagicalStoneCount];
MonsterRecord gMonsters[kMonsterCount];
EnemyGroup gEnemyGroups[kEnemyGroupCount];
CardRecord gCardTable[kCardCount];

float gPartyHomes[4][3];
float gEnemyHomes[6][3];

namespace {

// The members before any new game or load.
constexpr PartyMember kBuiltInMembers[kUnitCount] = {
    {},
    {1, 0, 289, 36, {}, {1, 0, 0, 0}, {}},
    {1, 0, 1, 1, {}, {19, 0, 0, 0}, {}},
    {7, 0, 1, 1, {}, {34, 0, 0, 0}, {}},
    {7, 0, 361, 18, {}, {46, 0, 0, 0}, {}},
    {7, 0, 1, 1, {}, {61, 0, 0, 0}, {}},
    {60, 0, 100, 100, {}, {}, {}},
};

}  // namespace

PartyMember gPartyMembers[kUnitCount] = {
    kBuiltInMembers[0], kBuiltInMembers[1], kBuiltInMembers[2], kBuiltInMembers[3],
    kBuiltInMembers[4], kBuiltInMembers[5], kBuiltInMembers[6],
};
int gParty[3];
int gFormation;
int gFormationOrder;
Bodyguard gBodyguards[kBodyguardCount];

ItemStock gItemStock[kItemCount];
CardStock gCardStock[kCardCount];
int gMoney[kCurrencyCount];
int gLoan;
int gShopPoints;
int gRegionCurrency;
ExchangeRate gExchangeRates[kCurrencyCount];
std::uint8_t gStoneFlags[kStoneFlagCount];
std::uint8_t gBodyguardHired[kBodyguardCount];
int gCumulativeSales;
int gPlaySeconds;
int gSessionStart;

void resetGameDataTables() {
    std::memset(gItems, 0, sizeof gItems);
    std::memset(gWeaponSkills, 0, sizeof gWeaponSkills);
    std::memset(gStoneSkills, 0, sizeof gStoneSkills);
    std::memset(gMagicalStones, 0, sizeof gMagicalStones);
    std::memset(gMonsters, 0, sizeof gMonsters);
    std::memset(gEnemyGroups, 0, sizeof gEnemyGroups);
    std::memset(gCardTable, 0, sizeof gCardTable);
    std::memset(gPartyHomes, 0, sizeof gPartyHomes);
    std::memset(gEnemyHomes, 0, sizeof gEnemyHomes);
}

void resetGameDataState() {
    resetGameDataTables();

    for (int u = 0; u < kUnitCount; ++u) gPartyMembers[u] = kBuiltInMembers[u];
    for (int& p : gParty) p = 0;
    gFormation = 0;
    gFormationOrder = 0;
    std::memset(gBodyguards, 0, sizeof gBodyguards);

    std::memset(gItemStock, 0, sizeof gItemStock);
    std::memset(gCardStock, 0, sizeof gCardStock);
    for (int& m : gMoney) m = 0;
    gLoan = 0;
    gShopPoints = 0;
    gRegionCurrency = 0;
    std::memset(gExchangeRates, 0, sizeof gExchangeRates);
    std::memset(gStoneFlags, 0, sizeof gStoneFlags);
    std::memset(gBodyguardHired, 0, sizeof gBodyguardHired);
    gCumulativeSales = 0;
    gPlaySeconds = 0;
    gSessionStart = 0;
}
