// What the primitives and mechanisms write outside the event engine: the
// field's state, and the ticker and battle services declared here until
// their own headers land (weak stand-ins in events/pendingServices_events.cpp).
#pragma once

#include <cstdint>

#include "field/FieldServices.h"
#include "field/FieldState.h"

extern int gTickerPos;
extern int gTickerSlot;
// The battle's set-up for an enemy group.
void setUpBattle(int group);
