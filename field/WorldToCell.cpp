#include "field/WorldToCell.h"

#include <cmath>

#include "field/FieldMap.h"

namespace {

// c*k as the field computes it: the product rounded to a float.
float shearOf(long c) {
    return columnShear(static_cast<double>(c));
}

// True when column c already holds z: z - c*k <= k (float difference, double k).
bool columnReaches(float z, long c) {
    const float rest = z - shearOf(c);
    return static_cast<double>(rest) <= kGridShear;
}

// The smallest c >= 1 with z - c*k <= k. The test is monotonic in c, so we
// start from an estimate and step to the exact answer instead of counting
// up from 1 (a far-away point would otherwise cost a long loop).
long columnAbove(float z) {
    constexpr double kLimit = 1.0e7;  // far beyond any map; keeps the loop short
    double estimate = std::floor(static_cast<double>(z) / kGridShear) - 1.0;
    if (estimate > kLimit) estimate = kLimit;
    long c = estimate < 1.0 ? 1 : static_cast<long>(estimate);
    while (c > 1 && columnReaches(z, c - 1)) --c;
    while (!columnReaches(z, c) && c < static_cast<long>(kLimit) + 4) ++c;
    return c;
}

int clampToInt(long v) {
    return v > 1000000000L ? 1000000000 : static_cast<int>(v);
}

}  // namespace

void worldToCell(const float pos[3], int out[3]) {
    const float x = pos[0];
    const float z = pos[2];
    out[1] = 0;
    // A point that is not a number lies nowhere on the grid: outside, below it.
    if (std::isnan(x) || std::isnan(z)) {
        out[0] = -1;
        out[2] = -1;
        return;
    }

    long column;
    float xr = x;
    float zr = z;
    if (z < 0.0f) {
        column = -1;
    } else if (static_cast<double>(z) <= kGridShear) {
        column = 0;
    } else {
        column = columnAbove(z);
        const float shear = shearOf(column);
        xr = x - shear;
        zr = z - shear;
    }

    // Whole units of the remaining x: subtracting 1 from a float below 2^24
    // is exact, so counting the subtractions is the same as this ceiling.
    long n = 0;
    if (xr > 1.0f) {
        const double whole = std::ceil(static_cast<double>(xr) - 1.0);
        n = whole > 2.0e9 ? 2000000000L : static_cast<long>(whole);
        xr = static_cast<float>(static_cast<double>(xr) - static_cast<double>(n));
    }
    const long row = xr < zr ? n - 1 : n;

    out[0] = clampToInt(row);
    out[2] = clampToInt(column);
}
