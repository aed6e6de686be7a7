#include "battle/WeaponSkillAction.h"

#include <cstdio>
#include <cstring>

#include "battle/KeyPressGame.h"
#include "battle/SkillScriptSteps.h"
#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"

int gSkillBonusKind = 0;
char gStealBanner[80] = {};

int pendingWeaponSkillCode() {
    const int row = gBattleAction.pendingWeaponSkill;
    if (row < 0 || row >= kWeaponSkillCount) return -1;
    return gWeaponSkills[row].category * 10 + gWeaponSkills[row].level;
}

int skillMasteryBonus(int unit, int level, int bonusBase) {
    if (unit <= 0 || unit >= kUnitCount || level < 0 || level > 3) return 0;
    return (gPartyMembers[unit].skillCounts[level][0] / 20 + 1) * bonusBase;
}

void applySkillMastery(int threshold) {
    gSkillBonusKind = 0;
    if (gBattleAction.actingSide != kSideParty || gBattleSchedule.soloMode != 0) return;
    const int slot = gBattleAction.actingIndex;
    const int row = gBattleAction.pendingWeaponSkill;
    if (slot < 0 || slot > 2 || row < 0 || row >= kWeaponSkillCount) return;
    const int unit = gParty[slot];
    const int level = gWeaponSkills[row].level;
    if (unit <= 0 || unit >= kUnitCount || level < 0 || level > 3) return;
    PartyMember& member = gPartyMembers[unit];

    int bonus = skillMasteryBonus(unit, level, gWeaponSkills[row].bonusBase);
    int e = 1;
    for (int item : member.equipment) {
        switch (item) {
            case 16: case 31: case 43: case 58: case 69: e = 3; break;
            case 18: case 33: case 45: case 60: case 70: e = 0; break;
            case 104: bonus += 5; break;
            case 111: gHitCount = threshold; bonus /= 2; e = 0; break;
            case 112: gHitCount = threshold; break;
            case 113: gSkillBonusKind = 1; break;
            case 114: gSkillBonusKind = 2; break;
            case 120: bonus += 20; break;
            case 127: bonus *= 2; break;
            default: break;
        }
    }
    member.skillCounts[level][1] += e;
    if (gHitCount < threshold) return;

    if (gSkillBonusKind == 0) {
        gSkillBonus = bonus;
        member.sp += bonus;
        const int maxSp = computeUnitStat(unit, kStatMaxSp);
        if (member.sp > maxSp) member.sp = maxSp;
    } else if (gSkillBonusKind == 1) {
        gSkillBonus = bonus * 20;
        gMemberBattleStatus[slot].maxHpBonus += bonus * 20;
    } else {
        gSkillBonus = bonus * 20;
        member.hp += bonus * 20;
        const int maxHp = computeUnitStat(unit, kStatMaxHp);
        if (member.hp > maxHp) member.hp = maxHp;
    }
    member.skillCounts[level][0] += e;
    if (gRedrawRequest[1] == 0) gRedrawRequest[1] = 2;
    gRedrawRequest[0] = 2;
}

namespace {

bool actingMemberHasStones() {
    const int slot = gBattleAction.actingIndex;
    if (slot < 0 || slot > 2) return false;
    const int unit = gParty[slot];
    if (unit <= 0 || unit >= kUnitCount) return false;
    return gPartyMembers[unit].stones[0] != 0 || gPartyMembers[unit].stones[1] != 0;
}

void drawBanners(GraphicsResources& resources, gfx::Device* device) {
    if (device == nullptr) return;
    const int held = gRedrawRequest[1];
    gRedrawRequest[1] = 1;
    const int row = gBattleAction.pendingWeaponSkill;
    const char* title = gStealBanner[0] != '\0' ? gStealBanner
                        : (row >= 0 && row < kWeaponSkillCount) ? gWeaponSkills[row].name
                                                                : "";
    char name[81];
    std::snprintf(name, sizeof name, "%.*s", gStealBanner[0] != '\0' ? 79 : 39, title);
    beginTextFont(device, 15, kMenuFontFace);
    drawText(resources, device, gfx::Rect{150, 4, 490, 24}, name, 22);
    endTextFont();
    if (gSkillBonus != 0 && gBattleAction.actingSide == kSideParty &&
        (gSkillBonusKind != 0 || actingMemberHasStones())) {
        static const char* const kFormats[3] = {"Sp Bonus +%d", "Max Hp Bonus +%d", "Hp Bonus +%d"};
        const int kind = gSkillBonusKind >= 0 && gSkillBonusKind <= 2 ? gSkillBonusKind : 0;
        char line[48];
        std::snprintf(line, sizeof line, kFormats[kind], gSkillBonus);
        beginTextFont(device, 30, kMenuFontFace);
        drawText(resources, device, gfx::Rect{0, 354, 630, 400}, line, 61);
        endTextFont();
    }
    gRedrawRequest[1] = held;
}

}  // namespace

int runWeaponSkillAction(GraphicsResources& resources, gfx::Device* device) {
    const bool layerRedrawn = gRedrawRequest[1] == 1;
    if (gBattleAction.step == 0 && gBattleAction.actionFrame == 0) {
        gStealBanner[0] = '\0';
        // An enemy's blow aimed at an empty or fallen party slot goes to a
        // random member still standing.
        if (enemyActs() && targetSide() == kSideParty && partyLineHp(targetIndex()) == 0) pickRandomLivingOpponent();
    }
    const int code = pendingWeaponSkillCode();
    if (code < 0) {
        // A row outside the table has no script: the action ends at once.
        if (gBattleAction.step < kScriptEndStep) endScript();
    } else if (code < 40) {
        runWeaponSkills1to3(resources, device, code);
    } else if (code < 60) {
        runWeaponSkills4to5(resources, device, code);
    } else if (code < 90) {
        runWeaponSkills6to8(resources, device, code);
    } else {
        runThrownAndMonsterMoves(resources, device, code);
    }
    if (layerRedrawn) drawBanners(resources, device);
    if (device != nullptr) drawWindowFrame(resources, device, 150, 0, 340, 25);
    gBattleAction.step += 1;
    gBattleAction.actionFrame += 1;
    if (gBattleAction.step >= kActionDoneStep) {
        gRedrawRequest[1] = 2;
        return 1;
    }
    return 0;
}
