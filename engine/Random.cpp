#include "engine/Random.h"

#include <cstdint>

#include "platform/Clock.h"

int gRandomLast = 0;

int drawAfterSeed(unsigned int seed) {
    const std::uint32_t state = static_cast<std::uint32_t>(seed) * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFFu);
}

int randomThousand() {
    const std::uint32_t seed = static_cast<std::uint32_t>(timing::calendarSeconds()) + static_cast<std::uint32_t>(gRandomLast);
    gRandomLast = drawAfterSeed(seed);
    return gRandomLast % 1000;
}
