// What the primitives and mechanisms write outside the event engine: the
// field's state, the news ticker and the battle's set-up.
#pragma once

#include "battle/BattleServices.h"
#include "field/FieldServices.h"
#include "field/FieldState.h"
#include "field/NewsTicker.h"
