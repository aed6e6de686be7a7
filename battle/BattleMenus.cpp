// The party's command menu, the weapon-skill, stone-skill and bodyguard
// lists and the three target choosers (phases 0 to 40 but the item list).
#include "battle/BattleMenus.h"

#include <cstdio>

#include "battle/BattleServices.h"
#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Random.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "field/EventState.h"
#include "gamedata/GameData.h"

namespace {

const char* const kCommandLabels[7] = {"攻撃", "魔硝石", "道具", "用心棒", "逃走", "行動", "退避"};
const char* const kRangeLetters[3] = {"単", "全", "複"};
const char* const kAttributeLetters[10] = {"－", "宇", "炎", "水", "風", "土", "雷", "磁", "光", "闇"};
const char* const kBodyguardDescriptions[4] = {"マルクセングのカードマスター。", "世界をまたに翔る大商人。",
                                                "魔硝石知識人。", "どろぼう。"};
constexpr float kZoomOnActor = 5.0f;
constexpr float kZoomOnTarget = 6.0f;

int actingUnit() {
    const int i = gBattleAction.actingIndex;
    const int unit = i >= 0 && i < 3 ? gParty[i] : 0;
    return unit > 0 && unit < kUnitCount ? unit : 0;
}

void defaultView(GraphicsResources& r, gfx::Device* d) { moveCamera(r, d, kDefaultBattleView, kDefaultBattleDistance, 1); }

void zoomOn(GraphicsResources& r, gfx::Device* d, int side, int index, float distance) {
    const BattleActor* actor = nullptr;
    if (side == kSideParty && index >= 0 && index < kPartyLineCount) actor = &gPartyActors[index];
    if (side == kSideEnemy && index >= 0 && index < kEnemySlotCount) actor = &gEnemyActors[index];
    if (!actor) return;
    const float at[3] = {actor->x, actor->y, actor->z};
    moveCamera(r, d, at, distance, 1);
}

void zoomOnActor(GraphicsResources& r, gfx::Device* d) {
    zoomOn(r, d, kSideParty, gBattleAction.actingIndex, kZoomOnActor);
}

void redrawLayer1() { gRedrawRequest[1] = 2; }

int wrap(int value, int count) { return count <= 0 ? 0 : ((value % count) + count) % count; }

// Down or up moves a list cursor, wrapping; true when it moved.
bool moveCursor(int& cursor, int count) {
    if (gInputCode == kInputDown) {
        cursor = wrap(cursor + 1, count);
        redrawLayer1();
        return true;
    }
    if (gInputCode == kInputUp) {
        cursor = wrap(cursor - 1, count);
        redrawLayer1();
        return true;
    }
    return false;
}

int firstEnemy() {
    for (int k = 0; k < kEnemySlotCount; ++k)
        if (gEnemyBattlers[k].monster != 0) return k;
    return 0;
}

int firstPartySlot() {
    for (int s = 0; s < 3; ++s)
        if (gParty[s] != 0) return s;
    return 0;
}

int nextEnemy(int from, int direction) {
    for (int n = 1; n <= kEnemySlotCount; ++n) {
        const int k = wrap(from + direction * n, kEnemySlotCount);
        if (gEnemyBattlers[k].monster != 0) return k;
    }
    return from;
}

int nextPartySlot(int from, int direction) {
    for (int n = 1; n <= 3; ++n) {
        const int s = wrap(from + direction * n, 3);
        if (gParty[s] != 0) return s;
    }
    return from;
}

void beginMenuText(gfx::Device* device) { beginTextFont(device, kMenuFontHeight, kMenuFontFace); }

// The title and list windows of the three lists, and the description band.
void drawListWindows(GraphicsResources& r, gfx::Device* d, const char* title) {
    drawWindowFrame(r, d, 10.0f, 350.0f, 250.0f, 25.0f);
    drawWindowFrame(r, d, 10.0f, 375.0f, 250.0f, 90.0f);
    drawWindowFrame(r, d, 0.0f, 0.0f, 640.0f, 25.0f);
    drawText(r, d, gfx::Rect{10, 354, 260, 374}, title, 2);
}

void drawDescription(GraphicsResources& r, gfx::Device* d, const char* text) {
    drawText(r, d, gfx::Rect{60, 4, 560, 24}, text, 0);
}

// One row of a list: its name on the left and its figure on the right of the
// same rectangle, both grey when the row cannot be chosen.
void drawListRow(GraphicsResources& r, gfx::Device* d, int y, int bottom, const char* name, const char* figure,
                 bool greyed) {
    drawText(r, d, gfx::Rect{25, y, 245, bottom}, name, greyed ? 10 : 0);
    drawText(r, d, gfx::Rect{25, y, 245, bottom}, figure, greyed ? 11 : 1);
}

// The cursor of the three lists: kept on rows 0-3 before the page draws,
// moved by the arrows and drawn beside its row after the rows.
void keepListCursorOnPage() {
    if (gBattleAction.listCursor < 0 || gBattleAction.listCursor > 3) gBattleAction.listCursor = 0;
}
void moveListCursor(GraphicsResources& r, gfx::Device* d) {
    moveCursor(gBattleAction.listCursor, 4);
    drawMenuCursor(r, d, 15.0f, 380.0f + 20.0f * static_cast<float>(gBattleAction.listCursor), 240);
}

// Cancel on a list: back to the command menu.
void backToCommandMenu(GraphicsResources& r, gfx::Device* d) {
    gBattleAction.phase = kPhaseCommand;
    defaultView(r, d);
    playBattleSound("Can.wav");
    redrawLayer1();
}

// The title of a target chooser: the pending action's name.
void drawTargetTitle(GraphicsResources& r, gfx::Device* d) {
    const BattleActionBlock& a = gBattleAction;
    drawWindowFrame(r, d, 10.0f, 350.0f, 250.0f, 25.0f);
    drawWindowFrame(r, d, 480.0f, 350.0f, 150.0f, 25.0f);
    const gfx::Rect title{10, 354, 260, 374};
    if (a.pendingWeaponSkill >= 0 && a.pendingWeaponSkill < kWeaponSkillCount)
        drawText(r, d, title, gWeaponSkills[a.pendingWeaponSkill].name, 22);
    else if (a.pendingStoneSkill >= 0 && a.pendingStoneSkill < kStoneSkillCount)
        drawText(r, d, title, gStoneSkills[a.pendingStoneSkill].name, 32);
    else if (a.pendingItem >= 0 && a.pendingItem < kItemCount)
        drawText(r, d, title, gItems[a.pendingItem].name, 42);
}

void drawTargetName(GraphicsResources& r, gfx::Device* d, const char* text) {
    drawText(r, d, gfx::Rect{480, 354, 630, 374}, text, 2);
}

// Back from a chooser to the list it came from.
void cancelChooser(GraphicsResources& r, gfx::Device* d, int listPhase) {
    playBattleSound("Can.wav");
    zoomOnActor(r, d);
    gBattleAction.phase = listPhase;
    if (listPhase == kPhaseItemList) gBattleRewards.itemListReady = 0;
    redrawLayer1();
}

// The marker of the enemy and ally choosers, over the slots `next` walks:
// with a single target the arrows step it (right and down on, left and up
// back) and the camera zooms on it; over several targets it runs on by one
// slot a frame, over every one the action covers.
void moveTargetMarker(GraphicsResources& r, gfx::Device* d, int side, int (*next)(int from, int direction)) {
    BattleActionBlock& a = gBattleAction;
    if (a.targetRange != 0) {
        a.targetIndex = next(a.targetIndex, 1);
        return;
    }
    int direction = 0;
    if (gInputCode == kInputRight || gInputCode == kInputDown) direction = 1;
    if (gInputCode == kInputLeft || gInputCode == kInputUp) direction = -1;
    if (direction == 0) return;
    a.targetIndex = next(a.targetIndex, direction);
    zoomOn(r, d, side, a.targetIndex, kZoomOnTarget);
    redrawLayer1();
}

void confirmChooser(GraphicsResources& r, gfx::Device* d) {
    gBattleAction.phase = kPhaseActionStart;
    defaultView(r, d);
    redrawLayer1();
}

// The called bodyguard's own action.
void bodyguardOwnAction(GraphicsResources& r, gfx::Device* d) {
    BattleActionBlock& a = gBattleAction;
    a.actingIndex = kBodyguardLine;
    a.targetIndex = randomLivingEnemy();
    a.targetRange = 0;
    int weapon = -1;
    int stone = -1;
    int item = -1;
    bool onItself = false;
    const bool story = gStoryFlags[128] != 0;
    const bool hasted = gMemberBattleStatus[kBodyguardLine].status[kStatusHaste] == 1;
    switch (gBattleSchedule.bodyguardIndex) {
    case 0: weapon = 104; break;
    case 1:
        if (!story) {
            weapon = 80 + randomThousand() % 3;
        } else if (hasted) {
            weapon = 83;
        } else {
            item = 144;
            onItself = true;
        }
        break;
    case 2:
        if (!story) {
            static const int kStones[7] = {21, 51, 91, 61, 41, 71, 81};
            const int roll = randomThousand() % 8;
            if (roll < 7) {
                stone = kStones[roll];
                onItself = true;
            } else {
                stone = 90;
            }
        } else if (hasted) {
            stone = randomThousand() % 2 == 0 ? 10 : 90;
        } else {
            stone = 11;
            onItself = true;
        }
        break;
    case 3: weapon = 106; break;
    default: break;
    }
    if (onItself) a.targetIndex = kBodyguardLine;
    a.phase = kPhaseActionStart;
    defaultView(r, d);
    selectPendingAction(weapon, stone, item, kSideParty);
}

}  // namespace

int commandMenuEntries(int labels[5]) {
    if (gBattleSchedule.soloMode != 0) {
        labels[0] = 5;
        labels[1] = 6;
        return 2;
    }
    const int unit = actingUnit();
    const bool stone = unit != 0 && (gPartyMembers[unit].stones[0] != 0 || gPartyMembers[unit].stones[1] != 0);
    bool bodyguard = false;
    for (int b = 0; b < kBodyguardCount; ++b) bodyguard = bodyguard || gBodyguardHired[b] == 1;
    int n = 0;
    labels[n++] = 0;
    if (stone) labels[n++] = 1;
    labels[n++] = 2;
    if (bodyguard) labels[n++] = 3;
    labels[n++] = 4;
    return n;
}

bool weaponLevelOpen(int unit, int level) {
    if (unit <= 0 || unit >= kUnitCount) return level == 0;
    const int s0 = gPartyMembers[unit].skillCounts[0][0];
    const int s1 = gPartyMembers[unit].skillCounts[1][0];
    const int s2 = gPartyMembers[unit].skillCounts[2][0];
    switch (level) {
    case 0: return true;
    case 1: return s0 >= 30;
    case 2: return static_cast<long long>(s0) + s1 >= 90;
    case 3: return s0 >= 60 && s1 >= 60 && s2 >= 60;
    default: return false;
    }
}

int weaponSkillRowFor(int category, int level) {
    for (int row = 0; row < 40; ++row)
        if (gWeaponSkills[row].category == category && gWeaponSkills[row].level == level) return row;
    return -1;
}

int weaponSkillBonusFigure(int unit, int row, int level) {
    if (row < 0 || row >= kWeaponSkillCount || unit <= 0 || unit >= kUnitCount || level < 0 || level > 3) return 0;
    long long figure = static_cast<long long>(gWeaponSkills[row].bonusBase) *
                       (gPartyMembers[unit].skillCounts[level][0] / 20 + 1);
    for (int e = 0; e < 4; ++e) {
        switch (gPartyMembers[unit].equipment[e]) {
        case 104: figure += 5; break;
        case 111: figure /= 2; break;
        case 120: figure += 20; break;
        case 127: figure *= 2; break;
        default: break;
        }
        if (figure > 2000000000LL) figure = 2000000000LL;
    }
    return static_cast<int>(figure);
}

float stoneSpFactor(int unit) {
    float m = 1.0f;
    if (unit <= 0 || unit >= kUnitCount) return m;
    for (int e = 0; e < 4; ++e) {
        if (gPartyMembers[unit].equipment[e] == 126) m *= 2.0f;
        if (gPartyMembers[unit].equipment[e] == 129) m *= 0.5f;
    }
    return m;
}

int stoneSkillRowFor(int unit, int stoneSlot, int level) {
    if (unit <= 0 || unit >= kUnitCount || stoneSlot < 0 || stoneSlot > 1) return -1;
    const int stone = gPartyMembers[unit].stones[stoneSlot];
    if (stone <= 0 || stone >= kMagicalStoneCount) return -1;
    const int attribute = gMagicalStones[stone].attribute;
    for (int row = 0; row < kStoneSkillCount; ++row)
        if (gStoneSkills[row].attribute == attribute && gStoneSkills[row].level == level) return row;
    return -1;
}

int randomLivingEnemy() {
    int living[kEnemySlotCount];
    int count = 0;
    for (int k = 0; k < kEnemySlotCount; ++k)
        if (gEnemyBattlers[k].hp > 0) living[count++] = k;
    if (count == 0) return 0;
    return living[randomThousand() % count];
}

void runCommandMenu(GraphicsResources& resources, gfx::Device* device) {
    BattleActionBlock& a = gBattleAction;
    int labels[5];
    const int count = commandMenuEntries(labels);
    const float height = 10.0f + 20.0f * static_cast<float>(count);
    if (a.commandCursor < 0 || a.commandCursor >= count) a.commandCursor = 0;

    drawWindowFrame(resources, device, 10.0f, 365.0f, 90.0f, height);
    beginMenuText(device);
    for (int e = 0; e < count; ++e) {
        const int style = labels[e] == 4 && gBattleType != kBattleNormal ? 10 : 0;
        drawText(resources, device, gfx::Rect{25, 372 + 20 * e, 100, 392 + 20 * e}, kCommandLabels[labels[e]], style);
    }
    endTextFont();

    moveCursor(a.commandCursor, count);
    drawMenuCursor(resources, device, 15.0f, 370.0f + 20.0f * static_cast<float>(a.commandCursor), 80);

    if (gInputCode != kInputDecide) return;
    a.targetSide = kSideEnemy;
    a.pendingWeaponSkill = -1;
    a.pendingStoneSkill = -1;
    a.pendingItem = -1;
    redrawLayer1();
    switch (labels[a.commandCursor]) {
    case 0:
        playBattleSound("Kettei.wav");
        a.listCursor = 0;
        a.phase = kPhaseWeaponList;
        zoomOnActor(resources, device);
        break;
    case 1:
        playBattleSound("Kettei.wav");
        a.listCursor = 0;
        a.phase = kPhaseStoneList;
        zoomOnActor(resources, device);
        break;
    case 2:
        playBattleSound("Kettei.wav");
        a.listScroll = 0;
        a.listCursor = 0;
        gBattleRewards.itemListReady = 0;
        a.phase = kPhaseItemList;
        zoomOnActor(resources, device);
        break;
    case 3:
        playBattleSound("Kettei.wav");
        a.listScroll = 0;
        a.listCursor = 0;
        a.phase = kPhaseBodyguardList;
        zoomOnActor(resources, device);
        break;
    case 4:
        if (gBattleType == kBattleNormal) {
            playBattleSound("Kettei.wav");
            a.phase = kPhaseEscapeStart;
        } else {
            playBattleSound("Buza.wav");
        }
        break;
    case 5:
        playBattleSound("Kettei.wav");
        bodyguardOwnAction(resources, device);
        break;
    case 6:
        playBattleSound("Kettei.wav");
        a.phase = kPhaseBodyguardOut;
        a.step = 0;
        break;
    default: break;
    }
}

void runAttackSkillMenu(GraphicsResources& resources, gfx::Device* device) {
    BattleActionBlock& a = gBattleAction;
    const int unit = actingUnit();
    const int category = unit != 0 ? gUnitBases[unit].weaponCategory : -1;
    keepListCursorOnPage();

    beginMenuText(device);
    drawListWindows(resources, device, "攻撃技選択");
    for (int level = 0; level < 4; ++level) {
        const int row = weaponSkillRowFor(category, level);
        if (!weaponLevelOpen(unit, level) || row < 0) continue;
        const int y = 382 + 20 * level;
        char name[96];
        std::snprintf(name, sizeof name, "%s:%s", kRangeLetters[gWeaponSkills[row].range == 1 ? 1 : gWeaponSkills[row].range == 2 ? 2 : 0],
                      gWeaponSkills[row].name);
        char figure[96];
        std::snprintf(figure, sizeof figure, "%d/%d", gPartyMembers[unit].skillCounts[level][0],
                      weaponSkillBonusFigure(unit, row, level));
        drawListRow(resources, device, y, y + 20, name, figure, false);
        if (level == a.listCursor) drawDescription(resources, device, gWeaponSkills[row].description);
    }
    endTextFont();

    moveListCursor(resources, device);

    if (gInputCode == kInputDecide) {
        const int row = weaponSkillRowFor(category, a.listCursor);
        // A closed level, or an open one the table has no row for, is refused.
        if (!weaponLevelOpen(unit, a.listCursor) || row < 0) return;
        a.pendingWeaponSkill = row;
        a.targetIndex = firstEnemy();
        a.targetRange = gWeaponSkills[row].range;
        a.targetSide = kSideEnemy;
        if (a.targetRange == 0)
            zoomOn(resources, device, kSideEnemy, a.targetIndex, kZoomOnTarget);
        else
            defaultView(resources, device);
        a.phase = kPhaseWeaponEnemyTarget;
        playBattleSound("Kettei.wav");
        redrawLayer1();
    } else if (gInputCode == kInputCancel) {
        backToCommandMenu(resources, device);
    }
}

void runStoneSkillMenu(GraphicsResources& resources, gfx::Device* device) {
    BattleActionBlock& a = gBattleAction;
    const int unit = actingUnit();
    const float factor = stoneSpFactor(unit);
    const int sp = unit != 0 ? gPartyMembers[unit].sp : 0;
    keepListCursorOnPage();

    beginMenuText(device);
    drawListWindows(resources, device, "魔硝石技選択");
    for (int e = 0; e < 4; ++e) {
        const int row = stoneSkillRowFor(unit, e / 2, e % 2);
        if (row < 0) continue;
        const StoneSkillRow& skill = gStoneSkills[row];
        const float cost = static_cast<float>(skill.spCost) * factor;
        const bool short_ = static_cast<float>(sp) < cost;
        const int y = 382 + 20 * e;
        const int attribute = skill.attribute >= 0 && skill.attribute < 10 ? skill.attribute : 0;
        char name[96];
        std::snprintf(name, sizeof name, "%s:%s", kAttributeLetters[attribute], skill.name);
        char figure[96];
        std::snprintf(figure, sizeof figure, "-%d", static_cast<int>(cost));
        drawListRow(resources, device, y, y + 20, name, figure, short_);
        if (e == a.listCursor) drawDescription(resources, device, skill.description);
    }
    endTextFont();

    moveListCursor(resources, device);

    if (gInputCode == kInputDecide) {
        const int row = stoneSkillRowFor(unit, a.listCursor / 2, a.listCursor % 2);
        if (row < 0) return;  // an empty stone slot, or no skill at that level
        const StoneSkillRow& skill = gStoneSkills[row];
        if (static_cast<float>(sp) < static_cast<float>(skill.spCost) * factor) return;
        a.pendingStoneSkill = row;
        a.targetIndex = 0;
        playBattleSound("Kettei.wav");
        redrawLayer1();
        switch (skill.targetKind) {
        case 0:
            a.targetIndex = firstEnemy();
            a.targetRange = 0;
            a.targetSide = kSideEnemy;
            a.phase = kPhaseStoneEnemyTarget;
            zoomOn(resources, device, kSideEnemy, a.targetIndex, kZoomOnTarget);
            break;
        case 1:
            a.targetIndex = firstEnemy();
            a.targetRange = 1;
            a.targetSide = kSideEnemy;
            a.phase = kPhaseStoneEnemyTarget;
            defaultView(resources, device);
            break;
        case 2:
            a.targetIndex = firstPartySlot();
            a.targetRange = 0;
            a.targetSide = kSideParty;
            a.phase = kPhaseStoneAllyTarget;
            zoomOn(resources, device, kSideParty, a.targetIndex, kZoomOnTarget);
            break;
        case 3:
            a.targetIndex = firstPartySlot();
            a.targetRange = 1;
            a.targetSide = kSideParty;
            a.phase = kPhaseStoneAllyTarget;
            defaultView(resources, device);
            break;
        case 4: {
            a.targetIndex = firstPartySlot();
            a.targetRange = 1;
            a.targetSide = kSideParty;
            a.phase = kPhaseStoneAllConfirm;
            const float centre[3] = {10.0f, 1.0f, 0.0f};
            moveCamera(resources, device, centre, kZoomOnTarget, 1);
            break;
        }
        default:
            // A target kind the menus do not know: nothing is chosen.
            a.pendingStoneSkill = -1;
            break;
        }
    } else if (gInputCode == kInputCancel) {
        backToCommandMenu(resources, device);
    }
}

void runBodyguardMenu(GraphicsResources& resources, gfx::Device* device) {
    BattleActionBlock& a = gBattleAction;
    keepListCursorOnPage();

    beginMenuText(device);
    drawListWindows(resources, device, "用心棒選択");
    for (int b = 0; b < kBodyguardCount; ++b) {
        if (gBodyguardHired[b] != 1) continue;
        const int y = 382 + 20 * b;
        const bool down = gBodyguards[b].hp == 0;
        char name[128];
        std::snprintf(name, sizeof name, "－:%.31s", gBodyguards[b].name);
        char figure[128];
        std::snprintf(figure, sizeof figure, "Hp:%d", gBodyguards[b].hp);
        drawListRow(resources, device, y, 480, name, figure, down);
    }
    if (gBodyguardHired[a.listCursor] == 1) drawDescription(resources, device, kBodyguardDescriptions[a.listCursor]);
    endTextFont();

    moveListCursor(resources, device);

    if (gInputCode == kInputDecide) {
        const int b = a.listCursor;
        if (gBodyguardHired[b] != 1 || gBodyguards[b].hp <= 0) return;
        gBattleSchedule.bodyguardIndex = b;
        gBattleSchedule.bodyguardActionValue = 9999;
        a.step = 0;
        a.phase = kPhaseBodyguardIn;
        defaultView(resources, device);
        playBattleSound("Kettei.wav");
        redrawLayer1();
    } else if (gInputCode == kInputCancel) {
        backToCommandMenu(resources, device);
    }
}

void runEnemyTargetSelect(GraphicsResources& resources, gfx::Device* device) {
    BattleActionBlock& a = gBattleAction;
    if (a.targetIndex < 0 || a.targetIndex >= kEnemySlotCount) a.targetIndex = firstEnemy();

    beginMenuText(device);
    drawTargetTitle(resources, device);
    if (a.targetRange == 0) {
        int monster = gEnemyBattlers[a.targetIndex].monster;
        if (monster < 0 || monster >= kMonsterCount) monster = 0;
        drawTargetName(resources, device, gMonsters[monster].name);
    } else {
        drawTargetName(resources, device, a.targetRange == 1 ? "敵全体" : "敵複数体");
    }
    endTextFont();

    if (gInputCode == kInputDecide) {
        confirmChooser(resources, device);
        return;
    }
    if (gInputCode == kInputCancel) {
        cancelChooser(resources, device, a.phase - 1);
        return;
    }
    moveTargetMarker(resources, device, kSideEnemy, nextEnemy);
}

void runAllyTargetSelect(GraphicsResources& resources, gfx::Device* device) {
    BattleActionBlock& a = gBattleAction;
    if (a.phase == kPhaseItemAllyTarget) gBattleRewards.itemListReady = 0;
    if (a.targetIndex < 0 || a.targetIndex >= 3) a.targetIndex = firstPartySlot();

    beginMenuText(device);
    drawTargetTitle(resources, device);
    if (a.targetRange == 0) {
        const int unit = gParty[a.targetIndex];
        drawTargetName(resources, device, unit > 0 && unit < kUnitBaseCount ? gUnitBases[unit].name : "");
    } else {
        drawTargetName(resources, device, "味方全体");
    }
    endTextFont();

    if (gInputCode == kInputDecide) {
        const int unit = gParty[a.targetIndex];
        const bool fallen = unit > 0 && unit < kUnitCount && gPartyMembers[unit].hp == 0;
        if (a.targetRange == 0 && fallen) {
            bool revives = false;
            if (a.phase == kPhaseStoneAllyTarget) {
                const int acting = actingUnit();
                const int stone = acting != 0 ? gPartyMembers[acting].stones[a.listCursor / 2] : 0;
                const int attribute = stone > 0 && stone < kMagicalStoneCount ? gMagicalStones[stone].attribute : -1;
                revives = attribute * 10 + a.listCursor % 2 == 31;
            } else {
                revives = a.pendingItem == 155;
            }
            if (!revives) {
                playBattleSound("Buza.wav");
                return;
            }
        }
        confirmChooser(resources, device);
        return;
    }
    if (gInputCode == kInputCancel) {
        cancelChooser(resources, device, a.phase == kPhaseStoneAllyTarget ? kPhaseStoneList : kPhaseItemList);
        return;
    }
    moveTargetMarker(resources, device, kSideParty, nextPartySlot);
}

void runAllTargetConfirm(GraphicsResources& resources, gfx::Device* device) {
    BattleActionBlock& a = gBattleAction;
    if (a.phase == kPhaseItemAllConfirm) gBattleRewards.itemListReady = 0;

    beginMenuText(device);
    drawTargetTitle(resources, device);
    drawTargetName(resources, device, "敵味方全体");
    endTextFont();

    if (gInputCode == kInputDecide) {
        confirmChooser(resources, device);
        return;
    }
    if (gInputCode == kInputCancel) {
        cancelChooser(resources, device, a.phase == kPhaseStoneAllConfirm ? kPhaseStoneList : kPhaseItemList);
        return;
    }
    // The marker runs over party slots 0-2 and enemy slots 0-5 as one cursor.
    int cursor = wrap(a.targetRange, 9);
    for (int n = 1; n <= 9; ++n) {
        const int c = wrap(a.targetRange + n, 9);
        const bool present = c < 3 ? gParty[c] != 0 : gEnemyBattlers[c - 3].monster != 0;
        if (present) {
            cursor = c;
            break;
        }
    }
    a.targetRange = cursor;
    a.targetSide = cursor < 3 ? kSideParty : kSideEnemy;
    a.targetIndex = cursor < 3 ? cursor : cursor - 3;
}
