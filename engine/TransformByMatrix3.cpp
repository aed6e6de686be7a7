#include "engine/TransformByMatrix3.h"

const float* transformByMatrix3(float out[3], const float v[3], const float m[9]) {
    out[0] = m[0] * v[0] + m[1] * v[1] + m[2] * v[2];
    out[1] = m[3] * v[0] + m[4] * v[1] + m[5] * v[2];
    out[2] = m[6] * v[0] + m[7] * v[1] + m[8] * v[2];
    return v;
}
