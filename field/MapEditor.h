// The developer's map editor on the field: walk a map without collisions,
// raise and lower cells, copy and flood-fill cell values, pick floor and wall
// tiles, toggle passability, place and remove object slots, switch maps and
// write the map file.
//
// It is reachable only in the developer mode (gCommandCode other than 999,
// engine/Input.h), which the shipped game never sets. The editor works on
// its own copy of the map as the file holds it: the set-ups, water, gates and
// lifts that run on the live arrays never reach what it writes.
#pragma once

#include <cstdint>

#include "field/FieldMap.h"
#include "platform/Gfx.h"

struct GraphicsResources;

extern int gDebugMode;      // 1 while the editor is on
extern int gEditorPage;     // 0 none, 1 the edit menu, 2 the file menu
extern int gEditorSubMode;  // page 1: 0 menu, 1 floor tile, 2 wall tile; page 2: 0 menu, 2 write next frame
extern int gEditorCursor;   // the menu line, 0 to 3
extern std::int8_t gEditorSourceCell[2];  // row, column remembered by command 3

// Developer command codes (gCommandCode).
enum EditorCommand {
    kMapCommandRaise = 1,
    kMapCommandLower = 2,
    kMapCommandRemember = 3,
    kMapCommandCopy = 4,
    kMapCommandEditMenu = 5,
    kMapCommandFill = 6,
    kMapCommandToggle = 99,
};

// The six values a cell is copied and filled with.
struct EditorCellValues {
    std::int32_t floorColumn, floorRow, wallColumn, wallRow;
    float height;
    std::uint8_t blocked;
};
EditorCellValues editorCellValues(const MapCell& cell);

// The map the editor edits and writes: the cells and object slots as read
// from the file, with the editor's changes.
struct EditorMap {
    MapCell cells[kMapRows][kMapColumns];
    MapObject objects[kMapObjectCount];
    std::uint8_t objectCells[kMapObjectCount][2];
};
extern EditorMap gEditorMap;

// One frame of the editor, called by the field after the terrain.
void runMapEditor(GraphicsResources& resources, gfx::Device* device);
// The slot's number in digits above the object (field, editor on).
void drawObjectNumber(GraphicsResources& resources, gfx::Device* device, int slot);

// Gives the 4-connected region of cells equal to `old` in all six values,
// starting at (row, column), the values of `fill`. An explicit stack, so a
// whole map's region costs no call depth. Returns the cells changed; 0 when
// `fill` equals `old` or the start lies outside the grid or differs.
int floodFillCells(MapCell (&cells)[kMapRows][kMapColumns], const EditorCellValues& fill,
                   const EditorCellValues& old, int row, int column);

// Reads the current map's file into the live arrays and the editor's copy.
void loadEditorMap(int map);
// Writes the editor's copy as the map file of `map` (0 or 1 as saveMap).
int saveEditorMap(int map);

void resetMapEditor();
