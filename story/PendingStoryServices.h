// The primitives that open the shop and the chapter save screen, declared
// here until they land in events/EventPrimitives.h (weak stand-ins in
// story/pendingServices_story1.cpp until then).
#pragma once

void openShop(const char* title, const int goods[20], int kind);
void openSaveScreen(const char* label);
