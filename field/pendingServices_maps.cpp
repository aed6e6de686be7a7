// Weak stand-ins for services the map code uses before their owners land.
#include "engine/TextLayers.h"

// Until the text layers land.
__attribute__((weak)) int gRedrawRequest[2];
