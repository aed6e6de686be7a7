// The two clocks of the game: milliseconds since start (camera tracks,
// prologue, timed screens) and calendar seconds (random numbers, staff
// roll). Both can be replaced: tests and the headless driver run on a
// clock of their own so that a run is repeatable.
#pragma once

#include <cstdint>
#include <functional>

namespace timing {

// Milliseconds since the program started (wraps after 49 days).
std::uint32_t milliseconds();
// Seconds since 1970.
std::int64_t calendarSeconds();

// Replace a clock; an empty function restores the real one.
void setMillisecondClock(std::function<std::uint32_t()> clock);
void setCalendarClock(std::function<std::int64_t()> clock);

}  // namespace timing
