// One object slot of the current map: a person, door, trigger, enemy
// symbol or treasure chest.
#pragma once

#include <cstdint>

// Contact kinds (the field's touch rules).
enum : std::uint8_t {
    kObjectInert = 0,
    kObjectPerson = 1,         // reached by walking into its cell
    kObjectAutomatic = 2,      // fires wherever the player stands
    kObjectBeside = 3,         // reached by standing beside it
    kObjectPersonAlt = 4,      // like 1
    kObjectEnemy = 5,          // enemy symbol: contact starts a battle
    kObjectChest = 100,        // treasure chest
};

struct MapObject {
    std::uint8_t present;   // nonzero: exists on this map (map file, then scripts)
    std::uint8_t kind;      // contact kind, above
    std::int32_t index;     // enemy group (kind 5), chest number (kind 100), else the scripts' own
    std::uint8_t visible;   // nonzero: drawn
    std::int32_t character; // sprite character (sheet = value / 10, row = value % 10); chests: contents code
    std::int32_t pose;      // sprite pose (column of the sheet row); chests: amount or card number
    float x, y, z;          // world position of the feet
    float chaseSpeed;       // nonzero: an enemy symbol chasing at this speed
    float height;           // chests: base above the cell floor; moving objects: vertical speed
    std::uint8_t facing;    // 0 faces +x, 1 faces -x (mirrored billboard)
    float spare;            // kept for the save file; nothing reads it
};
