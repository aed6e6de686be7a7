// What the field frame calls and reads of the event engine, the message
// window, the overlays, the map editor, the battle and the camp menu, each
// declared in its owner's header; this gathers them for the field's files.
#pragma once

#include <cstdint>

#include "battle/BattleRecords.h"
#include "events/EventEngine.h"
#include "events/EventPrimitives.h"
#include "events/FieldMechanisms.h"
#include "events/MessageWindow.h"
#include "field/MapEditor.h"
#include "field/NewsTicker.h"
#include "field/Overlays.h"
#include "field/Transitions.h"
#include "menus/CampState.h"
#include "platform/Gfx.h"
#include "story/StoryState.h"

struct GraphicsResources;
