// Drives the key-press game one call at a time on a stepped millisecond
// clock, with scripted input and scripted random draws.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>

#include "battle/KeyPressGame.h"
#include "battle/BattleServices.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Random.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "platform/Clock.h"

// Makes randomThousand answer the given values in turn: the calendar clock
// returns, at each draw, the second that seeds the wanted value.
class ScriptedRandom {
public:
    void script(std::deque<int> values) {
        wanted_ = std::move(values);
        timing::setCalendarClock([this] { return nextSecond(); });
    }
    void stop() { timing::setCalendarClock({}); }
    bool used() const { return wanted_.empty(); }

private:
    std::int64_t nextSecond() {
        const int want = wanted_.empty() ? 0 : wanted_.front();
        if (!wanted_.empty()) wanted_.pop_front();
        for (std::uint32_t seed = 0;; ++seed)
            if (drawAfterSeed(seed) % 1000 == want)
                return static_cast<std::int64_t>(seed - static_cast<std::uint32_t>(gRandomLast));
    }
    std::deque<int> wanted_;
};

class KeyPressCalls : public ::testing::Test {
protected:
    void SetUp() override {
        resetKeyPressGame();
        resetInput();
        resetTextLayers();
        gRandomLast = 0;
        gBattleAction = BattleActionBlock{};
        for (auto& s : gEffectSlots) s = EffectSlot{};
        for (auto& a : gEnemyActors) a = BattleActor{};
        for (auto& a : gPartyActors) a = BattleActor{};
        for (int& p : gParty) p = 0;
        gParty[0] = 1;
        for (int& e : gPartyMembers[1].equipment) e = 0;
        now_ = 100000;
        timing::setMillisecondClock([this] { return now_; });
    }
    void TearDown() override {
        timing::setMillisecondClock({});
        random_.stop();
    }

    // One call, `ms` milliseconds after the previous one, with `input`
    // delivered (and decide held when `decideHeld`).
    int call(int mode, int limit, int input = 0, int ms = 16, bool decideHeld = false) {
        now_ += static_cast<std::uint32_t>(ms);
        gInputCode = input;
        gHeldInput[kHeldDecide] = decideHeld ? 1 : 0;
        return runKeyPressGame(resources_, nullptr, mode, limit);
    }

    // Calls without input until the result is not 0; the number of calls,
    // or -1 past the budget.
    int idleUntilOver(int mode, int limit, int budget, int ms = 16) {
        for (int n = 1; n <= budget; ++n)
            if (call(mode, limit, 0, ms) != kKeyPressGoesOn) return n;
        return -1;
    }

    GraphicsResources resources_;
    std::uint32_t now_ = 0;
    ScriptedRandom random_;
};
