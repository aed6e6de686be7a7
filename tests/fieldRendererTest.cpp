// The field drawn through the real OpenGL device, headless, on the test
// room: pixels where known points of the terrain and the billboards project
// are compared with the colours their pictures and the field's colour rules
// must give.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "field/FieldRenderer.h"
#include "field/TouchObject.h"
#include "tests/drawingRecordingDevice.h"
#include "tests/fieldFixture.h"
#include "tests/hiddenGlDevice.h"

namespace {

using Pixel = std::uint32_t;

constexpr Pixel kFloorTile = 0x40A040;     // tile (1, 1) of the atlas
constexpr Pixel kLedgeTile = 0xC0C040;     // tile (3, 0)
constexpr Pixel kWallTile = 0x8080C0;      // tile (1, 2)
constexpr Pixel kOtherTile = 0x202020;     // every other tile
constexpr Pixel kSpriteLeft = 0xE02020;    // left half of a sprite cell
constexpr Pixel kSpriteRight = 0x2020E0;   // right half
constexpr Pixel kClear = 0x000060;

Pixel atlasTexel(int x, int y) {
    const int column = x / 32, row = y / 32;
    if (column == 1 && row == 1) return kFloorTile;
    if (column == 3 && row == 0) return kLedgeTile;
    if (column == 1 && row == 2) return kWallTile;
    return kOtherTile;
}

struct FieldGl : ::testing::Test {
    static inline gfx::Device* glDevice = nullptr;
    static inline bool windowOpen = false;
    GraphicsResources resources;
    std::vector<Pixel> image;

    static void SetUpTestSuite() { windowOpen = gltest::openHiddenGlDevice(&glDevice); }
    static void TearDownTestSuite() {
        delete glDevice;
        glDevice = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(windowOpen) << "no hidden window (SDL_VIDEODRIVER=offscreen)";
        ASSERT_NE(glDevice, nullptr) << "no OpenGL device";
        fieldtest::resetFieldWorld();
        ASSERT_TRUE(fieldtest::loadRoom());
        std::vector<std::uint32_t> atlas(640 * 320);
        for (int y = 0; y < 320; ++y) {
            for (int x = 0; x < 640; ++x) atlas[y * 640 + x] = 0xFF000000u | atlasTexel(x, y);
        }
        resources.tileAtlas = glDevice->createTextureFromPixels(atlas.data(), 640, 320, gfx::TextureFormat::A8R8G8B8);
        // Sheet 0: every 32 x 40 cell red on its left half, blue on its right,
        // with a transparent band across its top quarter.
        std::vector<std::uint32_t> sheet(320 * 400);
        for (int y = 0; y < 400; ++y) {
            for (int x = 0; x < 320; ++x) {
                const bool transparent = y % 40 < 10;
                sheet[y * 320 + x] = transparent ? 0u : 0xFF000000u | (x % 32 < 16 ? kSpriteLeft : kSpriteRight);
            }
        }
        resources.spriteSheets[0] = glDevice->createTextureFromPixels(sheet.data(), 320, 400, gfx::TextureFormat::A8R8G8B8);
        resources.quadVertices = glDevice->createVertexBuffer(4);
        resources.sprite = glDevice->createSprite();
        resources.cameraTrack = std::make_unique<KeyframeTrack>();
        glDevice->setRenderTarget(nullptr);
        glDevice->setRenderState(gfx::kRsLighting, 0);
        glDevice->setRenderState(gfx::kRsCullMode, gfx::kCullNone);
        glDevice->setRenderState(gfx::kRsZEnable, 1);
        gClearColour[2] = 0x60;
        gPlayerVisible = 1;
        gPlayerSpriteColumn = 3;
        placePlayerOnArrival(15, 14);
        gCameraSnap = 2;  // the camera cuts onto the player in the first frame
    }
    void TearDown() override {
        fieldtest::gTestClock = 0;
        gMillisecondClock = timeGetTimeMs;
        gFieldEventRunner = runCurrentMapEvent;
    }

    // Two frames (the first places the camera), then the back buffer.
    void draw() {
        for (int i = 0; i < 2; ++i) {
            fieldtest::gTestClock += 16;
            gInputCode = 0;
            glDevice->beginScene();
            runField(resources, glDevice);
            glDevice->endScene();
        }
        ASSERT_TRUE(glDevice->readBackBuffer(image));
    }
    // The camera on a point two rows left of the cell, the player out of
    // sight, then the picture.
    void drawNear(int row, int col) {
        gPlayerVisible = 0;
        placePlayerOnArrival(row - 2, col);
        gCameraSnap = 2;
        draw();
    }
    // The pixel a world point projects to.
    Pixel at(float x, float y, float z, int* px = nullptr, int* py = nullptr) const {
        const gfx::Matrix viewProjection = gfx::matrixMultiply(glDevice->transform(gfx::TransformKind::View),
                                                               glDevice->transform(gfx::TransformKind::Projection));
        const gfx::Vec3 ndc = gfx::vec3TransformCoord(gfx::Vec3{x, y, z}, viewProjection);
        const int sx = static_cast<int>((ndc.x + 1.0f) * 0.5f * 640.0f);
        const int sy = static_cast<int>((1.0f - ndc.y) * 0.5f * 480.0f);
        if (px != nullptr) *px = sx;
        if (py != nullptr) *py = sy;
        if (sx < 0 || sx >= 640 || sy < 0 || sy >= 480) return 0xDEADBEEF;
        return image[static_cast<std::size_t>(sy) * 640 + sx] & 0xFFFFFF;
    }
    Pixel cellFloor(int row, int col) const {
        float centre[3];
        cellCentre(row, col, centre);
        return at(centre[0], centre[1], centre[2]);
    }
};

::testing::AssertionResult near(Pixel actual, Pixel expected, int tolerance = 6) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>(actual >> shift & 0xFF), e = static_cast<int>(expected >> shift & 0xFF);
        if (std::abs(a - e) > tolerance) {
            return ::testing::AssertionFailure() << std::hex << "pixel 0x" << actual << " is not near 0x" << expected;
        }
    }
    return ::testing::AssertionSuccess();
}

Pixel halved(Pixel p) { return (p >> 1) & 0x7F7F7F; }

TEST_F(FieldGl, TheRoomsFloorsLedgeAndChestShadowShowTheirTiles) {
    struct Case {
        int row, col;
        Pixel expected;
    };
    gMapObjects[1].kind = kObjectChest;  // slot 1's cell (12, 12) holds a chest: its floor is shaded
    for (const Case& c : {Case{16, 15, kFloorTile}, Case{19, 19, kLedgeTile}, Case{12, 12, halved(kFloorTile)}}) {
        drawNear(c.row, c.col);
        EXPECT_TRUE(near(cellFloor(c.row, c.col), c.expected)) << c.row << "," << c.col;
    }
    // Far beyond the room nothing is drawn: the clear colour at the top.
    EXPECT_TRUE(near(image[5 * 640 + 320] & 0xFFFFFF, kClear));
}

TEST_F(FieldGl, TheLedgesFrontWallHangsFromItsEdge) {
    drawNear(19, 18);
    // Cell (19, 18) stands 1 above (19, 17): its front wall covers the drop.
    const float shear = static_cast<float>(18 * 0.707106781);
    EXPECT_TRUE(near(at(19.5f + shear, 1.5f, shear), kWallTile));
}

TEST_F(FieldGl, TheTintAndBrightnessShadeTheFloors) {
    gFieldTintActive = 1;
    gFieldTint[0] = 1.0f;
    gFieldTint[1] = 0.75f;
    gFieldTint[2] = 0.5f;
    gFieldTint[3] = 1.0f;
    gFieldBrightness = 0.5f;
    draw();
    // Grey 0.375 in every channel, alpha included.
    const Pixel f = kFloorTile;
    const auto scale = [](Pixel c, int shift) { return static_cast<Pixel>((c >> shift & 0xFF) * 0.375 + 0.5) << shift; };
    EXPECT_TRUE(near(cellFloor(16, 15), scale(f, 16) | scale(f, 8) | scale(f, 0), 8));
}

TEST_F(FieldGl, ThePlayersBillboardIsMirroredByItsFacingAndCutByTheAlphaTest) {
    const float x = gPlayerPos[0], y = gPlayerPos[1], z = gPlayerPos[2];
    draw();
    EXPECT_TRUE(near(at(x - 0.25f, y + 0.4f, z), kSpriteLeft));
    EXPECT_TRUE(near(at(x + 0.25f, y + 0.4f, z), kSpriteRight));
    // The transparent band at the top shows what is behind.
    EXPECT_FALSE(near(at(x - 0.25f, y + 1.15f, z), kSpriteLeft, 40));
    EXPECT_FALSE(near(at(x + 0.25f, y + 1.15f, z), kSpriteRight, 40));

    gPlayerFacing = 1;
    draw();
    EXPECT_TRUE(near(at(x - 0.25f, y + 0.4f, z), kSpriteRight));
    EXPECT_TRUE(near(at(x + 0.25f, y + 0.4f, z), kSpriteLeft));
}

TEST_F(FieldGl, ACharacterBeyondTheSixSheetsIsNotDrawn) {
    gPlayerSpriteColumn = 60;
    const float x = gPlayerPos[0], y = gPlayerPos[1], z = gPlayerPos[2];
    draw();
    EXPECT_TRUE(near(at(x - 0.25f, y + 0.4f, z), kFloorTile));
}

// Sorts the terrain's quads as they are sent: walls (a corner off the floor's
// plane) and quads of no area, which put no pixel on screen.
class QuadSortingDevice : public testing_gfx::RecordingDevice {
public:
    int drawPrimitive(gfx::Primitive, gfx::VertexBuffer* buffer, int, int) override {
        const gfx::Vertex* v = buffer->lock();
        const float ax = v[1].x - v[0].x, ay = v[1].y - v[0].y, az = v[1].z - v[0].z;
        const float bx = v[2].x - v[0].x, by = v[2].y - v[0].y, bz = v[2].z - v[0].z;
        const float nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
        ++quads;
        if (nx == 0.0f && ny == 0.0f && nz == 0.0f) ++flat;
        if (v[0].y != 0.0f || v[1].y != 0.0f || v[2].y != 0.0f || v[3].y != 0.0f) ++walls;
        buffer->unlock();
        return 0;
    }
    int quads = 0, flat = 0, walls = 0;
};

TEST(FieldTerrain, LevelNeighboursSendNoWallQuadsAndDropsStillDo) {
    fieldtest::resetFieldWorld();
    ASSERT_TRUE(fieldtest::loadRoom());
    QuadSortingDevice device;
    GraphicsResources resources;
    resources.quadVertices = device.createVertexBuffer(4, nullptr);
    resources.cameraTrack = std::make_unique<KeyframeTrack>();
    gPlayerVisible = 0;
    placePlayerOnArrival(17, 18);  // the ledge at (19, 18) two rows on, in view
    gCameraSnap = 2;
    for (int frame = 0; frame < 2; ++frame) {
        fieldtest::gTestClock += 16;
        runField(resources, &device);
    }
    device.quads = device.flat = device.walls = 0;
    drawFieldTerrain(resources, &device);
    EXPECT_GT(device.quads, 0);
    EXPECT_GT(device.walls, 0);  // the ledge's drop
    EXPECT_EQ(device.flat, 0);
    gMillisecondClock = timeGetTimeMs;
    gFieldEventRunner = runCurrentMapEvent;
}

}  // namespace
