// A 3-vector multiplied by a 3 x 3 matrix stored row by row: the turn about
// the vertical axis of the orbit camera, the sparks of a weapon skill and
// the boat race's chase camera.
#pragma once

// out[i] = m[3i] * v[0] + m[3i + 1] * v[1] + m[3i + 2] * v[2]. Reads v and m,
// writes only out (out must not be v). Returns v, which callers ignore.
const float* transformByMatrix3(float out[3], const float v[3], const float m[9]);
