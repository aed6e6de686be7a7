// What the field draws over or into the 3D view when a story script asks for
// it: the money window while a price is asked, the marker icons floating over
// points of the field, and the lift car's floor panel. These only draw; the
// scripts set their switches and contents.
#pragma once

#include <cstdint>

#include "platform/Gfx.h"

struct GraphicsResources;

extern std::uint8_t gMoneyWindow;      // 0 hidden, 1 the balance, 2 the balance and the loan
extern std::uint8_t gFloorPanelShown;  // 1 while the lift car's floor panel is shown

// The balance of the region's currency (and the loan), written into layer 2,
// which is asked to be rebuilt on the next frame too.
void drawMoneyWindow(GraphicsResources& resources, gfx::Device* device);
// Each present marker i as icon i + 1 of the icon strip, a 0.5 x 0.5 square
// standing on its point.
void drawMarkers(GraphicsResources& resources, gfx::Device* device);
// The floor panel for a shaft (zone) with the cursor on floor cursor + 1.
void drawFloorSelect(GraphicsResources& resources, gfx::Device* device, int zone, int cursor);

// Whether the shaft `zone` serves `floor` (1 to 20): 0 serves 1-5, 1 and 2
// serve 7-14, 3 serves 15-19, any other zone none.
bool floorServedByZone(int zone, int floor);
// The currency name of index 0-2 ("" outside).
const char* currencyName(int currency);

void resetOverlays();
