// What the field frame calls and reads of the event engine and its message
// window (through field/FieldEventHooks.h and field/EventState.h), the
// overlays, the map editor, the battle and the camp menu; this gathers them
// for the field's files.
#pragma once

#include <cstdint>

#include "battle/BattleRecords.h"
#include "field/EventState.h"
#include "field/FieldEventHooks.h"
#include "field/MapEditor.h"
#include "field/NewsTicker.h"
#include "field/Overlays.h"
#include "field/Transitions.h"
#include "menus/CampState.h"
#include "platform/Gfx.h"
#include "story/StoryState.h"

struct GraphicsResources;
