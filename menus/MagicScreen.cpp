#include "menus/MagicScreen.h"

#include <climits>
#include <cstdio>

#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Random.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "menus/CampMenu.h"
#include "menus/CampScreenParts.h"
#include "menus/MenuState.h"

namespace {

const char* const kElementMarks[10] = {"－", "宇", "炎", "水", "風", "土", "雷", "磁", "光", "闇"};
const int kStoneOfAttribute[10] = {0, 0, 2, 4, 3, 5, 7, 1, 6, 8};

const StoneSkillRow& skillAt(int position) { return gStoneSkills[position + 2]; }

bool validPosition(int position) { return position >= 0 && position < kMagicListLength; }

const char* markOf(int attribute) { return attribute >= 0 && attribute <= 9 ? kElementMarks[attribute] : ""; }

void drawHeader(GraphicsResources& resources, gfx::Device* device, int unit) {
    const PartyMember& m = gPartyMembers[unit];
    char text[32];
    campText(resources, device, 220, 25, 640, gUnitBases[unit].name, kLayer1 + kGreen);
    campText(resources, device, 220, 55, 640, "Lv", kLayer1 + kWhite);
    std::snprintf(text, sizeof text, "%d ", m.level);
    campText(resources, device, 220, 55, 350, text, kLayer1 + kWhite + kAlignRight);
    for (int k = 0; k < 2; ++k) {
        const int y = 80 + 25 * k;
        campText(resources, device, 220, y, 640, k == 0 ? "Hp" : "Sp", kLayer1 + kWhite);
        std::snprintf(text, sizeof text, "%ld ", static_cast<long>(k == 0 ? m.hp : m.sp));
        campText(resources, device, 220, y, 350, text, kLayer1 + kWhite + kAlignRight);
        campText(resources, device, 220, y, 375, "/ ", kLayer1 + kWhite + kAlignRight);
        std::snprintf(text, sizeof text, "%ld", static_cast<long>(computeUnitStat(unit, k == 0 ? kStatMaxHp : kStatMaxSp)));
        campText(resources, device, 220, y, 425, text, kLayer1 + kWhite + kAlignRight);
    }
}

void drawSkillList(GraphicsResources& resources, gfx::Device* device, int unit) {
    char text[96];
    if (gRedrawRequest[0] == 1) {
        for (int k = 0; k < kMagicListLength; ++k) {
            if (!magicListed(k)) continue;
            const StoneSkillRow& s = skillAt(k);
            const int x = k % 2 == 0 ? 300 : 600;
            const int y = 168 + 25 * (k / 2);
            const int colour = magicCastable(k, unit) ? kWhite : kGrey;
            std::snprintf(text, sizeof text, "%s:%s", markOf(s.attribute), s.name);
            campText(resources, device, x - 280, y, 640, text, kLayer2 + colour);
            std::snprintf(text, sizeof text, "-%d", s.spCost);
            campText(resources, device, x - 280, y, x, text, kLayer2 + colour + kAlignRight);
        }
    }
    if (gRedrawRequest[1] == 1 && magicListed(gSubScreenListCursor))
        campText(resources, device, 60, 445, 640, skillAt(gSubScreenListCursor).description, kLayer1 + kWhite);
}

void drawTargetPage(GraphicsResources& resources, gfx::Device* device) {
    if (gRedrawRequest[1] != 1) return;
    const StoneSkillRow& s = skillAt(gSubScreenListCursor);
    char text[64];
    campText(resources, device, 40, 170, 640, "使用魔法", kLayer1 + kWhite);
    campText(resources, device, 60, 200, 640, s.name, kLayer1 + kWhite);
    std::snprintf(text, sizeof text, "消費SP   - %d", s.spCost);
    campText(resources, device, 60, 200, 340, text, kLayer1 + kWhite + kAlignRight);
    campText(resources, device, 60, 445, 640, "使用する対象を選択してください", kLayer1 + kWhite);
    for (int i = 0; i < 3; ++i) {
        const int u = partyUnit(i);
        if (u == 0) continue;
        const PartyMember& m = gPartyMembers[u];
        const int y = 240 + 25 * i;
        campText(resources, device, 60, y, 640, gUnitBases[u].name, kLayer1 + kGreen);
        const int values[4] = {m.hp, computeUnitStat(u, kStatMaxHp), m.sp, computeUnitStat(u, kStatMaxSp)};
        for (int k = 0; k < 2; ++k) {
            const int x = 175 + 250 * k;
            campText(resources, device, x, y, 640, k == 0 ? "Hp " : "Sp ", kLayer1 + kWhite);
            std::snprintf(text, sizeof text, "%ld", static_cast<long>(values[2 * k]));
            campText(resources, device, x, y, x + 75, text, kLayer1 + kWhite + kAlignRight);
            campText(resources, device, x + 100, y, 640, "/", kLayer1 + kWhite);
            std::snprintf(text, sizeof text, "%ld", static_cast<long>(values[2 * k + 1]));
            campText(resources, device, x + 100, y, x + 175, text, kLayer1 + kWhite + kAlignRight);
        }
    }
}

void casterKeys() {
    if (memberScreenKey(gInputCode)) return;
    switch (gInputCode) {
        case kInputDecide:
            campSound("Kettei.wav");
            gSubScreenPage = 1;
            gSubScreenListCursor = 0;
            requestBothTextLayers();
            break;
        default:
            break;
    }
}

void listKeys(int unit) {
    int& k = gSubScreenListCursor;
    switch (gInputCode) {
        case kInputRight:
            k = (k + 1) % kMagicListLength;
            gRedrawRequest[1] = 2;
            break;
        case kInputLeft:
            k = (k + kMagicListLength - 1) % kMagicListLength;
            gRedrawRequest[1] = 2;
            break;
        case kInputDown:
            k = (k + 2) % kMagicListLength;
            gRedrawRequest[1] = 2;
            break;
        case kInputUp:
            k = (k + kMagicListLength - 2) % kMagicListLength;
            gRedrawRequest[1] = 2;
            break;
        case kInputCancel:
            campSound("Can.wav");
            gSubScreenPage = 0;
            requestBothTextLayers();
            break;
        case kInputDecide:
            if (magicCastable(k, unit)) {
                campSound("Kettei.wav");
                gSubScreenPage = 2;
                gSubScreenListItem = partyUnit(0) != 0 ? 0 : stepPartySlot(0, 1);
                requestBothTextLayers();
            } else {
                campSound("Buza.wav");
            }
            break;
        default:
            break;
    }
}

void targetKeys(int unit) {
    switch (gInputCode) {
        case kInputDown:
            gSubScreenListItem = stepPartySlot(gSubScreenListItem, 1);
            break;
        case kInputUp:
            gSubScreenListItem = stepPartySlot(gSubScreenListItem, -1);
            break;
        case kInputCancel:
            campSound("Can.wav");
            gSubScreenPage = 1;
            requestBothTextLayers();
            break;
        case kInputDecide: {
            // The Sp may no longer cover the cost (a member left): nothing is cast then.
            if (!magicCastable(gSubScreenListCursor, unit)) {
                campSound("Buza.wav");
                gSubScreenPage = 1;
                requestBothTextLayers();
                break;
            }
            const int attribute = skillAt(gSubScreenListCursor).attribute;
            castCampMagic(gSubScreenListCursor, gSubScreenCursor, gSubScreenListItem);
            campSound(attribute == 4 ? "Zoku_4_1.wav" : attribute == 7 ? "Zoku_7_1.wav" : "Zoku_8_1.wav");
            gSubScreenPage = 1;
            requestBothTextLayers();
            break;
        }
        default:
            break;
    }
}

}  // namespace

int stoneOpeningAttribute(int attribute) { return attribute >= 0 && attribute <= 9 ? kStoneOfAttribute[attribute] : 0; }

bool magicListed(int position) {
    if (!validPosition(position)) return false;
    const int stone = stoneOpeningAttribute(skillAt(position).attribute);
    return stone != 0 && gStoneFlags[stone - 1] == 1;
}

bool magicCastable(int position, int caster) {
    if (!magicListed(position) || caster < 1 || caster >= kUnitCount) return false;
    const StoneSkillRow& s = skillAt(position);
    if (s.targetKind != 2 && s.targetKind != 3) return false;
    if (s.attribute != 4 && s.attribute != 7 && s.attribute != 8) return false;
    return gPartyMembers[caster].sp >= s.spCost;
}

int campHealAmount(int d, int r) {
    if (d < 0) d = 0;
    const long long dd = d;
    const long long amount = (80 * dd + 40 * (dd * r / 1000)) / 100;
    return amount > INT_MAX ? INT_MAX : static_cast<int>(amount);
}

void castCampMagic(int position, int casterSlot, int targetSlot) {
    if (!validPosition(position)) return;
    const int caster = partyUnit(casterSlot);
    if (caster == 0) return;
    const StoneSkillRow& s = skillAt(position);
    const long long power = static_cast<long long>(computeUnitStat(caster, kStatMagic)) + s.power;
    const int d = power < 0 ? 0 : power > INT_MAX ? INT_MAX : static_cast<int>(power);
    for (int slot = 0; slot < 3; ++slot) {
        if (s.targetKind != 3 && slot != targetSlot) continue;
        const int u = partyUnit(slot);
        if (u == 0) continue;
        const int r = randomThousand();
        const long long raised = static_cast<long long>(gPartyMembers[u].hp) + campHealAmount(d, r);
        const int maxHp = computeUnitStat(u, kStatMaxHp);
        gPartyMembers[u].hp = raised > maxHp ? maxHp : static_cast<int>(raised);
    }
    gPartyMembers[caster].sp -= s.spCost;
}

void runMagicMenu(GraphicsResources& resources, gfx::Device* device) {
    if (!validPosition(gSubScreenListCursor)) gSubScreenListCursor = 0;
    if (partyUnit(gSubScreenCursor) == 0) gSubScreenCursor = stepPartySlot(gSubScreenCursor, 1);
    if (gSubScreenPage == 2 && partyUnit(gSubScreenListItem) == 0) gSubScreenListItem = stepPartySlot(gSubScreenListItem, 1);
    const int unit = partyUnit(gSubScreenCursor);

    clearRequestedTextLayers(resources, device);
    clearCampBackBuffer(resources, device);
    drawWindowFrame(resources, device, 10, 10, 620, 150);
    drawWindowFrame(resources, device, 10, 440, 620, 30);
    if (unit != 0) drawPortraitCell(resources, device, unit - 1, 0, 40, 37);
    beginTextFont(device, kMenuFontHeight, kMenuFontFace);
    if (gRedrawRequest[1] == 1 && unit != 0) drawHeader(resources, device, unit);
    if (gSubScreenPage == 1) {
        drawWindowFrame(resources, device, 10, 160, 620, 210);
        const int k = gSubScreenListCursor;
        drawMenuCursor(resources, device, 15 + 310 * (k % 2), 168 + 25 * (k / 2), 300);
        drawSkillList(resources, device, unit);
    } else if (gSubScreenPage == 2) {
        drawWindowFrame(resources, device, 10, 160, 620, 70);
        drawWindowFrame(resources, device, 10, 230, 620, 85);
        drawWindowFrame(resources, device, 10, 370, 620, 70);
        drawTargetPage(resources, device);
        const bool everyone = skillAt(gSubScreenListCursor).targetKind == 3;
        for (int i = 0; i < 3; ++i) {
            if (partyUnit(i) == 0) continue;
            if (everyone || i == gSubScreenListItem) drawMenuCursor(resources, device, 15, 240 + 25 * i, 610);
        }
    }
    endTextFont();
    drawTextLayers(resources, device);
    if (gSubScreenPage == 1)
        listKeys(unit);
    else if (gSubScreenPage == 2)
        targetKeys(unit);
    else
        casterKeys();
    endTextLayerFrame();
}
