#include "platform/Clock.h"

#include <time.h>

// <chrono> does not compile with the Shift-JIS execution character set (it
// holds a micro sign): the monotonic clock is read directly.
namespace timing {
namespace {

std::int64_t monotonicMilliseconds() {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

const std::int64_t gStart = monotonicMilliseconds();
std::function<std::uint32_t()> gMillisecondClock;
std::function<std::int64_t()> gCalendarClock;

}  // namespace

std::uint32_t milliseconds() {
    if (gMillisecondClock) return gMillisecondClock();
    return static_cast<std::uint32_t>(monotonicMilliseconds() - gStart);
}

std::int64_t calendarSeconds() {
    if (gCalendarClock) return gCalendarClock();
    return static_cast<std::int64_t>(::time(nullptr));
}

void setMillisecondClock(std::function<std::uint32_t()> clock) { gMillisecondClock = std::move(clock); }
void setCalendarClock(std::function<std::int64_t()> clock) { gCalendarClock = std::move(clock); }

}  // namespace timing
