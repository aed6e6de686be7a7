// The damage popups: each counts down twenty frames above its battler, then
// lands its change.
#include <cstdlib>

#include "battle/BattlePopups.h"
#include "battle/BattleServices.h"
#include "engine/GraphicsResources.h"
#include "engine/Random.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"

namespace {

BattleActor* actorOf(int side, int index) {
    if (side == kSideParty && index >= 0 && index < kPartyLineCount) return &gPartyActors[index];
    if (side == kSideEnemy && index >= 0 && index < kEnemySlotCount) return &gEnemyActors[index];
    return nullptr;
}

std::uint8_t* statusLine(int side, int index) {
    if (side == kSideEnemy) return index >= 0 && index < kEnemySlotCount ? gEnemyBattlers[index].status : nullptr;
    if (gBattleSchedule.soloMode != 0) return gMemberBattleStatus[kBodyguardLine].status;
    return index >= 0 && index < kPartyLineCount ? gMemberBattleStatus[index].status : nullptr;
}

int calledBodyguard() {
    const int b = gBattleSchedule.bodyguardIndex;
    return b >= 0 && b < kBodyguardCount ? b : 0;
}

int memberUnit(int index) { return index >= 0 && index < 3 ? gParty[index] : 0; }

void applyPartyHp(const DamagePopup& popup, BattleActor* actor) {
    if (gBattleSchedule.soloMode != 0) {
        const int b = calledBodyguard();
        long long hp = static_cast<long long>(gBodyguards[b].hp) - popup.value;
        if (hp <= 0) {
            hp = 0;
            gPartyActors[kBodyguardLine].pose = 4;
        }
        const int max = computeBodyguardStat(b, kStatMaxHp);
        if (hp > max) hp = max;
        gBodyguards[b].hp = static_cast<int>(hp);
        return;
    }
    const int unit = memberUnit(popup.index);
    if (unit <= 0 || unit >= kUnitCount) return;
    PartyMember& member = gPartyMembers[unit];
    long long hp = static_cast<long long>(member.hp) - popup.value;
    if (hp <= 0) {
        hp = 0;
        if (actor) actor->pose = 4;
    }
    const int max = computeUnitStat(unit, kStatMaxHp);
    if (hp > max) hp = max;
    member.hp = static_cast<int>(hp);
}

void applyEnemyHp(const DamagePopup& popup, BattleActor* actor) {
    EnemyBattler& enemy = gEnemyBattlers[popup.index];
    long long hp = static_cast<long long>(enemy.hp) - popup.value;
    if (hp <= 0) {
        int monster = enemy.monster;
        if (monster < 0 || monster >= kMonsterCount) monster = 0;
        const MonsterRecord& row = gMonsters[monster];
        if (gBattleRewards.droppedItem == 0 && row.dropItem != 0 && enemy.dropRolled == 0) {
            enemy.dropRolled = 1;
            if (randomThousand() < row.dropChance) gBattleRewards.droppedItem = row.dropItem;
        }
        hp = 0;
        if (actor) actor->pose = 3;
        // While an action runs its end removes the fallen; later falls go at once.
        if (gBattleAction.phase != kPhaseActionRun) enemy.monster = 0;
    }
    if (hp > enemy.maxHp) hp = enemy.maxHp;
    enemy.hp = static_cast<int>(hp);
}

}  // namespace

void applyDamagePopup(const DamagePopup& popup) {
    const bool enemy = popup.side == kSideEnemy;
    if (enemy && (popup.index < 0 || popup.index >= kEnemySlotCount)) return;
    BattleActor* actor = actorOf(popup.side, popup.index);
    if (actor && popup.kind != kPopupSp) actor->pose = 0;

    switch (popup.kind) {
    case kPopupHp:
        if (enemy)
            applyEnemyHp(popup, actor);
        else
            applyPartyHp(popup, actor);
        break;
    case kPopupRevive:
        if (enemy) {
            EnemyBattler& e = gEnemyBattlers[popup.index];
            const int group = gBattleGroup >= 0 && gBattleGroup < kEnemyGroupCount ? gBattleGroup : 0;
            e.monster = gEnemyGroups[group].monsters[popup.index];
            e.hp = e.maxHp / 2;
        } else if (gBattleSchedule.soloMode != 0) {
            const int b = calledBodyguard();
            gBodyguards[b].hp = computeBodyguardStat(b, kStatMaxHp) / 2;
        } else {
            const int unit = memberUnit(popup.index);
            if (unit > 0 && unit < kUnitCount) gPartyMembers[unit].hp = computeUnitStat(unit, kStatMaxHp) / 2;
        }
        break;
    case kPopupSp: {
        if (enemy) break;
        const int unit = memberUnit(popup.index);
        if (unit <= 0 || unit >= kUnitCount) break;
        PartyMember& member = gPartyMembers[unit];
        long long sp = static_cast<long long>(member.sp) - popup.value;
        const int max = computeUnitStat(unit, kStatMaxSp);
        if (sp > max) sp = max;
        if (sp < -2147483647LL) sp = -2147483647LL;
        member.sp = static_cast<int>(sp);
        break;
    }
    case kPopupClear: {
        std::uint8_t* status = statusLine(popup.side, popup.index);
        if (!status) break;
        for (int s = kStatusAttackUp; s <= kStatusSpRegen; ++s) status[s] = 0;
        status[kStatusEvade] = 0;
        break;
    }
    case kPopupEvade: {
        std::uint8_t* status = statusLine(popup.side, popup.index);
        if (status) status[kStatusEvade] = 1;
        break;
    }
    default:
        if (popup.kind >= kPopupStatusFirst && popup.kind <= kPopupStatusLast) {
            std::uint8_t* status = statusLine(popup.side, popup.index);
            if (status) status[popup.kind - kPopupStatusFirst] = 1;
        }
        break;
    }
    gRedrawRequest[0] = 2;
}

float popupRise(int timer) {
    if (timer >= 14) return 0.3f - 0.05f * static_cast<float>(timer - 14);
    if (timer >= 5) return 0.05f * static_cast<float>(timer - 5);
    return 0.0f;
}

bool anyDamagePopupCounting() {
    for (const DamagePopup& popup : gDamagePopups)
        if (popup.timer > 0) return true;
    return false;
}

namespace {

bool partyBattlerDown(int index) {
    if (gBattleSchedule.soloMode != 0) return gBodyguards[calledBodyguard()].hp == 0;
    const int unit = memberUnit(index);
    return unit > 0 && unit < kUnitCount && gPartyMembers[unit].hp == 0;
}

// The row of the word sheet and its column (0 left, 1 right) for a word popup.
void wordCell(int kind, int* row, int* column) {
    *column = 0;
    switch (kind) {
    case kPopupMiss: *row = 0; break;
    case kPopupEvade: *row = 0; *column = 1; break;
    case kPopupClear: *row = 1; break;
    case kPopupRevive: *row = 7; break;
    case 4: *row = 2; break;  // Atk Up
    case 5: *row = 3; break;  // Def Up
    case 6: *row = 4; break;  // Mag Up
    case 7: *row = 5; break;  // Mdf Up
    case 8: *row = 6; break;  // Double
    case 9: *row = 8; break;  // Hp Healing
    case 10: *row = 9; break; // Sp Healing
    default: *row = 0; break;
    }
}

void putGlyph(gfx::Vertex* v, float centre, float halfWidth, float bottom, float u0, float v0, float u1, float v1) {
    const float left = centre - halfWidth;
    const float right = centre + halfWidth;
    const float top = bottom + 1.0f;
    v[0] = {left, top, -0.1f, 0xFFFFFFFFu, u0, v0};
    v[1] = {right, top, -0.1f, 0xFFFFFFFFu, u1, v0};
    v[2] = {left, bottom, -0.1f, 0xFFFFFFFFu, u0, v1};
    v[3] = {right, bottom, -0.1f, 0xFFFFFFFFu, u1, v1};
}

void drawPopup(GraphicsResources& resources, gfx::Device* device, const DamagePopup& popup) {
    const BattleActor* actor = actorOf(popup.side, popup.index);
    if (!actor || !resources.quadVertices) return;
    const float rise = popupRise(popup.timer);
    resources.worldMatrix = gfx::matrixTranslation(actor->x, actor->y + 0.25f * static_cast<float>(popup.row), actor->z);
    device->setTransform(gfx::TransformKind::World, resources.worldMatrix);

    const bool digits = popup.kind == kPopupHp || popup.kind == kPopupSp || popup.kind == kPopupMaxHpBonus;
    if (!digits) {
        int row = 0;
        int column = 0;
        wordCell(popup.kind, &row, &column);
        gfx::Vertex* v = resources.quadVertices->lock();
        if (!v) return;
        const float u0 = column == 0 ? 0.01f : 0.51f;
        const float u1 = column == 0 ? 0.5f : 1.0f;
        putGlyph(v, -0.3f, 1.0f, rise, u0, 0.1f * row + 0.01f, u1, 0.1f * row + 0.1f);
        resources.quadVertices->unlock();
        device->setTexture(resources.popupWords.get());
        device->drawPrimitive(gfx::Primitive::TriangleStrip, resources.quadVertices.get(), 0, 2);
        return;
    }
    int sheetRow = 0;
    if (popup.kind == kPopupHp) sheetRow = popup.value < 0 ? 1 : 0;
    if (popup.kind == kPopupSp) sheetRow = 2;
    if (popup.kind == kPopupMaxHpBonus) sheetRow = 3;
    char text[16];
    long long magnitude = std::llabs(static_cast<long long>(popup.value));
    int length = 0;
    char reversed[16];
    do {
        reversed[length++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0 && length < 15);
    for (int i = 0; i < length; ++i) text[i] = reversed[length - 1 - i];
    device->setTexture(resources.digitSheet.get());
    for (int i = 0; i < length; ++i) {
        const int n = text[i] - '0';
        gfx::Vertex* v = resources.quadVertices->lock();
        if (!v) return;
        putGlyph(v, -0.3f + 0.3f * static_cast<float>(i), 0.2f, rise, 0.1f * n + 0.01f, 0.25f * sheetRow + 0.01f,
                 0.1f * n + 0.11f, 0.25f * sheetRow + 0.25f);
        resources.quadVertices->unlock();
        device->drawPrimitive(gfx::Primitive::TriangleStrip, resources.quadVertices.get(), 0, 2);
    }
}

}  // namespace

void updateDamagePopups(GraphicsResources& resources, gfx::Device* device) {
    bool statesSet = false;
    for (DamagePopup& popup : gDamagePopups) {
        if (popup.timer <= 0) continue;
        if (popup.timer == 1) {
            applyDamagePopup(popup);
        } else if (popup.kind == kPopupHp && popup.value > 0) {
            BattleActor* actor = actorOf(popup.side, popup.index);
            if (actor && (popup.side == kSideEnemy || !partyBattlerDown(popup.index))) actor->pose = 3;
        }
        if (device) {
            if (!statesSet) {
                device->setRenderState(gfx::kRsAlphaTestEnable, 1);
                device->setRenderState(gfx::kRsAlphaRef, 127);
                device->setRenderState(gfx::kRsAlphaFunc, gfx::kCmpGreater);
                statesSet = true;
            }
            drawPopup(resources, device, popup);
        }
        popup.timer -= 1;
    }
}
