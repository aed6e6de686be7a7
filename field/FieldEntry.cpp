#include "field/FieldEntry.h"

#include <cstdlib>

#include "engine/Scene.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldScreen.h"
#include "field/FieldServices.h"
#include "field/FieldState.h"

namespace {

bool standable(int row, int col) {
    const MapCell& cell = mapCell(row, col);
    return cell.height != 0.0f && cell.blocked == 0;
}

}  // namespace

bool enterFieldOnMap(int map, int row, int col) {
    // Out of the title's scene first: the set-up skips every map while the
    // title runs, and an arrival's set-up (water level, guards, lifts) would
    // be lost.
    gScene = 0;
    loadMap(map);
    setUpCurrentMap(1);
    if (row < 0 || !standable(row, col)) {
        int best = -1;
        for (int r = 0; r < kMapRows; ++r) {
            for (int c = 0; c < kMapColumns; ++c) {
                if (!standable(r, c)) continue;
                const int distance = std::abs(r - kMapRows / 2) + std::abs(c - kMapColumns / 2);
                if (best < 0 || distance < best) {
                    best = distance;
                    row = r;
                    col = c;
                }
            }
        }
        if (best < 0) return false;
    }
    gFieldEvent = 0;
    gEventStep = 0;
    gEventPicture = 0;
    gPictureLoaded = 0;
    gPlayerVisible = 1;
    gPlayerVSpeed = 0.0f;
    placePlayerOnArrival(row, col);
    gCameraSnap = 2;
    gScene = 0;
    return true;
}
