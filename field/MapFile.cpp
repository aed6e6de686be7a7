// "./Data/Map_%d.dat": 3600 cell records of 22 bytes in row-major order,
// then 150 object records of 3 bytes (present, row, column). Little-endian,
// no header. Read and written field by field.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/TextLayers.h"
#include "field/EventState.h"
#include "field/FieldMap.h"

namespace {

std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::int32_t readI32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(readU32(p));
}

float readF32(const std::uint8_t* p) {
    const std::uint32_t bits = readU32(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

void putU32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

void putF32(std::uint8_t* p, float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    putU32(p, bits);
}

std::string mapPath(int map) {
    char path[64];
    std::snprintf(path, sizeof path, "./Data/Map_%d.dat", map);
    return path;
}

// The whole file, or false when it cannot be read or is not a map's size.
bool readWholeMap(const char* path, std::vector<std::uint8_t>& bytes, bool& wrongSize) {
    wrongSize = false;
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    bytes.assign(static_cast<std::size_t>(kMapFileSize) + 1, 0);
    // One byte more than a map holds, so a longer file shows itself.
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    if (got != static_cast<std::size_t>(kMapFileSize)) {
        wrongSize = true;
        return false;
    }
    bytes.resize(got);
    return true;
}

void decodeMap(const std::vector<std::uint8_t>& bytes, const char* path) {
    const std::uint8_t* p = bytes.data();
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            MapCell& cell = gMapCells[row][column];
            cell.height = readF32(p);
            cell.floorColumn = readI32(p + 4);
            cell.floorRow = readI32(p + 8);
            cell.wallColumn = readI32(p + 12);
            cell.wallRow = readI32(p + 16);
            cell.blocked = p[20];
            cell.objectLink = p[21];
            p += kMapCellRecordSize;
        }
    }
    for (int slot = 0; slot < kMapObjectCount; ++slot) {
        std::uint8_t present = p[0];
        std::uint8_t row = p[1];
        std::uint8_t column = p[2];
        p += kMapObjectRecordSize;
        // An object whose cell lies outside the grid cannot stand anywhere:
        // it is not present, and its cell entry is (0, 0) so no reader of
        // gObjectCells steps outside the arrays.
        if (row >= kMapRows || column >= kMapColumns) {
            if (present) {
                std::fprintf(stderr, "%s: object slot %d lies outside the grid (row %d, column %d); left out\n", path,
                             slot, row, column);
            }
            present = 0;
            row = 0;
            column = 0;
        }
        gObjectCells[slot][0] = row;
        gObjectCells[slot][1] = column;
        MapObject& object = gMapObjects[slot];
        object = MapObject{};
        object.present = present;
        float centre[3];
        cellCentre(row, column, centre);
        object.x = centre[0];
        object.y = centre[1];
        object.z = centre[2];
    }
}

}  // namespace

int readMapFile(const char* path) {
    std::vector<std::uint8_t> bytes;
    bool wrongSize = false;
    if (!readWholeMap(path, bytes, wrongSize)) {
        if (wrongSize) {
            std::fprintf(stderr, "%s: not a map file (a map has %ld bytes); treated as missing\n", path, kMapFileSize);
        } else {
            std::fprintf(stderr, "%s: missing; the map is empty\n", path);
        }
        return 1;
    }
    decodeMap(bytes, path);
    return 0;
}

int writeMapFile(const char* path) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(kMapFileSize), 0);
    std::uint8_t* p = bytes.data();
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            const MapCell& cell = gMapCells[row][column];
            putF32(p, cell.height);
            putU32(p + 4, static_cast<std::uint32_t>(cell.floorColumn));
            putU32(p + 8, static_cast<std::uint32_t>(cell.floorRow));
            putU32(p + 12, static_cast<std::uint32_t>(cell.wallColumn));
            putU32(p + 16, static_cast<std::uint32_t>(cell.wallRow));
            p[20] = cell.blocked;
            p[21] = cell.objectLink;
            p += kMapCellRecordSize;
        }
    }
    for (int slot = 0; slot < kMapObjectCount; ++slot) {
        p[0] = gMapObjects[slot].present;
        p[1] = gObjectCells[slot][0];
        p[2] = gObjectCells[slot][1];
        p += kMapObjectRecordSize;
    }

    // Written beside the target and renamed over it, so a failed write never
    // leaves a half map where a whole one was.
    const std::string temporary = std::string(path) + ".tmp";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "%s: cannot be written (%s); map not saved\n", path, std::strerror(errno));
        return 1;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path) != 0) {
        std::fprintf(stderr, "%s: writing failed (%s); map not saved\n", path, std::strerror(errno));
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}

int loadMap(int map) {
    gCurrentMap = map;
    const std::string path = mapPath(map);
    if (readMapFile(path.c_str()) != 0) {
        clearMap(map);
        return 1;
    }
    gRedrawRequest[0] = 1;
    gRedrawRequest[1] = 1;
    return 0;
}

int saveMap(int map) {
    gCurrentMap = map;
    return writeMapFile(mapPath(map).c_str());
}
