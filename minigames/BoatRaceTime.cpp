#include "minigames/BoatRaceTime.h"

#include <cstdio>

namespace {

// Two digits: "0%ld" below 10, else "%ld".
void twoDigits(long value, char out[4]) {
    std::snprintf(out, 4, value < 10 ? "0%ld" : "%ld", value);
}

}  // namespace

void formatRaceTime(int frames, char* out, int outSize) {
    const long f = frames < 0 ? 0 : frames;
    long minutes = f / 6000;
    if (minutes > 59) minutes = 59;
    char mm[4], ss[4], hh[4];
    twoDigits(minutes, mm);
    twoDigits((f / 100) % 60, ss);
    twoDigits(f % 100, hh);
    std::snprintf(out, static_cast<std::size_t>(outSize), "%s:%s:%s", mm, ss, hh);
}
