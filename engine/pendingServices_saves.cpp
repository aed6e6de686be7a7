// Weak stand-ins for what the transitions and the title use of other
// subsystems, until their owners land: each real definition replaces its
// stand-in.
#include <cstdint>

#define PENDING __attribute__((weak))

// Until the camp menu lands: its reset window.
PENDING std::uint8_t gResetConfirmOpen = 0;
PENDING std::uint8_t gResetConfirmChoice = 0;
