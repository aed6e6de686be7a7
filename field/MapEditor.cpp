#include "field/MapEditor.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Music.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "field/EventState.h"
#include "field/FieldState.h"
#include "field/WorldToCell.h"
#include "menus/CampState.h"

int gDebugMode = 0;
int gEditorPage = 0;
int gEditorSubMode = 0;
int gEditorCursor = 0;
std::int8_t gEditorSourceCell[2] = {0, 0};
EditorMap gEditorMap;

namespace {

constexpr int kTileLimit = 19;  // picked tile columns and rows stay in 0-19
constexpr gfx::Colour kPickerColour = 0xCCFFFFFFu;

void copyLiveIntoEditorMap() {
    std::memcpy(gEditorMap.cells, gMapCells, sizeof gEditorMap.cells);
    std::memcpy(gEditorMap.objects, gMapObjects, sizeof gEditorMap.objects);
    std::memcpy(gEditorMap.objectCells, gObjectCells, sizeof gEditorMap.objectCells);
}

// The live arrays show the editor's map after every edit, so what the
// developer sees is what will be written.
void showEditorMap() {
    std::memcpy(gMapCells, gEditorMap.cells, sizeof gMapCells);
    std::memcpy(gMapObjects, gEditorMap.objects, sizeof gMapObjects);
    std::memcpy(gObjectCells, gEditorMap.objectCells, sizeof gObjectCells);
}

bool sameValues(const EditorCellValues& a, const EditorCellValues& b) {
    return a.floorColumn == b.floorColumn && a.floorRow == b.floorRow && a.wallColumn == b.wallColumn &&
           a.wallRow == b.wallRow && a.height == b.height && a.blocked == b.blocked;
}

void giveValues(MapCell& cell, const EditorCellValues& v) {
    cell.floorColumn = v.floorColumn;
    cell.floorRow = v.floorRow;
    cell.wallColumn = v.wallColumn;
    cell.wallRow = v.wallRow;
    cell.height = v.height;
    cell.blocked = v.blocked;
}

bool playerCell(int& row, int& column) {
    int cell[3];
    worldToCell(gPlayerPos, cell);
    row = cell[0];
    column = cell[2];
    return cellInsideGrid(row, column);
}

bool throttleFrame() { return gFieldTick % 3 == 0; }

int clampTile(int value) { return value < 0 ? 0 : value > kTileLimit ? kTileLimit : value; }

void toggleObjectAt(int row, int column) {
    MapCell& cell = gEditorMap.cells[row][column];
    if (cell.objectLink != 0) {
        const int slot = cell.objectLink - 1;
        if (slot < kMapObjectCount) gEditorMap.objects[slot].present = 0;
        cell.objectLink = 0;
        return;
    }
    for (int slot = 0; slot < kMapObjectCount; ++slot) {
        MapObject& object = gEditorMap.objects[slot];
        if (object.present == 1) continue;
        object.present = 1;
        gEditorMap.objectCells[slot][0] = static_cast<std::uint8_t>(row);
        gEditorMap.objectCells[slot][1] = static_cast<std::uint8_t>(column);
        float centre[3];
        cellCentre(row, column, centre);
        object.x = centre[0];
        object.y = cell.height;
        object.z = centre[2];
        cell.objectLink = static_cast<std::uint8_t>(slot + 1);
        return;
    }
    // every slot present: nothing is placed
}

void drawCaption(GraphicsResources& resources, gfx::Device* device) {
    if (device == nullptr) return;
    int row = 0, column = 0;
    playerCell(row, column);
    char caption[64];
    std::snprintf(caption, sizeof caption, "(%d,%d,%.2fh)\n", row, column, static_cast<double>(gPlayerPos[1]));
    beginTextFont(device, 15, "Impact");
    drawText(resources, device, {0, 0, 640, 200}, caption, 200);
    if (gTextFont) {
        gfx::Rect rect{0, 0, 640, 200};
        gTextFont->begin();
        gTextFont->drawText("Debug Mode", -1, &rect, gfx::kDtNoClip | gfx::kDtRight, 0xFFFF0000u);
        gTextFont->end();
    }
    endTextFont();
}

void drawMenu(GraphicsResources& resources, gfx::Device* device, const char* const lines[4]) {
    drawWindowFrame(resources, device, 10.0f, 375.0f, 120.0f, 90.0f);
    drawMenuCursor(resources, device, 15.0f, static_cast<float>(380 + 20 * gEditorCursor), 110);
    if (device == nullptr) return;
    beginTextFont(device, kMenuFontHeight, kMenuFontFace);
    for (int line = 0; line < 4; ++line) {
        const int y = 400 + 20 * line;
        drawText(resources, device, {25, y - 18, 145, y}, lines[line], 100);
    }
    endTextFont();
}

void moveMenuCursor() {
    if (gInputCode == kInputUp) gEditorCursor = (gEditorCursor + 3) % 4;
    if (gInputCode == kInputDown) gEditorCursor = (gEditorCursor + 1) % 4;
}

void closeMenuOnCancel() {
    if (gInputCode != kInputCancel) return;
    gRedrawRequest[0] = 2;
    gEditorPage = 0;
    gEditorSubMode = 0;
    gInputCode = 0;
}

void tilePicker(GraphicsResources& resources, gfx::Device* device, int row, int column, bool inside) {
    MapCell* cell = inside ? &gEditorMap.cells[row][column] : nullptr;
    std::int32_t* pickColumn = cell ? (gEditorSubMode == 1 ? &cell->floorColumn : &cell->wallColumn) : nullptr;
    std::int32_t* pickRow = cell ? (gEditorSubMode == 1 ? &cell->floorRow : &cell->wallRow) : nullptr;
    if (throttleFrame() && cell != nullptr) {
        int dc = 0, dr = 0;
        switch (gInputCode % 10) {
        case 4: dc = -1; break;
        case 6: dc = 1; break;
        case 8: dr = -1; break;
        case 2: dr = 1; break;
        case 7: dc = -1; dr = -1; break;
        case 9: dc = 1; dr = -1; break;
        case 1: dc = -1; dr = 1; break;
        case 3: dc = 1; dr = 1; break;
        default: break;
        }
        if (dc != 0 || dr != 0) {
            *pickColumn = clampTile(*pickColumn + dc);
            *pickRow = clampTile(*pickRow + dr);
            showEditorMap();
        }
    }
    if (resources.sprite && device != nullptr) {
        const gfx::Vec2 half{0.5f, 0.5f};
        const gfx::Vec2 atlasAt{10.0f, 10.0f};
        resources.sprite->begin();
        resources.sprite->draw(resources.tileAtlas.get(), nullptr, &half, nullptr, 0.0f, &atlasAt, kPickerColour);
        if (cell != nullptr) {
            const gfx::Vec2 handAt{static_cast<float>(*pickColumn * 25.6), static_cast<float>(*pickRow * 25.6 + 10.0)};
            resources.sprite->draw(resources.pointerHand.get(), nullptr, nullptr, nullptr, 0.0f, &handAt, kPickerColour);
        }
        resources.sprite->end();
    }
    if (gInputCode == kInputCancel || gInputCode == kInputDecide || gHeldInput[kHeldCancel] != 0) {
        gRedrawRequest[0] = 2;
        gEditorSubMode = 0;
        gInputCode = 0;
    }
}

void editMenu(GraphicsResources& resources, gfx::Device* device, int row, int column, bool inside) {
    static const char* const kLines[4] = {"床変更", "壁変更", "通行設定", "イベント"};
    drawMenu(resources, device, kLines);
    if (throttleFrame()) {
        moveMenuCursor();
        if (gInputCode == kInputDecide) {
            gRedrawRequest[0] = 2;
            gInputCode = 0;
            switch (gEditorCursor) {
            case 0: gEditorSubMode = 1; break;
            case 1: gEditorSubMode = 2; break;
            case 2:
                if (inside) {
                    MapCell& cell = gEditorMap.cells[row][column];
                    cell.blocked = static_cast<std::uint8_t>(1 - cell.blocked);
                    showEditorMap();
                }
                gEditorPage = 0;
                break;
            default:
                if (inside) {
                    toggleObjectAt(row, column);
                    showEditorMap();
                }
                gEditorPage = 0;
                break;
            }
        }
    }
    closeMenuOnCancel();
}

void fileMenu(GraphicsResources& resources, gfx::Device* device) {
    char mapLine[24];
    std::snprintf(mapLine, sizeof mapLine, "Map:%d", gPendingMapChange.map);
    const char* const lines[4] = {gRequestedSong, gCurrentSong, "書き出し", mapLine};
    drawMenu(resources, device, lines);
    if (throttleFrame()) {
        moveMenuCursor();
        if (gInputCode == kInputDecide) {
            gRedrawRequest[0] = 2;
            gInputCode = 0;
            if (gEditorCursor == 2) gEditorSubMode = 2;
        }
        if (gEditorCursor == 3 && (gInputCode == kInputLeft || gInputCode == kInputRight)) {
            if (gInputCode == kInputLeft && gPendingMapChange.map > 0) --gPendingMapChange.map;
            if (gInputCode == kInputRight) ++gPendingMapChange.map;
            gFieldEvent = 0;
            loadEditorMap(gPendingMapChange.map);
            gRedrawRequest[0] = 2;
        }
    }
    closeMenuOnCancel();
}

void command(int row, int column, bool inside) {
    if (gCommandCode == kMapCommandToggle) {
        gDebugMode = gDebugMode == 1 ? 0 : 1;
        // The editor starts from the map as its file holds it.
        if (gDebugMode == 1) loadEditorMap(gCurrentMap);
        return;
    }
    if (gDebugMode != 1 || !inside) return;
    MapCell& cell = gEditorMap.cells[row][column];
    switch (gCommandCode) {
    case kMapCommandRaise: cell.height += 0.5f; break;
    case kMapCommandLower:
        cell.height -= 0.5f;
        if (cell.height < 0.0f) cell.height = 0.0f;
        break;
    case kMapCommandRemember:
        gEditorSourceCell[0] = static_cast<std::int8_t>(row);
        gEditorSourceCell[1] = static_cast<std::int8_t>(column);
        return;
    case kMapCommandCopy:
        if (!cellInsideGrid(gEditorSourceCell[0], gEditorSourceCell[1])) return;
        giveValues(cell, editorCellValues(gEditorMap.cells[gEditorSourceCell[0]][gEditorSourceCell[1]]));
        break;
    case kMapCommandEditMenu:
        gEditorPage = 1;
        gEditorSubMode = 0;
        gRedrawRequest[0] = 2;
        return;
    case kMapCommandFill: {
        if (!cellInsideGrid(gEditorSourceCell[0], gEditorSourceCell[1])) return;
        const EditorCellValues fill = editorCellValues(gEditorMap.cells[gEditorSourceCell[0]][gEditorSourceCell[1]]);
        floodFillCells(gEditorMap.cells, fill, editorCellValues(cell), row, column);
        break;
    }
    default: return;
    }
    showEditorMap();
}

}  // namespace

EditorCellValues editorCellValues(const MapCell& cell) {
    return {cell.floorColumn, cell.floorRow, cell.wallColumn, cell.wallRow, cell.height, cell.blocked};
}

int floodFillCells(MapCell (&cells)[kMapRows][kMapColumns], const EditorCellValues& fill, const EditorCellValues& old,
                   int row, int column) {
    if (sameValues(fill, old)) return 0;  // filling would never end
    int changed = 0;
    std::vector<std::pair<int, int>> pending;
    pending.emplace_back(row, column);
    while (!pending.empty()) {
        const auto [r, c] = pending.back();
        pending.pop_back();
        if (r < 0 || c < 0 || r >= kMapRows || c >= kMapColumns) continue;
        MapCell& cell = cells[r][c];
        if (!sameValues(editorCellValues(cell), old)) continue;
        giveValues(cell, fill);
        ++changed;
        pending.emplace_back(r + 1, c);
        pending.emplace_back(r - 1, c);
        pending.emplace_back(r, c + 1);
        pending.emplace_back(r, c - 1);
    }
    return changed;
}

void loadEditorMap(int map) {
    loadMap(map);  // a missing file empties the map
    copyLiveIntoEditorMap();
}

int saveEditorMap(int map) {
    showEditorMap();
    return saveMap(map);
}

void resetMapEditor() {
    gDebugMode = 0;
    gEditorPage = 0;
    gEditorSubMode = 0;
    gEditorCursor = 0;
    gEditorSourceCell[0] = gEditorSourceCell[1] = 0;
    std::memset(&gEditorMap, 0, sizeof gEditorMap);
}

void runMapEditor(GraphicsResources& resources, gfx::Device* device) {
    if (gCommandCode == kNormalPlayCommand) return;
    if (gDebugMode == 1) {
        gEventStep = 0;
        gFieldEvent = 0;
        drawCaption(resources, device);
    }
    int row = 0, column = 0;
    const bool inside = playerCell(row, column);

    if (gEditorPage == 1 && (gEditorSubMode == 1 || gEditorSubMode == 2)) {
        tilePicker(resources, device, row, column, inside);
    } else if (gEditorPage == 1) {
        editMenu(resources, device, row, column, inside);
    } else if (gEditorPage == 2 && gEditorSubMode == 2) {
        gRedrawRequest[0] = 2;
        saveEditorMap(gCurrentMap);
        gEditorPage = 0;
        gEditorSubMode = 0;
    } else if (gEditorPage == 2) {
        fileMenu(resources, device);
    } else {
        if (throttleFrame()) command(row, column, inside);
        if (gDebugMode == 1 && gInputCode == kInputCancel) {
            gRedrawRequest[0] = 2;
            gEditorPage = 2;
            gEditorSubMode = 0;
            gEditorCursor = 0;
            gCampMenuCursor = 0;
            gInputCode = 0;
        }
    }

    if (gLayer2HasText == 1 && resources.sprite && resources.layer2Target && device != nullptr) {
        const gfx::Vec2 shadowAt{1.0f, 1.0f};
        const gfx::Vec2 at{0.0f, 0.0f};
        resources.sprite->begin();
        resources.sprite->draw(resources.layer2Target.get(), nullptr, nullptr, nullptr, 0.0f, &shadowAt, kTextLayerShadow);
        resources.sprite->draw(resources.layer2Target.get(), nullptr, nullptr, nullptr, 0.0f, &at, 0xFFFFFFFFu);
        resources.sprite->end();
    }
}

void drawObjectNumber(GraphicsResources& resources, gfx::Device* device, int slot) {
    if (device == nullptr || !resources.quadVertices || slot < 0 || slot >= kMapObjectCount) return;
    const MapObject& object = gMapObjects[slot];
    char digits[8];
    const int count = std::snprintf(digits, sizeof digits, "%d", slot);
    const gfx::Colour colour = gFieldTintActive == 0
                                   ? 0xFFFFFFFFu
                                   : gfx::colourFromFloats(gFieldTint[0], gFieldTint[1], gFieldTint[2], gFieldTint[3]);
    device->setRenderState(gfx::kRsAlphaTestEnable, 1);
    device->setRenderState(gfx::kRsAlphaRef, 127);
    device->setRenderState(gfx::kRsAlphaFunc, gfx::kCmpGreater);
    device->setTexture(resources.digitSheet.get());
    resources.worldMatrix = gfx::matrixIdentity();
    device->setTransform(gfx::TransformKind::World, resources.worldMatrix);
    const float offsets[3] = {-0.3f, 0.0f, 0.3f};
    for (int j = 0; j < count && j < 3; ++j) {
        const int digit = digits[j] - '0';
        gfx::Vertex* v = resources.quadVertices->lock();
        if (v == nullptr) return;
        const float left = object.x - 0.5f + offsets[j];
        const float right = object.x + 0.5f + offsets[j];
        const float u0 = 0.1f * digit + 0.01f;
        const float u1 = 0.1f * digit + 0.11f;
        v[0] = {left, object.y + 2.0f, object.z, colour, u0, 0.01f};
        v[1] = {right, object.y + 2.0f, object.z, colour, u1, 0.01f};
        v[2] = {left, object.y + 1.0f, object.z, colour, u0, 0.25f};
        v[3] = {right, object.y + 1.0f, object.z, colour, u1, 0.25f};
        resources.quadVertices->unlock();
        device->drawPrimitive(gfx::Primitive::TriangleStrip, resources.quadVertices.get(), 0, 2);
    }
}
