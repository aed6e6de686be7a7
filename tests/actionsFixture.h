// Runs one battle action headless, frame by frame, to its end within a frame
// budget: the party and three enemies on the field, a stepped millisecond
// clock, scripted random draws, and every effect the action queues recorded
// as it is queued.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "battle/BattleItemAction.h"
#include "battle/BattleRecords.h"
#include "battle/BattleServices.h"
#include "battle/DamageRules.h"
#include "battle/StoneSkillAction.h"
#include "battle/WeaponSkillAction.h"
#include "field/EventState.h"
#include "gamedata/PartyStats.h"
#include "keyPressFixture.h"
#include "story/StoryState.h"

struct QueuedEffect {
    int frame, side, index, value, kind;
};

inline std::vector<std::string>& actionSounds() {
    static std::vector<std::string> sounds;
    return sounds;
}

inline bool recordActionSound(const char* name) {
    actionSounds().push_back(name);
    return true;
}

class BattleActionRun : public ::testing::Test {
protected:
    void SetUp() override {
        resetBattleRecords();
        effects_.clear();
        resetKeyPressGame();
        resetInput();
        resetTextLayers();
        gRandomLast = 0;
        savedSound_ = gBattleSound;
        gBattleSound = recordActionSound;
        actionSounds().clear();
        now_ = 1000;
        timing::setMillisecondClock([this] { return now_; });
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        gInBattle = 1;
        gBattleGroup = 3;

        const float partyHomes[4][3] = {{8, 0, 10}, {6, 0, 4}, {4, 0, 16}, {7, 0, 10}};
        const float enemyHomes[6][3] = {{12, 0, 10}, {14, 0, 14}, {14, 0, 6}, {16, 0, 16}, {16, 0, 10}, {16, 0, 4}};
        std::memcpy(gPartyHomes, partyHomes, sizeof partyHomes);
        std::memcpy(gEnemyHomes, enemyHomes, sizeof enemyHomes);
        for (int i = 0; i < 4; ++i) gPartyActors[i] = BattleActor{partyHomes[i][0], 0, partyHomes[i][2], 0, 0};
        for (int i = 0; i < 6; ++i) gEnemyActors[i] = BattleActor{enemyHomes[i][0], 0, enemyHomes[i][2], 0, 0};

        savedMonster_ = gMonsters[kMonster];
        gMonsters[kMonster] = MonsterRecord{};
        std::strcpy(gMonsters[kMonster].name, "test");
        gMonsters[kMonster].hp = 5000;
        gMonsters[kMonster].attack = 1;
        gMonsters[kMonster].defence = 1;
        gMonsters[kMonster].magic = 1;
        gMonsters[kMonster].magicDefence = 1;
        for (int i = 0; i < 3; ++i) {
            gEnemyBattlers[i].monster = kMonster;
            gEnemyBattlers[i].hp = gEnemyBattlers[i].maxHp = 5000;
        }
        for (int i = 0; i < 3; ++i) gParty[i] = i + 1;
        for (int u = 1; u <= 3; ++u) {
            savedMembers_[u] = gPartyMembers[u];
            PartyMember& m = gPartyMembers[u];
            m = PartyMember{};
            m.level = 10;
            m.hp = computeUnitStat(u, kStatMaxHp);
            m.sp = computeUnitStat(u, kStatMaxSp);
        }
        savedSkillRow_ = gWeaponSkills[kRow];
        savedStoneRow_ = gStoneSkills[kRow];
        gBattleAction.pendingWeaponSkill = gBattleAction.pendingStoneSkill = gBattleAction.pendingItem = -1;
    }

    void TearDown() override {
        gBattleSound = savedSound_;
        timing::setMillisecondClock({});
        random_.stop();
        gMonsters[kMonster] = savedMonster_;
        for (int u = 1; u <= 3; ++u) gPartyMembers[u] = savedMembers_[u];
        gWeaponSkills[kRow] = savedSkillRow_;
        gStoneSkills[kRow] = savedStoneRow_;
        gInBattle = 0;
    }

    // The action begins as the battle frame begins it.
    void beginAction(int actingSide, int actingIndex, int targetSide, int targetIndex) {
        gBattleAction.actingSide = actingSide;
        gBattleAction.actingIndex = actingIndex;
        gBattleAction.targetSide = targetSide;
        gBattleAction.targetIndex = targetIndex;
        gBattleAction.phase = kPhaseActionRun;
        gBattleAction.step = 0;
        gBattleAction.actionFrame = 0;
        gSkillBonus = 0;
        resetKeyPressRun();
        emptyEffectSlots();
        gRedrawRequest[1] = 1;
    }

    void weaponSkill(int code, int bonusBase = 2) {
        WeaponSkillRow& row = gWeaponSkills[kRow];
        std::memset(&row, 0, sizeof row);
        std::strcpy(row.name, "skill");
        row.category = code / 10;
        row.level = code % 10;
        row.bonusBase = bonusBase;
        gBattleAction.pendingWeaponSkill = kRow;
    }

    void stoneSkill(int attribute, int level, int cost, int power) {
        StoneSkillRow& row = gStoneSkills[kRow];
        std::memset(&row, 0, sizeof row);
        std::strcpy(row.name, "stone");
        row.attribute = attribute;
        row.level = level;
        row.spCost = cost;
        row.power = power;
        gBattleAction.pendingStoneSkill = kRow;
    }

    // Frames of the action until it reports done; -1 past the budget. Each
    // frame the queued popups are recorded, then counted down and applied.
    int runToEnd(const std::function<int(GraphicsResources&, gfx::Device*)>& action, int budget,
                 const std::function<int(int)>& input = {}) {
        for (int frame = 1; frame <= budget; ++frame) {
            now_ += 16;
            gInputCode = input ? input(frame) : 0;
            const int done = action(resources_, nullptr);
            for (const DamagePopup& p : gDamagePopups)
                if (p.timer == kPopupFrames) effects_.push_back({frame, p.side, p.index, p.value, p.kind});
            updateDamagePopups(resources_, nullptr);
            endTextLayerFrame();
            if (done == 1) return frame;
        }
        return -1;
    }
    int runWeaponSkill(int budget = 3000, const std::function<int(int)>& input = {}) {
        return runToEnd(runWeaponSkillAction, budget, input);
    }
    int runStoneSkill(int budget = 1500) { return runToEnd(runStoneSkillAction, budget); }
    int runItem(int budget = 500) { return runToEnd(runItemAction, budget); }

    // Lets every popup run out.
    void settle() {
        for (int i = 0; i < 40; ++i) updateDamagePopups(resources_, nullptr);
    }

    int effectsOn(int side, int kind = -1) const {
        int n = 0;
        for (const QueuedEffect& e : effects_)
            if (e.side == side && (kind < 0 || e.kind == kind)) ++n;
        return n;
    }
    int soundsNamed(const char* name) const {
        int n = 0;
        for (const std::string& s : actionSounds())
            if (s == name) ++n;
        return n;
    }

    // For reading strengths back from damage: every random draw 0, battlers
    // too tough to fall, and attack and defence set so far apart that each
    // strength point moves the damage by more than one.
    void makeStrengthsReadable() {
        random_.script({});
        MonsterRecord& m = gMonsters[kMonster];
        m.defence = m.magicDefence = -150;
        int toughest = 0;
        for (int u = 1; u <= 3; ++u) {
            gPartyMembers[u].hp = 99999;
            toughest = std::max({toughest, computeUnitStat(u, kStatDefence), computeUnitStat(u, kStatMagicDefence)});
        }
        m.attack = m.magic = 300 + 2 * toughest;
        for (int i = 0; i < 3; ++i) gEnemyBattlers[i].hp = gEnemyBattlers[i].maxHp = 99999;
    }
    // The strength of the attack behind an effect of the running action
    // (physical, or magic), read backwards through the damage rules with a
    // random draw of 0; -1 when no strength up to 5000 gives that damage.
    int strengthBehind(const QueuedEffect& e, bool magic) const {
        const int actor = gBattleAction.actingIndex;
        const int a = gBattleAction.actingSide == kSideParty
                          ? computeUnitStat(gParty[actor], magic ? kStatMagic : kStatAttack)
                          : (magic ? gMonsters[kMonster].magic : gMonsters[kMonster].attack);
        const int d = e.side == kSideParty ? computeUnitStat(gParty[e.index], magic ? kStatMagicDefence : kStatDefence)
                                           : (magic ? gMonsters[kMonster].magicDefence : gMonsters[kMonster].defence);
        for (int power = 0; power <= 5000; ++power)
            if (spreadDamage(attackBase(a, d, power), 0) == e.value) return power;
        return -1;
    }
    // The strengths of the effects on one side, in the order they were queued.
    std::vector<int> strengthsOn(int side, bool magic) const {
        std::vector<int> out;
        for (const QueuedEffect& e : effects_)
            if (e.side == side) out.push_back(strengthBehind(e, magic));
        return out;
    }

    static constexpr int kMonster = 1;
    static constexpr int kRow = 0;
    std::vector<QueuedEffect> effects_;
    GraphicsResources resources_;
    std::uint32_t now_ = 0;
    ScriptedRandom random_;
    BattleSoundFunction savedSound_ = nullptr;
    MonsterRecord savedMonster_{};
    PartyMember savedMembers_[4]{};
    WeaponSkillRow savedSkillRow_{};
    StoneSkillRow savedStoneRow_{};
};
