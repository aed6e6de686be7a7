// One battle frame through the real OpenGL device, headless: the ground, a
// member and a damage popup on it land where the battle camera projects them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tests/battleFixture.h"
#include "tests/hiddenGlDevice.h"

namespace battletest {
namespace {

using Pixel = std::uint32_t;
constexpr Pixel kGround = 0x30A030;
constexpr Pixel kMember = 0xE02020;
constexpr Pixel kDigit = 0xF0F0F0;

std::unique_ptr<gfx::Texture> solid(gfx::Device* device, int w, int h, Pixel colour) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h, 0xFF000000u | colour);
    return device->createTextureFromPixels(pixels.data(), w, h, gfx::TextureFormat::A8R8G8B8);
}

class BattleGl : public BattleTest {
protected:
    static inline gfx::Device* glDevice = nullptr;
    static inline bool windowOpen = false;
    GraphicsResources gl;
    std::vector<Pixel> image;

    static void SetUpTestSuite() { windowOpen = gltest::openHiddenGlDevice(&glDevice); }
    static void TearDownTestSuite() {
        delete glDevice;
        glDevice = nullptr;
    }
    void SetUp() override {
        BattleTest::SetUp();
        ASSERT_TRUE(windowOpen) << "no hidden window (SDL_VIDEODRIVER=offscreen)";
        ASSERT_NE(glDevice, nullptr) << "no OpenGL device";
        gl.quadVertices = glDevice->createVertexBuffer(4);
        gl.sprite = glDevice->createSprite();
        gl.cameraTrack = std::make_unique<KeyframeTrack>();
        gl.groundTarget = solid(glDevice, 64, 64, kGround);
        gl.spriteSheets[0] = solid(glDevice, 64, 64, kMember);
        gl.digitSheet = solid(glDevice, 64, 64, kDigit);
        gl.layer1Target = glDevice->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
        gl.layer2Target = glDevice->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
        glDevice->setRenderTarget(nullptr);
        glDevice->setRenderState(gfx::kRsLighting, 0);
        glDevice->setRenderState(gfx::kRsCullMode, gfx::kCullNone);
    }
    void drawFrame() {
        gInputCode = kInputNone;
        glDevice->beginScene();
        drawBattleScene(gl, glDevice);
        glDevice->endScene();
        gTestMs += 16;
    }
    Pixel at(float x, float y, float z) const {
        const gfx::Matrix viewProjection = gfx::matrixMultiply(glDevice->transform(gfx::TransformKind::View),
                                                               glDevice->transform(gfx::TransformKind::Projection));
        const gfx::Vec3 ndc = gfx::vec3TransformCoord(gfx::Vec3{x, y, z}, viewProjection);
        const int sx = static_cast<int>((ndc.x + 1.0f) * 0.5f * 640.0f);
        const int sy = static_cast<int>((1.0f - ndc.y) * 0.5f * 480.0f);
        if (sx < 0 || sx >= 640 || sy < 0 || sy >= 480) return 0xDEADBEEF;
        return image[static_cast<std::size_t>(sy) * 640 + sx] & 0xFFFFFF;
    }
};

::testing::AssertionResult near(Pixel actual, Pixel expected, int tolerance = 8) {
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>(actual >> shift & 0xFF), e = static_cast<int>(expected >> shift & 0xFF);
        if (std::abs(a - e) > tolerance)
            return ::testing::AssertionFailure() << std::hex << "pixel 0x" << actual << " is not near 0x" << expected;
    }
    return ::testing::AssertionSuccess();
}

TEST_F(BattleGl, GroundMemberAndPopupStandWhereTheyBelong) {
    gParty[1] = gParty[2] = 0;  // unit 1 alone: character 0, sheet 0
    setUpBattle(kGroupTwoSlimes);
    gEnemyBattlers[1].monster = 0;
    gBattleAction.phase = kPhaseCommand;
    drawFrame();  // the first frame puts the battle's camera on the track
    gTestMs += 400;  // past the glide
    resolveEffect(kSideEnemy, 0, kSideParty, 0, 0, 7, kEffectFixed);
    gDamagePopups[0].timer = 5;  // resting on the ground line: rise 0
    drawFrame();
    ASSERT_TRUE(glDevice->readBackBuffer(image));

    const BattleActor& member = gPartyActors[0];
    EXPECT_TRUE(near(at(2.0f, 0.0f, 18.0f), kGround));
    EXPECT_TRUE(near(at(member.x + 0.3f, 0.9f, member.z), kMember));
    // The popup's first digit stands a little left of the member, in front of it.
    EXPECT_TRUE(near(at(member.x - 0.3f, 0.5f, member.z - 0.1f), kDigit));
}

}  // namespace
}  // namespace battletest
