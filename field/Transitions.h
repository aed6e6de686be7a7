// The three short screens between the field and what comes before and after
// it: the spinning battle transition (scene 10, 76 frames, then the battle),
// the fade-in after a map change, a new game or a load (scene 1, 31 frames)
// and the entry from black after a battle (scene 2, 11 frames). The screen
// functions are declared with the others in engine/Screens.h; each counts
// its frames in gTransitionFrame.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

extern int gTransitionFrame;

constexpr int kBattleTransitionFrames = 76;
constexpr int kFadeInFrames = 31;           // 25 darkening, then black
constexpr int kEntryFromBlackFrames = 11;
constexpr int kBattleScene = 100;
constexpr int kFirstBattleBackdropBitmap = 222;  // backdrops 0 to 17
constexpr int kLastBattleBackdrop = 17;
constexpr int kStoryBattleGroupInBlack = 57;     // its battle runs under a black tint

// The camera cut the fade-in and the entry from black end with: the track
// keyed twice on gCameraTarget (distance 10, yaw 0, mode 1), 1 ms long from
// now, then gCameraSnap = 1 so that the field re-keys on its first frame.
void cutCameraToTarget(GraphicsResources& resources);

// The battle ground picture: the floor tile of gGroundTiles from the tile
// atlas, 10 x 10 times at 32-pixel steps, scaled 0.7, into groundTarget
// cleared to white. Nothing without a ground target (low-spec mode).
void paintBattleGround(GraphicsResources& resources, gfx::Device* device, int tileColumn, int tileRow);
// The source rectangle of a tile of the atlas texture (20 x 10 tiles of
// 51.2 texels).
gfx::Rect battleGroundTileRect(int tileColumn, int tileRow);
