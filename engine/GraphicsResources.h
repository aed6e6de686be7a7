// The shared graphics resources every screen and drawing function works
// with: the sprite, the textures made from bitmap resources, the two cached
// text layers, the render targets, the meshes and the camera track.
//
// Screens and drawing functions are free functions taking the resources
// first and the device second: runField(resources, device).
#pragma once

#include <memory>

#include "platform/Gfx.h"

class KeyframeTrack;  // engine/KeyframeTrack.h

struct GraphicsResources {
    GraphicsResources();
    ~GraphicsResources();
    GraphicsResources(const GraphicsResources&) = delete;
    GraphicsResources& operator=(const GraphicsResources&) = delete;

    gfx::Matrix worldMatrix{};  // scratch world transform of the 3D drawing operations

    std::unique_ptr<gfx::Sprite> sprite;
    std::unique_ptr<gfx::VertexBuffer> quadVertices;  // 4 vertices, the shared quad

    std::unique_ptr<gfx::Texture> spriteSheets[6];  // bitmaps 141 143 144 145 147 148, keyed
    std::unique_ptr<gfx::Texture> tileAtlas;        // 152
    std::unique_ptr<gfx::Texture> windowBackground; // 259
    std::unique_ptr<gfx::Texture> gaugeBar;         // 245
    std::unique_ptr<gfx::Texture> windowBorder;     // 249, keyed
    std::unique_ptr<gfx::Texture> cursorBar;        // 250
    std::unique_ptr<gfx::Texture> pointerHand;      // 251, keyed
    std::unique_ptr<gfx::Texture> arrowSheet;       // 246, keyed
    std::unique_ptr<gfx::Texture> enterMark;        // 244, keyed
    std::unique_ptr<gfx::Texture> gaugeFrame;       // 247, keyed
    std::unique_ptr<gfx::Texture> digitSheet;       // 242, keyed
    std::unique_ptr<gfx::Texture> popupWords;       // 243, keyed
    std::unique_ptr<gfx::Texture> effectSheet;      // 260, keyed
    std::unique_ptr<gfx::Texture> faceIcons;        // 241
    std::unique_ptr<gfx::Texture> portraitSheet;    // 347 (the message window swaps it)
    int portraitSheetBitmap = 0;                    // the sheet portraitSheet holds; 0 when not known
    std::unique_ptr<gfx::Texture> iconStrip;        // 156, keyed
    std::unique_ptr<gfx::Texture> pictureTexture;   // 197 (full-screen picture slot)
    std::unique_ptr<gfx::Texture> cardSheets[5];    // 159 to 163
    std::unique_ptr<gfx::Texture> cardBack;         // 164
    std::unique_ptr<gfx::Texture> stoneBanner;      // 158
    std::unique_ptr<gfx::Texture> menuStrips;       // 253, keyed
    std::unique_ptr<gfx::Texture> titleNamePlate;   // 255, keyed
    std::unique_ptr<gfx::Texture> openingLogo;      // 355
    std::unique_ptr<gfx::Texture> saveSlotPanel;    // 157

    // Read ahead for a coming screen (preparePicture, preparePortraitSheet);
    // they take their slots when that screen starts.
    std::unique_ptr<gfx::Texture> nextPicture;
    int nextPictureBitmap = 0;
    std::unique_ptr<gfx::Texture> nextPortraitSheet;
    int nextPortraitSheetBitmap = 0;

    // The back buffer is the render target selected by null.
    gfx::Texture* const backBuffer = nullptr;
    std::unique_ptr<gfx::Texture> layer2Target;  // 640 x 480, the second cached text layer
    std::unique_ptr<gfx::Texture> layer1Target;  // 640 x 480, the first text layer and the field snapshot
    std::unique_ptr<gfx::Texture> groundTarget;  // 320 x 320, not in low-spec mode
    std::unique_ptr<gfx::Texture> newsTarget;    // 640 x 30, not in low-spec mode

    std::unique_ptr<KeyframeTrack> cameraTrack;

    std::unique_ptr<gfx::Mesh> closedChestMesh;  // "XFILE" 327
    std::unique_ptr<gfx::Mesh> openChestMesh;    // 328
    std::unique_ptr<gfx::Mesh> effectMesh;       // 329 at start; the battle swaps it
};

// Builds every member and sets the render states that stay for the run:
// 0 on success, negative after showing the failure's message box (a mesh
// that fails shows none). Low-spec mode (lowSpecGraphics()) makes the keyed
// textures and the layers A4R4G4B4 and skips the ground and news targets.
int createGraphicsResources(GraphicsResources& resources, gfx::Device* device);
// Releases every member; a second call is harmless.
void releaseGraphicsResources(GraphicsResources& resources);
// Reads portrait sheet `bitmap` (347-354) into portraitSheet and notes which
// it is; every change of the sheet goes through here or holdPortraitSheet.
// A sheet prepared for the same bitmap is taken instead of a new read.
void readPortraitSheet(GraphicsResources& resources, gfx::Device* device, int bitmap);
// Makes the texture of portrait sheet `bitmap` and starts reading its
// pixels ahead (gfx::Device::prefetch), for the next readPortraitSheet.
void preparePortraitSheet(GraphicsResources& resources, gfx::Device* device, int bitmap);
// Picture `bitmap` into pictureTexture (left empty when it cannot be made),
// taking the one preparePicture made for it.
void readPicture(GraphicsResources& resources, gfx::Device* device, int bitmap);
void preparePicture(GraphicsResources& resources, gfx::Device* device, int bitmap);
// The same, but a sheet already held is kept: a message asks for its
// portrait's sheet on every frame it shows, and reading the sheet again each
// time cost a fifth of a field frame.
void holdPortraitSheet(GraphicsResources& resources, gfx::Device* device, int bitmap);

// Start reading, off the drawing thread, the pictures the field draws (its
// atlas, the character sheets, the message window's parts), those a battle
// draws (its backdrop in pictureTexture, gauges, digits, effects) and those
// of the boat race (the course's tiles, the buoys): called where a fade,
// transition or countdown precedes the screen, so its frames do not read them.
void prefetchFieldPictures(GraphicsResources& resources, gfx::Device* device);
void prefetchBattlePictures(GraphicsResources& resources, gfx::Device* device);
void prefetchRacePictures(GraphicsResources& resources, gfx::Device* device);

// The box a start-up failure is reported in: Shift-JIS text and caption, an
// OK button (the application layer's box, engine/MainLoopPlatformBridge.cpp).
void showMessageBox(const char* textCp932, const char* captionCp932);
// What createGraphicsResources calls to show its box: showMessageBox unless a
// test puts its own function here.
using MessageBoxFunction = void (*)(const char* textCp932, const char* captionCp932);
extern MessageBoxFunction gGraphicsFailureBox;
