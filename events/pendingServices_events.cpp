// Weak stand-ins for what the event engine reads of services that have not
// landed yet; each real definition replaces its stand-in.
#include <cstdint>

#define PENDING __attribute__((weak))

