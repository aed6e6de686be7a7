#include "menus/StatusScreen.h"

#include <cstdio>

#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
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

const char* const kRangeMarks[3] = {"単", "全", "複"};
const char* const kAttributeMarks[10] = {"－", "宇", "炎", "水", "風", "土", "雷", "磁", "光", "闇"};
const char* const kEquipLabels[4] = {"Wepon", "Protector", "Accessory A", "Accessory B"};
const char* const kStoneLabels[2] = {"Magical Stone A", "Magical Stone B"};
const char* const kCharacterLines[6] = {
    "",
    "現在スキンエンパイアに追われている、コール出身の女性",
    "リメルを救出しにブラッドエンプレスへ乗り込んだ機械使いの男性",
    "スキンエンパイアに捕らえられていた女性",
    "魔硝石奪回の協力をしてくれる男性",
    "シェリル達を助けた少年",
};
constexpr int kListedWeaponRows = 40;

void text(GraphicsResources& resources, gfx::Device* device, int left, int top, int right, const char* s, int style) {
    campText(resources, device, left, top, right, s, kLayer1 + style);
}

void textValue(GraphicsResources& resources, gfx::Device* device, int left, int top, int right, long value,
               int style) {
    char s[24];
    std::snprintf(s, sizeof s, "%ld", value);
    campText(resources, device, left, top, right, s, kLayer1 + style);
}

int validItem(int item) { return item >= 0 && item < kItemCount ? item : 0; }
int validStone(int stone) { return stone >= 0 && stone < kMagicalStoneCount ? stone : 0; }

void drawProfile(GraphicsResources& resources, gfx::Device* device, int u) {
    const PartyMember& m = gPartyMembers[u];
    char s[64];
    text(resources, device, 220, 25, 640, gUnitBases[u].name, kGreen);
    text(resources, device, 220, 50, 640, "Lv", kWhite);
    std::snprintf(s, sizeof s, "%d", m.level);
    text(resources, device, 420, 50, 640, s, kWhite);
    text(resources, device, 220, 75, 640, "累計経験値", kWhite);
    textValue(resources, device, 420, 75, 640, m.experience, kWhite);
    text(resources, device, 220, 100, 640, "次のレベルまで", kWhite);
    textValue(resources, device, 420, 100, 640, 10L * m.level * m.level - m.experience, kWhite);
    text(resources, device, 220, 125, 640, "敏捷性", kWhite);
    textValue(resources, device, 420, 125, 640, computeUnitStat(u, kStatSpeed), kWhite);

    text(resources, device, 20, 170, 640, "Hp", kWhite);
    std::snprintf(s, sizeof s, "%ld / %ld", static_cast<long>(m.hp), static_cast<long>(computeUnitStat(u, kStatMaxHp)));
    text(resources, device, 175, 170, 640, s, kWhite);
    if (unitWearsStone(u)) {
        text(resources, device, 330, 170, 640, "Sp", kWhite);
        std::snprintf(s, sizeof s, "%ld / %ld", static_cast<long>(m.sp), static_cast<long>(computeUnitStat(u, kStatMaxSp)));
        text(resources, device, 485, 170, 640, s, kWhite);
    }
    const bool magic = gStoneFlags[0] == 1;
    struct StatCell {
        const char* label;
        int kind;
        int left, right, colour;
        bool shown;
    };
    const StatCell cells[4] = {
        {"攻撃力", kStatAttack, 20, 150, kOrange, true},
        {"防御力", kStatDefence, 175, 305, kCyan, true},
        {"魔力", kStatMagic, 330, 460, kGreen, magic},
        {"耐久力", kStatMagicDefence, 485, 615, kYellow, magic},
    };
    for (const StatCell& c : cells) {
        if (!c.shown) continue;
        text(resources, device, c.left, 195, c.right, c.label, c.colour);
        textValue(resources, device, c.left, 195, c.right, computeUnitStat(u, c.kind), c.colour + kAlignRight);
    }
    for (int k = 0; k < 4; ++k) {
        text(resources, device, 20, 230 + 25 * k, 305, kEquipLabels[k], kOrange);
        text(resources, device, 155, 230 + 25 * k, 305, gItems[validItem(m.equipment[k])].name, kWhite);
    }
    if (magic) {
        for (int k = 0; k < 2; ++k) {
            text(resources, device, 330, 230 + 25 * k, 615, kStoneLabels[k], kOrange);
            text(resources, device, 465, 230 + 25 * k, 615, gMagicalStones[validStone(m.stones[k])].name, kWhite);
        }
    }
    text(resources, device, 20, 445, 615, u <= 5 ? kCharacterLines[u] : "", kWhite);
}

void drawWeaponSkills(GraphicsResources& resources, gfx::Device* device, int u) {
    char s[96];
    for (int level = 0; level < 4; ++level) {
        if (!weaponSkillLevelUnlocked(u, level)) continue;
        for (int row = 0; row < kListedWeaponRows; ++row) {
            const WeaponSkillRow& w = gWeaponSkills[row];
            if (w.category != gUnitBases[u].weaponCategory || w.level != level) continue;
            const int y = 340 + 25 * level;
            std::snprintf(s, sizeof s, "%s:%.39s", w.range >= 0 && w.range <= 2 ? kRangeMarks[w.range] : "", w.name);
            text(resources, device, 20, y, 305, s, kWhite);
            std::snprintf(s, sizeof s, "%d/%d", gPartyMembers[u].skillCounts[level][0], weaponSkillBonusFigure(u, row));
            text(resources, device, 20, y, 305, s, kWhite + kAlignRight);
        }
    }
}

void drawStoneSkills(GraphicsResources& resources, gfx::Device* device, int u) {
    char s[96];
    for (int slot = 0; slot < 2; ++slot) {
        const int stone = validStone(gPartyMembers[u].stones[slot]);
        if (stone == 0) continue;
        const int attribute = gMagicalStones[stone].attribute;
        for (int level = 0; level < 2; ++level) {
            for (int row = 0; row < kStoneSkillCount; ++row) {
                const StoneSkillRow& k = gStoneSkills[row];
                if (k.attribute != attribute || k.level != level) continue;
                const int y = 340 + 25 * (level + 2 * slot);
                std::snprintf(s, sizeof s, "%s:%.29s", k.attribute >= 0 && k.attribute <= 9 ? kAttributeMarks[k.attribute] : "",
                              k.name);
                text(resources, device, 330, y, 615, s, kWhite);
                std::snprintf(s, sizeof s, "-%d", k.spCost);
                text(resources, device, 330, y, 615, s, kWhite + kAlignRight);
            }
        }
    }
}

}  // namespace

bool weaponSkillLevelUnlocked(int unit, int level) {
    if (unit < 1 || unit >= kUnitCount) return false;
    const auto& c = gPartyMembers[unit].skillCounts;
    switch (level) {
        case 0:
            return true;
        case 1:
            return c[0][0] >= 30;
        case 2:
            return static_cast<long long>(c[0][0]) + c[1][0] >= 90;
        case 3:
            return c[0][0] >= 60 && c[1][0] >= 60 && c[2][0] >= 60;
        default:
            return false;
    }
}

int weaponSkillBonusFigure(int unit, int row) {
    if (unit < 1 || unit >= kUnitCount || row < 0 || row >= kWeaponSkillCount) return 0;
    const WeaponSkillRow& w = gWeaponSkills[row];
    const int level = w.level >= 0 && w.level <= 3 ? w.level : 0;
    long long figure = static_cast<long long>(gPartyMembers[unit].skillCounts[level][0] / 20 + 1) * w.bonusBase;
    for (int item : gPartyMembers[unit].equipment) {
        if (item == 104) figure += 5;
        if (item == 111) figure /= 2;
        if (item == 120) figure += 20;
        if (item == 127) figure *= 2;
    }
    if (figure > 2000000000LL) return 2000000000;
    if (figure < -2000000000LL) return -2000000000;
    return static_cast<int>(figure);
}

void runStatusScreen(GraphicsResources& resources, gfx::Device* device) {
    if (partyUnit(gSubScreenCursor) == 0) gSubScreenCursor = stepPartySlot(gSubScreenCursor, 1);
    const int u = partyUnit(gSubScreenCursor);

    clearRequestedTextLayers(resources, device);
    clearCampBackBuffer(resources, device);
    drawWindowFrame(resources, device, 10, 10, 620, 150);
    drawWindowFrame(resources, device, 10, 160, 620, 60);
    drawWindowFrame(resources, device, 10, 220, 310, 110);
    drawWindowFrame(resources, device, 320, 220, 310, 110);
    drawWindowFrame(resources, device, 10, 330, 310, 110);
    drawWindowFrame(resources, device, 320, 330, 310, 110);
    drawWindowFrame(resources, device, 10, 440, 620, 30);
    if (u != 0) drawPortraitCell(resources, device, u - 1, 0, 40, 37);
    if (gRedrawRequest[1] == 1 && u != 0) {
        beginTextFont(device, kMenuFontHeight, kMenuFontFace);
        drawProfile(resources, device, u);
        drawWeaponSkills(resources, device, u);
        drawStoneSkills(resources, device, u);
        endTextFont();
    }
    drawTextLayers(resources, device);
    memberScreenKey(gInputCode);
    endTextLayerFrame();
}
