#include "platform/GfxMath.h"

#include <cmath>

#include "platform/Gfx.h"

namespace gfx {

Colour colourFromFloats(float r, float g, float b, float a) {
    auto byte = [](float c) -> Colour {
        if (c >= 1.0f) return 255;
        if (c <= 0.0f) return 0;
        // In double: 0.9f gives 229 and 0.7f gives 0xB2, as the game's colours
        // were made (single-precision products would round 229.49999 up).
        return static_cast<Colour>(static_cast<double>(c) * 255.0 + 0.5);
    };
    return (byte(a) << 24) | (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

void setDefaultRenderStates(std::uint32_t (&states)[kRsCount]) {
    for (std::uint32_t& s : states) s = 0;
    states[kRsZEnable] = 1;
    states[kRsFillMode] = 3;
    states[kRsZWriteEnable] = 1;
    states[kRsSrcBlend] = kBlendOne;
    states[kRsDestBlend] = kBlendZero;
    states[kRsCullMode] = kCullCounterClockwise;
    states[kRsZFunc] = kCmpLessEqual;
    states[kRsAlphaFunc] = kCmpAlways;
    states[kRsTextureFactor] = 0xFFFFFFFFu;
    states[kRsLighting] = 1;
    states[kRsColorVertex] = 1;
}

Matrix matrixIdentity() {
    Matrix r{};
    for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
    return r;
}

Matrix matrixMultiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    }
    return r;
}

Matrix matrixScaling(float sx, float sy, float sz) {
    Matrix r = matrixIdentity();
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    return r;
}

Matrix matrixTranslation(float x, float y, float z) {
    Matrix r = matrixIdentity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

Matrix matrixRotationX(float radians) {
    Matrix r = matrixIdentity();
    const float c = std::cos(radians), s = std::sin(radians);
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

Matrix matrixRotationY(float radians) {
    Matrix r = matrixIdentity();
    const float c = std::cos(radians), s = std::sin(radians);
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

Matrix matrixRotationZ(float radians) {
    Matrix r = matrixIdentity();
    const float c = std::cos(radians), s = std::sin(radians);
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Vec3 vec3Normalize(const Vec3& v) {
    const float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (len == 0.0f) return Vec3{0.0f, 0.0f, 0.0f};
    return Vec3{v.x / len, v.y / len, v.z / len};
}

Vec3 vec3Cross(const Vec3& a, const Vec3& b) {
    return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float vec3Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Matrix matrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up) {
    const Vec3 zaxis = vec3Normalize(Vec3{at.x - eye.x, at.y - eye.y, at.z - eye.z});
    const Vec3 xaxis = vec3Normalize(vec3Cross(up, zaxis));
    const Vec3 yaxis = vec3Cross(zaxis, xaxis);
    Matrix r = matrixIdentity();
    r.m[0][0] = xaxis.x; r.m[0][1] = yaxis.x; r.m[0][2] = zaxis.x;
    r.m[1][0] = xaxis.y; r.m[1][1] = yaxis.y; r.m[1][2] = zaxis.y;
    r.m[2][0] = xaxis.z; r.m[2][1] = yaxis.z; r.m[2][2] = zaxis.z;
    r.m[3][0] = -vec3Dot(xaxis, eye);
    r.m[3][1] = -vec3Dot(yaxis, eye);
    r.m[3][2] = -vec3Dot(zaxis, eye);
    return r;
}

Matrix matrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    const float xScale = yScale / aspect;
    Matrix r{};
    r.m[0][0] = xScale;
    r.m[1][1] = yScale;
    r.m[2][2] = zFar / (zFar - zNear);
    r.m[2][3] = 1.0f;
    r.m[3][2] = -zNear * zFar / (zFar - zNear);
    return r;
}

Matrix matrixOrthoLH(float width, float height, float zNear, float zFar) {
    Matrix r = matrixIdentity();
    r.m[0][0] = 2.0f / width;
    r.m[1][1] = 2.0f / height;
    r.m[2][2] = 1.0f / (zFar - zNear);
    r.m[3][2] = zNear / (zNear - zFar);
    return r;
}

Vec3 vec3TransformCoord(const Vec3& v, const Matrix& m) {
    const float x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
    const float y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
    const float z = v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2];
    const float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
    if (w == 0.0f) return Vec3{x, y, z};
    return Vec3{x / w, y / w, z / w};
}

}  // namespace gfx
