// Vector and matrix helpers of the graphics device: row vectors (v * M),
// left-handed coordinates, single precision. Pure arithmetic, no backend.
#pragma once

namespace gfx {

struct Vec2 {
    float x, y;
};

struct Vec3 {
    float x, y, z;
};

struct Matrix {
    float m[4][4];
};

Matrix matrixIdentity();
// a * b: apply a first, then b (row-vector order).
Matrix matrixMultiply(const Matrix& a, const Matrix& b);
Matrix matrixScaling(float sx, float sy, float sz);
Matrix matrixTranslation(float x, float y, float z);
Matrix matrixRotationX(float radians);
Matrix matrixRotationY(float radians);
Matrix matrixRotationZ(float radians);
Matrix matrixLookAtLH(const Vec3& eye, const Vec3& at, const Vec3& up);
Matrix matrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
Matrix matrixOrthoLH(float width, float height, float zNear, float zFar);

Vec3 vec3Normalize(const Vec3& v);  // a zero vector stays zero
Vec3 vec3Cross(const Vec3& a, const Vec3& b);
float vec3Dot(const Vec3& a, const Vec3& b);
// v * M as a point (w = 1), divided by the resulting w when it is not 0.
Vec3 vec3TransformCoord(const Vec3& v, const Matrix& m);

}  // namespace gfx
