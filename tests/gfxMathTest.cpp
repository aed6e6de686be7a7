#include <gtest/gtest.h>

#include "platform/Gfx.h"

namespace {

TEST(GfxMath, FloatColoursFollowTheByteRule) {
    struct Case { float r, g, b, a; gfx::Colour expected; };
    const Case cases[] = {
        {1.0f, 1.0f, 1.0f, 1.0f, 0xFFFFFFFFu},
        {2.0f, -1.0f, 0.0f, 0.8f, 0xCCFF0000u},   // 0.8 * 255 + 0.5 = 204.5 -> 204
        {0.5f, 0.25f, 0.002f, 0.0f, 0x00804001u},  // 128.0, 64.25, 1.01
    };
    for (const Case& c : cases) EXPECT_EQ(gfx::colourFromFloats(c.r, c.g, c.b, c.a), c.expected);
}

TEST(GfxMath, RowVectorsApplyTheLeftMatrixFirst) {
    const gfx::Matrix scaleThenMove = gfx::matrixMultiply(gfx::matrixScaling(2, 2, 2), gfx::matrixTranslation(1, 0, 0));
    const gfx::Vec3 p = gfx::vec3TransformCoord(gfx::Vec3{1, 1, 1}, scaleThenMove);
    EXPECT_FLOAT_EQ(p.x, 3.0f);
    EXPECT_FLOAT_EQ(p.y, 2.0f);
    EXPECT_FLOAT_EQ(p.z, 2.0f);
}

TEST(GfxMath, LeftHandedViewLooksDownPositiveZ) {
    const gfx::Matrix view = gfx::matrixLookAtLH(gfx::Vec3{0, 0, -10}, gfx::Vec3{0, 0, 0}, gfx::Vec3{0, 1, 0});
    const gfx::Vec3 p = gfx::vec3TransformCoord(gfx::Vec3{1, 0, 0}, view);
    EXPECT_NEAR(p.x, 1.0f, 1e-6);   // +x stays to the right
    EXPECT_NEAR(p.z, 10.0f, 1e-6);  // in front of the eye
}

}  // namespace
