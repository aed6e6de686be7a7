// What a player sees of a scene: at each message, the figures the running
// event moved, turned or placed (and the player, when shown) must stand in
// the picture, above the message window, through the same camera the field
// draws with, and not behind terrain between them and the eye.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/KeyframeTrack.h"
#include "field/FieldMap.h"
#include "field/FieldRenderer.h"
#include "field/FieldState.h"
#include "field/MapObject.h"
#include "platform/GfxMath.h"

namespace framing {

// The message window's text box starts here; a figure drawn below it is
// covered while the line is read.
constexpr float kWindowTop = 375.0f;

struct Camera {
    gfx::Vec3 eye;
    gfx::Matrix viewProjection;
    FieldCameraPoint point;  // as the renderer's culling sees it
};

inline Camera currentCamera(const GraphicsResources& resources) {
    float channel0 = 0.0f;
    int finished = 0;
    float channels[6] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    resources.cameraTrack->evaluateTrack(gMillisecondClock(), &channel0, &finished, channels);
    const CameraView view = cameraViewFor(channels[0], channels[1], channels[2], channels[3], channels[4], channels[5]);
    Camera camera;
    camera.eye = view.eye;
    camera.viewProjection = gfx::matrixMultiply(gfx::matrixLookAtLH(view.eye, view.target, view.up),
                                                gfx::matrixPerspectiveFovLH(0.785398163397448f, 640.0f / 480.0f, 1.0f, 1000.0f));
    camera.point = evaluateFieldCamera(resources);
    return camera;
}

// The cell a world point lies over, as the grid shears it.
inline void cellUnder(float x, float z, int& row, int& col) {
    const double c = z / kGridShear;
    col = static_cast<int>(std::floor(c));
    row = static_cast<int>(std::floor(x - z));
}

// Whether the wall on a cell's front edge (toward column c - 1) or right
// edge (toward row r + 1) is drawn: not toward a void, not a negative drop.
inline bool wallShown(int r, int c, bool front) {
    if (front ? c == 0 : r == kMapRows - 1) return true;
    const MapCell& cell = gMapCells[r][c];
    const MapCell& next = front ? gMapCells[r][c - 1] : gMapCells[r + 1][c];
    if (next.height == 0.0f && next.floorColumn == 0 && next.floorRow == 0) return false;
    return !(cell.height - next.height < 0.0f);
}

// The first drawn cell the straight line from the eye to the point runs into
// (through its top or a wall the renderer draws), or false when the line is
// clear. A line may pass under the top of a cell whose front is not drawn.
inline bool terrainBetween(const Camera& camera, const gfx::Vec3& to, int& hitRow, int& hitCol) {
    int eyeCell[3];
    worldToCell(camera.point.eye, eyeCell);
    int ownRow = 0, ownCol = 0;
    cellUnder(to.x, to.z, ownRow, ownCol);
    const float dx = to.x - camera.eye.x, dy = to.y - camera.eye.y, dz = to.z - camera.eye.z;
    const float length = std::sqrt(dx * dx + dy * dy + dz * dz);
    const int samples = static_cast<int>(length / 0.05f);
    int lastRow = -100, lastCol = -100;
    float lastY = camera.eye.y;
    for (int i = 1; i < samples; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(samples);
        const float x = camera.eye.x + dx * t, y = camera.eye.y + dy * t, z = camera.eye.z + dz * t;
        int row = 0, col = 0;
        cellUnder(x, z, row, col);
        const int fromRow = lastRow, fromCol = lastCol;
        const float fromY = lastY;
        lastRow = row;
        lastCol = col;
        lastY = y;
        if (!cellInsideGrid(row, col) || (row == ownRow && col == ownCol)) continue;
        const MapCell& cell = gMapCells[row][col];
        if (cell.wallColumn == 0 && cell.wallRow == 0) continue;       // never drawn
        if (col < eyeCell[2] && camera.point.mode != 3.0f) continue;  // culled behind the eye
        if (!(y < cell.height - 0.05f)) continue;
        const bool throughTop = fromY >= cell.height - 0.05f;
        // A wall spans from the neighbour's floor up to this cell's.
        const bool throughFront =
            fromCol < col && wallShown(row, col, true) && (col == 0 || y >= gMapCells[row][col - 1].height);
        const bool throughRight = fromRow > row && wallShown(row, col, false) &&
                                  (row == kMapRows - 1 || y >= gMapCells[row + 1][col].height);
        if (throughTop || throughFront || throughRight) {
            hitRow = row;
            hitCol = col;
            return true;
        }
    }
    return false;
}

// Why a figure standing at (x, y, z) is not seen, or "" when it is.
inline std::string unseen(const Camera& camera, float x, float y, float z) {
    char text[160];
    const FieldCameraPoint& p = camera.point;
    if (p.mode == 1.0f) {
        // The renderer's own billboard culling.
        if (z < p.eye[2]) return "behind the eye";
        if (p.look[1] <= 5.0f) {
            const float t = (z - p.eye[2]) / 3.0f;
            if (x < p.eye[0] - 8.0f - t || x > p.eye[0] + 5.0f + t) return "culled beside the view";
        }
    }
    const gfx::Vec3 centre{x, y + 0.625f, z};
    const gfx::Vec3 head{x, y + 1.1f, z};
    const gfx::Matrix& m = camera.viewProjection;
    const float w = centre.x * m.m[0][3] + centre.y * m.m[1][3] + centre.z * m.m[2][3] + m.m[3][3];
    if (w <= 1.0f) return "behind the eye";
    const gfx::Vec3 clip = gfx::vec3TransformCoord(centre, m);
    const float sx = (clip.x + 1.0f) * 320.0f;
    const float sy = (1.0f - clip.y) * 240.0f;
    if (sx < 0.0f || sx > 640.0f || sy < 0.0f || sy > kWindowTop) {
        std::snprintf(text, sizeof text, "off the picture at screen (%.0f, %.0f)", sx, sy);
        return text;
    }
    int row = 0, col = 0;
    if (terrainBetween(camera, centre, row, col) && terrainBetween(camera, head, row, col)) {
        std::snprintf(text, sizeof text, "behind the terrain of cell (%d, %d)", row, col);
        return text;
    }
    return "";
}

// Scenes whose cast still stands partly out of view, each awaiting its
// staging: "map event" lines of tests/fixtures/scenes-to-stage.txt ('#'
// starts a comment). The check passes over them; staging a scene removes
// its line.
inline const std::set<std::pair<int, int>>& scenesToStage() {
    static const std::set<std::pair<int, int>> scenes = [] {
        std::set<std::pair<int, int>> out;
        std::ifstream in(CORVADINE_SOURCE_DIR "/tests/fixtures/scenes-to-stage.txt");
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line.substr(0, line.find('#')));
            int map = 0, event = 0;
            if (fields >> map >> event) out.insert({map, event});
        }
        return out;
    }();
    return scenes;
}

// A map object as far as a player can tell it changed.
struct FigureLook {
    std::uint8_t present, visible, facing;
    int character, pose;
    float x, y, z;
    bool operator!=(const FigureLook& o) const {
        return present != o.present || visible != o.visible || facing != o.facing || character != o.character ||
               pose != o.pose || x != o.x || y != o.y || z != o.z;
    }
};
inline FigureLook lookOf(const MapObject& o) {
    return {o.present, o.visible, o.facing, o.character, o.pose, o.x, o.y, o.z};
}
// A figure whose height alone changed rode the floor under it (a guard on a
// moving platform of the stealth base): it has not acted in the scene.
inline bool onlyRode(const FigureLook& now, const FigureLook& before) {
    FigureLook level = now;
    level.y = before.y;
    return !(level != before);
}

// Follows one run of the field: the figures as they stood when the current
// event began, and the failures found so far (each figure of each event
// named once). A figure seen at one message that walks out of the picture
// before the next has left the scene, as a player watches it go; it counts
// again once it moves or turns anew. A figure first followed once it has
// walked counts as seen before if the spot it started from is in the
// picture: it stood there in view and walked away. In the same way a figure
// seen at one message that the scene's camera turns away from before the
// next has been left by the camera, as a player watches the view move on.
struct Checker {
    FigureLook before[kMapObjectCount] = {};
    FigureLook lastChecked[kMapObjectCount + 1] = {};  // the player last
    bool seenLast[kMapObjectCount + 1] = {};
    bool departed[kMapObjectCount + 1] = {};
    bool followed[kMapObjectCount + 1] = {};
    bool haveBefore = false;
    bool wasShowing = false;
    float lastLook[3] = {};  // where the camera looked at the last check
    bool cameraMoved = false;
    std::set<std::tuple<int, int, int>> named;  // map, event, slot
    std::vector<std::string> failures;

    // Called before each frame's field pass: the frame shows what the last
    // pass left, so this is what the player reads.
    void beforeFrame(const GraphicsResources& resources, bool messageWhole) {
        if (gFieldEvent == 0 || !haveBefore) {
            for (int s = 0; s < kMapObjectCount; ++s) before[s] = lookOf(gMapObjects[s]);
            for (int s = 0; s <= kMapObjectCount; ++s) {
                lastChecked[s] = s < kMapObjectCount ? before[s] : FigureLook{};
                seenLast[s] = departed[s] = followed[s] = false;
            }
            for (int i = 0; i < 3; ++i) lastLook[i] = 0.0f;
            haveBefore = true;
        }
        const bool showing = gFieldEvent != 0 && messageWhole;
        if (showing && !wasShowing) check(resources);
        wasShowing = showing;
    }
    // A new arrival or a directly started event: what stands now is the
    // scene's starting picture.
    void restart() { haveBefore = false; wasShowing = false; }

    void check(const GraphicsResources& resources) {
        if (!resources.cameraTrack || gScene != 0 || gEventPicture != 0 || gStillPicture != 0) return;
        if (scenesToStage().count({gCurrentMap, gFieldEvent}) != 0) return;
        // A scene read over a dark field hides its figures on purpose.
        if (gFieldTintActive == 1 && gFieldTint[0] + gFieldTint[1] + gFieldTint[2] < 0.6f) return;
        if (gFieldBrightness < 0.2f) return;
        const Camera camera = currentCamera(resources);
        // A scene that raises the camera's aim far above the floor, to the
        // sky, shows no one on purpose while it looks there.
        {
            int row = 0, col = 0;
            cellUnder(camera.point.look[0], camera.point.look[2], row, col);
            const float floor = cellInsideGrid(row, col) ? gMapCells[row][col].height : 0.0f;
            if (camera.point.look[1] > floor + 10.0f) return;
        }
        cameraMoved = false;
        for (int i = 0; i < 3; ++i) {
            if (camera.point.look[i] != lastLook[i]) cameraMoved = true;
            lastLook[i] = camera.point.look[i];
        }
        if (gPlayerVisible == 1) {
            const FigureLook player{1, 1, gPlayerFacing, gPlayerSpriteColumn, gPlayerPose, gPlayerPos[0], gPlayerPos[1],
                                    gPlayerPos[2]};
            follow(camera, kMapObjectCount, player);
        }
        for (int s = 0; s < kMapObjectCount; ++s) {
            const MapObject& o = gMapObjects[s];
            if (o.present == 0 || o.visible == 0 || o.kind == kObjectChest || o.character < 0) continue;
            if (!(lookOf(o) != before[s]) || onlyRode(lookOf(o), before[s])) continue;
            follow(camera, s, lookOf(o));
        }
    }
    void follow(const Camera& camera, int index, const FigureLook& now) {
        const FigureLook& last = lastChecked[index];
        const bool moved = now.x != last.x || now.z != last.z;
        if (!followed[index] && index < kMapObjectCount && moved && last.present != 0 && last.visible != 0)
            seenLast[index] = unseen(camera, last.x, last.y, last.z).empty();
        followed[index] = true;
        const bool sameFigure = now.facing == last.facing && now.character == last.character;
        const std::string why = unseen(camera, now.x, now.y, now.z);
        if (why.empty()) departed[index] = false;
        else if (seenLast[index] && (moved || cameraMoved)) departed[index] = true;  // walked out, or the view moved on
        else if (!(departed[index] && sameFigure)) departed[index] = false;
        lastChecked[index] = now;
        seenLast[index] = why.empty();
        if (why.empty() || departed[index]) return;
        report(camera, index == kMapObjectCount ? -1 : index, now.x, now.z, why);
    }
    void report(const Camera& camera, int slot, float x, float z, const std::string& why) {
        if (!named.insert({gCurrentMap, gFieldEvent, slot}).second) return;
        int row = 0, col = 0, lookRow = 0, lookCol = 0;
        cellUnder(x, z, row, col);
        cellUnder(camera.point.look[0], camera.point.look[2], lookRow, lookCol);
        const std::string who = slot < 0 ? std::string("the player") : "slot " + std::to_string(slot);
        char text[320];
        std::snprintf(text, sizeof text, "map %d event %d step %d: %s at cell (%d, %d) %s (the camera on (%d, %d))",
                      gCurrentMap, gFieldEvent, gEventStep, who.c_str(), row, col, why.c_str(), lookRow, lookCol);
        failures.push_back(text);
    }
};

}  // namespace framing
