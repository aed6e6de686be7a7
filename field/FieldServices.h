// What the field frame calls and reads of the event engine, the message
// window, the overlays, the map editor, the battle and the camp menu. Each
// owner declares these in a header of its own when it lands; until then they
// are declared here and field/pendingServices_field.cpp gives weak stand-ins
// that the real definitions replace at link time.
#pragma once

#include <cstdint>

#include "events/EventEngine.h"
#include "events/EventPrimitives.h"
#include "events/FieldMechanisms.h"
#include "events/MessageWindow.h"
#include "platform/Gfx.h"
#include "story/StoryState.h"

struct GraphicsResources;

// ---- Event engine, primitives, mechanisms and the message window ----
// (their own headers)
extern int gTransitionFrame;  // frame counter of the transition scenes

// ---- Overlays, news ticker, map editor ----
#include "field/MapEditor.h"
#include "field/NewsTicker.h"
#include "field/Overlays.h"

// ---- Battle and camp menu ----
extern std::uint8_t gInBattle;
extern std::uint8_t gCampMenuAllowed;
