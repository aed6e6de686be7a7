// One cell of the field grid.
#pragma once

#include <cstdint>

struct MapCell {
    std::uint8_t blocked;      // nonzero: the player may not enter; the wall push treats only 1 as a wall
    float height;              // floor height (world y); 0 = no floor
    std::int32_t floorColumn;  // floor tile in the 20 x 10 tile atlas; also marks mechanism cells
    std::int32_t floorRow;
    std::int32_t wallColumn;   // wall tile; (0, 0) means the cell is not drawn at all
    std::int32_t wallRow;
    std::uint8_t objectLink;   // object slot + 1 placed here by the map editor, 0 none
};
