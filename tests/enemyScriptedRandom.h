// A scripted sequence of randomThousand values for tests: the calendar clock
// is replaced by one that, before each draw, answers the second that makes
// the next draw come out as the next value of the script. The real generator
// runs; only its seed is chosen.
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>

#include "engine/Random.h"
#include "platform/Clock.h"

class ScriptedRandom {
public:
    explicit ScriptedRandom(std::initializer_list<int> values) : queue_(std::make_shared<std::deque<int>>(values)) {
        static const std::uint32_t* seeds = seedTable();
        auto queue = queue_;
        timing::setCalendarClock([queue]() -> std::int64_t {
            int value = 0;
            if (!queue->empty()) {
                value = queue->front();
                queue->pop_front();
            }
            // randomThousand seeds with second + gRandomLast (32-bit wrap).
            const std::uint32_t seed = seeds[((value % 1000) + 1000) % 1000];
            return static_cast<std::int64_t>(static_cast<std::uint32_t>(seed - static_cast<std::uint32_t>(gRandomLast)));
        });
    }
    ~ScriptedRandom() { timing::setCalendarClock({}); }
    ScriptedRandom(const ScriptedRandom&) = delete;
    ScriptedRandom& operator=(const ScriptedRandom&) = delete;

    // Values of the script not drawn yet.
    int remaining() const { return static_cast<int>(queue_->size()); }

private:
    static const std::uint32_t* seedTable() {
        static std::uint32_t table[1000];
        static bool filled = false;
        if (!filled) {
            int found = 0;
            bool have[1000] = {};
            for (std::uint32_t seed = 0; found < 1000; ++seed) {
                const int value = drawAfterSeed(seed) % 1000;
                if (!have[value]) {
                    have[value] = true;
                    table[value] = seed;
                    ++found;
                }
            }
            filled = true;
        }
        return table;
    }

    std::shared_ptr<std::deque<int>> queue_;
};
