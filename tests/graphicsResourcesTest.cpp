#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/Camera.h"
#include "engine/Config.h"
#include "engine/GraphicsResources.h"
#include "engine/KeyframeTrack.h"
#include "engine/ResourcePaths.h"
#include "tests/drawingRecordingDevice.h"


namespace {

using testing_gfx::RecordedTexture;
using testing_gfx::RecordingDevice;

struct Box {
    std::string text, caption;
};
std::vector<Box> gBoxes;
void recordBox(const char* text, const char* caption) { gBoxes.push_back({text, caption}); }

std::uint32_t gNow = 0;
std::uint32_t fixedClock() { return gNow; }

struct ResourcesFixture : ::testing::Test {
    void SetUp() override {
        gBoxes.clear();
        savedBox = gGraphicsFailureBox;
        gGraphicsFailureBox = recordBox;
        savedClock = gMillisecondClock;
        gMillisecondClock = fixedClock;
        savedLowSpec = gConfig[1];
        gConfig[1] = 0;
    }
    void TearDown() override {
        gGraphicsFailureBox = savedBox;
        gMillisecondClock = savedClock;
        gConfig[1] = savedLowSpec;
    }

    MessageBoxFunction savedBox = nullptr;
    MillisecondClock savedClock = nullptr;
    std::uint8_t savedLowSpec = 0;
    GraphicsResources resources;
    RecordingDevice device;
};

const RecordedTexture& recorded(const std::unique_ptr<gfx::Texture>& t) {
    return dynamic_cast<const RecordedTexture&>(*t);
}

TEST_F(ResourcesFixture, BuildsEveryMemberInOrder) {
    ASSERT_EQ(createGraphicsResources(resources, &device), 0);
    EXPECT_TRUE(gBoxes.empty());

    const int bitmaps[] = {355, 245, 141, 143, 144, 145, 147, 148, 347, 156, 246, 244, 247, 242, 243, 260, 241,
                           152, 158, 259, 159, 160, 161, 162, 163, 164, 197, 249, 250, 157, 251, 253, 255};
    std::vector<std::string> expected;
    for (int id : bitmaps) expected.push_back(resources::bitmapPath(id));
    EXPECT_EQ(device.texturesLoaded, expected);
    EXPECT_EQ(device.meshesLoaded, (std::vector<std::string>{"Res/Xfile_329.x", "Res/Xfile_327.x", "Res/Xfile_328.x"}));

    // Targets: layer 1, layer 2, ground, news, in that order.
    std::vector<std::string> made;
    for (const std::string& call : device.calls)
        if (call.rfind("made target", 0) == 0) made.push_back(call);
    EXPECT_EQ(made, (std::vector<std::string>{"made target 640x480", "made target 640x480", "made target 320x320",
                                              "made target 640x30"}));
    EXPECT_EQ(recorded(resources.layer1Target).format, gfx::TextureFormat::A8R8G8B8);
    ASSERT_TRUE(resources.groundTarget);
    ASSERT_TRUE(resources.newsTarget);

    // Keyed and plain members.
    struct Case { const std::unique_ptr<gfx::Texture>* member; const char* path; bool keyed; };
    const Case cases[] = {
        {&resources.spriteSheets[0], "Res/Bitmap_141.bmp", true},
        {&resources.spriteSheets[5], "Res/Bitmap_148.bmp", true},
        {&resources.cardSheets[0], "Res/Bitmap_159.bmp", false},
        {&resources.cardSheets[4], "Res/Bitmap_163.bmp", false},
        {&resources.tileAtlas, "Res/Bitmap_152.bmp", false},
        {&resources.windowBorder, "Res/Bitmap_249.bmp", true},
        {&resources.windowBackground, "Res/Bitmap_259.bmp", false},
        {&resources.cursorBar, "Res/Bitmap_250.bmp", false},
        {&resources.pointerHand, "Res/Bitmap_251.bmp", true},
        {&resources.saveSlotPanel, "Res/Bitmap_157.bmp", false},
        {&resources.titleNamePlate, "Res/Bitmap_255.bmp", true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(*c.member) << c.path;
        EXPECT_EQ(recorded(*c.member).name, c.path);
        EXPECT_EQ(recorded(*c.member).keyed, c.keyed) << c.path;
    }
    EXPECT_TRUE(resources.sprite);
    ASSERT_TRUE(resources.quadVertices);
    EXPECT_EQ(resources.quadVertices->count(), 4);
}

TEST_F(ResourcesFixture, SetsTheLastingStatesAndTheLight) {
    ASSERT_EQ(createGraphicsResources(resources, &device), 0);
    using S = std::pair<gfx::RenderState, std::uint32_t>;
    EXPECT_EQ(device.renderStateCalls, (std::vector<S>{{gfx::kRsLighting, 1}, {gfx::kRsCullMode, gfx::kCullNone},
                                                       {gfx::kRsZEnable, 1}, {gfx::kRsDitherEnable, 1},
                                                       {gfx::kRsLighting, 0}}));
    ASSERT_TRUE(device.lightsEnabled[0]);
    const gfx::Light& light = device.lights[0];
    EXPECT_EQ(light.type, gfx::LightType::Directional);
    EXPECT_EQ(light.diffuse.r, 1.0f);
    EXPECT_EQ(light.diffuse.a, 0.0f);
    EXPECT_EQ(light.specular.r, 0.0f);
    EXPECT_EQ(light.ambient.g, 0.0f);
    const float n = 1.0f / std::sqrt(1.5f);
    EXPECT_NEAR(light.direction.x, -0.5f * n, 1e-6);
    EXPECT_NEAR(light.direction.y, -0.5f * n, 1e-6);
    EXPECT_NEAR(light.direction.z, n, 1e-6);
}

TEST_F(ResourcesFixture, StartupCameraTrackIsZeroAndRunsForFiveSeconds) {
    gNow = 70000;
    ASSERT_EQ(createGraphicsResources(resources, &device), 0);
    ASSERT_TRUE(resources.cameraTrack);
    const KeyframeTrack& track = *resources.cameraTrack;
    EXPECT_EQ(track.keyCount(), 2);
    EXPECT_EQ(track.looping(), 0);
    EXPECT_EQ(track.start(), 70000u);
    EXPECT_EQ(track.duration(), 5000u);
    for (std::uint32_t now : {70000u, 72500u, 74999u, 75000u, 80000u}) {
        float c0 = 1;
        int finished = -1;
        float channels[6] = {1, 1, 1, 1, 1, 1};
        ASSERT_EQ(track.evaluateTrack(now, &c0, &finished, channels), 1);
        EXPECT_EQ(finished, now < 75000u ? 0 : 1) << now;
        EXPECT_EQ(c0, 0.0f);
        for (float c : channels) EXPECT_EQ(c, 0.0f);
    }
}

TEST_F(ResourcesFixture, LowSpecUsesSixteenBitTexturesAndSkipsGroundAndNews) {
    gConfig[1] = 1;
    ASSERT_EQ(createGraphicsResources(resources, &device), 0);
    EXPECT_FALSE(resources.groundTarget);
    EXPECT_FALSE(resources.newsTarget);
    EXPECT_EQ(recorded(resources.layer1Target).format, gfx::TextureFormat::A4R4G4B4);
    EXPECT_EQ(recorded(resources.layer2Target).format, gfx::TextureFormat::A4R4G4B4);
    EXPECT_EQ(recorded(resources.windowBorder).format, gfx::TextureFormat::A4R4G4B4);  // keyed
    EXPECT_EQ(recorded(resources.tileAtlas).format, gfx::TextureFormat::A8R8G8B8);     // plain
}

TEST_F(ResourcesFixture, RenderTargetFailuresNameTheTarget) {
    struct Case { int width, height, result; bool lowSpec; const char* text; const char* caption; };
    const Case cases[] = {
        {640, 480, gfx::kInvalidCall, false, "レイヤ１：無効な処理です。", "警告"},
        {320, 320, gfx::kFail, false, "地面：原因不明のエラーです。", "警告"},
        {640, 30, gfx::kNotAvailable, false, "ニュース：デバイスの確認を行ってください。", "警告"},
        {640, 30, gfx::kOutOfMemory, false, "メモリが不足しています。", "Error"},
        {320, 320, gfx::kOutOfVideoMemory, false, "地面：ビデオメモリが不足しております。", "警告"},
        {640, 30, gfx::kOk, false, "ニュース：サーフェスの設定ができませんでした。", "Error"},
        {320, 320, gfx::kFail, true, nullptr, nullptr},  // low spec never asks for the ground
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width * 1000 + c.height);
        gBoxes.clear();
        gConfig[1] = c.lowSpec ? 1 : 0;
        RecordingDevice failing;
        failing.targetFailures.push_back({c.width, c.height, c.result});
        const int result = createGraphicsResources(resources, &failing);
        if (c.text == nullptr) {
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(gBoxes.empty());
            continue;
        }
        EXPECT_LT(result, 0);
        ASSERT_EQ(gBoxes.size(), 1u);
        EXPECT_EQ(gBoxes[0].text, c.text);
        EXPECT_EQ(gBoxes[0].caption, c.caption);
        EXPECT_TRUE(failing.texturesLoaded.empty());  // the first failure ends creation
    }
}

// Layer 2 is the second 640 x 480 target: a device that runs out of video
// memory there.
class SecondLayerFails : public RecordingDevice {
public:
    std::unique_ptr<gfx::Texture> createRenderTarget(int width, int height, gfx::TextureFormat format,
                                                     int* result) override {
        if (width == 640 && height == 480 && ++layers == 2) {
            *result = gfx::kOutOfVideoMemory;
            return nullptr;
        }
        return RecordingDevice::createRenderTarget(width, height, format, result);
    }
    int layers = 0;
};

TEST_F(ResourcesFixture, SecondLayerOutOfVideoMemoryWarns) {
    SecondLayerFails failing;
    EXPECT_LT(createGraphicsResources(resources, &failing), 0);
    ASSERT_EQ(gBoxes.size(), 1u);
    EXPECT_EQ(gBoxes[0].text, "レイヤ２：ビデオメモリが不足しております。");
    EXPECT_EQ(gBoxes[0].caption, "警告");
}

TEST_F(ResourcesFixture, MissingPicturesAndBuffersReportMemoryButMeshesFailQuietly) {
    RecordingDevice noPicture;
    noPicture.failingTexturePath = resources::bitmapPath(250);
    EXPECT_LT(createGraphicsResources(resources, &noPicture), 0);
    ASSERT_EQ(gBoxes.size(), 1u);
    EXPECT_EQ(gBoxes[0].text, "メモリが不足しています。");
    EXPECT_EQ(gBoxes[0].caption, "Error");
    EXPECT_EQ(noPicture.texturesLoaded.back(), resources::bitmapPath(250));
    EXPECT_TRUE(noPicture.meshesLoaded.empty());

    gBoxes.clear();
    RecordingDevice noBuffer;
    noBuffer.failVertexBuffer = true;
    EXPECT_LT(createGraphicsResources(resources, &noBuffer), 0);
    ASSERT_EQ(gBoxes.size(), 1u);
    EXPECT_EQ(gBoxes[0].text, "メモリが不足しています。");

    gBoxes.clear();
    RecordingDevice noMesh;
    noMesh.failingMeshPath = resources::meshPath(327);
    EXPECT_LT(createGraphicsResources(resources, &noMesh), 0);
    EXPECT_TRUE(gBoxes.empty());
    EXPECT_EQ(noMesh.meshesLoaded, (std::vector<std::string>{"Res/Xfile_329.x", "Res/Xfile_327.x"}));

    EXPECT_LT(createGraphicsResources(resources, nullptr), 0);
    EXPECT_TRUE(gBoxes.empty());
}

TEST_F(ResourcesFixture, ReleaseEmptiesEveryMemberAndTwiceIsHarmless) {
    ASSERT_EQ(createGraphicsResources(resources, &device), 0);
    releaseGraphicsResources(resources);
    releaseGraphicsResources(resources);
    EXPECT_FALSE(resources.sprite);
    EXPECT_FALSE(resources.quadVertices);
    EXPECT_FALSE(resources.cameraTrack);
    EXPECT_FALSE(resources.layer1Target);
    EXPECT_FALSE(resources.newsTarget);
    EXPECT_FALSE(resources.effectMesh);
    for (const auto& sheet : resources.spriteSheets) EXPECT_FALSE(sheet);
    for (const auto& sheet : resources.cardSheets) EXPECT_FALSE(sheet);
    EXPECT_FALSE(resources.titleNamePlate);
    // Creating again over a full set starts clean.
    ASSERT_EQ(createGraphicsResources(resources, &device), 0);
    ASSERT_EQ(createGraphicsResources(resources, &device), 0);
    EXPECT_TRUE(resources.titleNamePlate);
}

}  // namespace
