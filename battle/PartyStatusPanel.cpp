// The party status panel: one row per party battler with name, HP, SP,
// gauges and the letters of the statuses in effect.
#include <cstdio>

#include "battle/BattleServices.h"
#include "battle/PartyStatusPanel.h"
#include "engine/DrawText.h"
#include "engine/GraphicsResources.h"
#include "engine/TextFont.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"

namespace {

const char* const kStatusLetters[kStatusCount] = {"攻", "防", "魔", "耐", "速", "回", "再", "滅", "呪", "避"};
const int kStatusColours[kStatusCount] = {20, 40, 30, 50, 60, 30, 40, 10, 10, 60};

}  // namespace

int statusLetterColour(int status) { return status >= 0 && status < kStatusCount ? kStatusColours[status] : 0; }

int panelRowColour(int hp, int maxHp) {
    const float ratio = maxHp > 0 ? static_cast<float>(hp) / static_cast<float>(maxHp) : 0.0f;
    if (ratio == 0.0f) return 20;
    if (ratio < 0.4f) return 50;
    return 0;
}

int panelRows(PanelRow rows[3]) {
    int count = 0;
    const bool solo = gBattleSchedule.soloMode != 0;
    for (int slot = 0; slot < 3; ++slot) {
        if (solo && slot != 0) continue;
        const int unit = gParty[slot];
        if (unit <= 0 || unit >= kUnitCount) continue;
        PanelRow& row = rows[count++];
        row = PanelRow{};
        row.slot = slot;
        row.y = 400 + 30 * slot;
        if (solo) {
            int b = gBattleSchedule.bodyguardIndex;
            if (b < 0 || b >= kBodyguardCount) b = 0;
            row.name = gBodyguards[b].name;
            row.hp = gBodyguards[b].hp;
            row.maxHp = computeBodyguardStat(b, kStatMaxHp);
            row.status = gMemberBattleStatus[kBodyguardLine].status;
            row.showsSp = false;
        } else {
            const PartyMember& member = gPartyMembers[unit];
            row.name = gUnitBases[unit].name;
            row.hp = member.hp;
            row.maxHp = computeUnitStat(unit, kStatMaxHp);
            row.sp = member.sp;
            row.maxSp = computeUnitStat(unit, kStatMaxSp);
            row.status = gMemberBattleStatus[slot].status;
            row.showsSp = member.stones[0] != 0 || member.stones[1] != 0;
        }
        row.colour = panelRowColour(row.hp, row.maxHp);
    }
    return count;
}

int hpFillRight(int hp, int maxHp) {
    if (maxHp <= 0) return -1;
    return static_cast<int>(static_cast<long long>(hp) * 64 / maxHp) - 1;
}

int spFillRight(int sp, int maxSp) {
    if (maxSp <= 0) return 63;
    return static_cast<int>(static_cast<long long>(sp) * 50 / maxSp) + 63;
}

int statusLetterCells(const std::uint8_t* status, int cells[kStatusCount], int lettersOut[kStatusCount]) {
    int n = 0;
    for (int s = kStatusCount - 1; s >= 0; --s) {
        if (status[s] != 1) continue;
        cells[n] = 398 - 10 * n;
        lettersOut[n] = s;
        ++n;
    }
    return n;
}

void drawPartyStatusPanel(GraphicsResources& resources, gfx::Device* device) {
    if (!device) return;
    const BattleActionBlock& a = gBattleAction;
    PanelRow rows[3];
    const int count = panelRows(rows);

    if (a.actingSide == kSideParty && resources.sprite && resources.windowBackground) {
        const int index = gBattleSchedule.soloMode != 0 ? 0 : a.actingIndex;
        if (index >= 0 && index < 3) {
            const gfx::Rect src{0, 0, 360, 25};
            const gfx::Vec2 at{280.0f, 395.0f + 30.0f * static_cast<float>(index)};
            resources.sprite->begin();
            resources.sprite->draw(resources.windowBackground.get(), &src, nullptr, nullptr, 0.0f, &at, 0x80FFFFFFu);
            resources.sprite->end();
        }
    }

    char text[32];
    beginTextFont(device, 15, kMenuFontFace);
    for (int i = 0; i < count; ++i) {
        const PanelRow& r = rows[i];
        drawText(resources, device, gfx::Rect{300, r.y, 400, r.y + 20}, r.name, r.colour + 100);
        // The box reaches to 435, not 430: the stand-in face draws "Hp" 21
        // pixels wide in bold, and a 20-pixel box would cut it to "...".
        drawText(resources, device, gfx::Rect{410, r.y, 435, r.y + 20}, "Hp", r.colour + 100);
    }
    endTextFont();
    beginTextFont(device, 15, "Impact");
    for (int i = 0; i < count; ++i) {
        const PanelRow& r = rows[i];
        std::snprintf(text, sizeof text, "%d", r.hp);
        drawText(resources, device, gfx::Rect{400, r.y, 485, r.y + 20}, text, r.colour + 101);
        if (r.showsSp) drawText(resources, device, gfx::Rect{565, r.y, 584, r.y + 20}, "Sp", r.colour + 100);
    }
    endTextFont();
    beginTextFont(device, 10, "Impact");
    for (int i = 0; i < count; ++i) {
        const PanelRow& r = rows[i];
        std::snprintf(text, sizeof text, "%d", r.maxHp);
        drawText(resources, device, gfx::Rect{495, r.y, 600, r.y + 20}, text, r.colour + 100);
        if (r.showsSp) {
            std::snprintf(text, sizeof text, "%d", r.sp);
            drawText(resources, device, gfx::Rect{585, r.y, 625, r.y + 20}, text, r.colour + 101);
        }
    }
    endTextFont();
    beginTextFont(device, 10, kMenuFontFace);
    for (int i = 0; i < count; ++i) {
        const PanelRow& r = rows[i];
        int cells[kStatusCount];
        int letters[kStatusCount];
        const int n = statusLetterCells(r.status, cells, letters);
        for (int c = 0; c < n; ++c)
            drawText(resources, device, gfx::Rect{cells[c], r.y + 7, cells[c] + 10, r.y + 27}, kStatusLetters[letters[c]],
                     statusLetterColour(letters[c]) + 100);
    }
    endTextFont();

    if (!resources.sprite || !resources.gaugeBar) return;
    resources.sprite->begin();
    gfx::Texture* gauge = resources.gaugeBar.get();
    for (int i = 0; i < count; ++i) {
        const PanelRow& r = rows[i];
        const gfx::Vec2 hpAt{490.0f, static_cast<float>(r.y + 10)};
        const gfx::Rect hpFrame{0, 0, 64, 8};
        resources.sprite->draw(gauge, &hpFrame, nullptr, nullptr, 0.0f, &hpAt, 0xCCFFFFFFu);
        const gfx::Rect hpFill{0, 9, hpFillRight(r.hp, r.maxHp), 16};
        if (hpFill.right > hpFill.left) resources.sprite->draw(gauge, &hpFill, nullptr, nullptr, 0.0f, &hpAt, 0xCCFFFFFFu);
        if (!r.showsSp) continue;
        const gfx::Vec2 spAt{585.0f, static_cast<float>(r.y + 10)};
        const gfx::Rect spFrame{64, 0, 114, 8};
        resources.sprite->draw(gauge, &spFrame, nullptr, nullptr, 0.0f, &spAt, 0xCCFFFFFFu);
        const gfx::Rect spFill{64, 9, spFillRight(r.sp, r.maxSp), 16};
        if (spFill.right > spFill.left) resources.sprite->draw(gauge, &spFill, nullptr, nullptr, 0.0f, &spAt, 0xFFFFFFFFu);
    }
    resources.sprite->end();
}
