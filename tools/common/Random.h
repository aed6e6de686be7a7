// A small seeded generator for procedural art: the same seed gives the same
// picture on every build.
#pragma once

#include <cstdint>

namespace pic {

class Random {
public:
    explicit Random(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // 0 <= value < n.
    int below(int n) { return n > 0 ? static_cast<int>(next() % static_cast<std::uint32_t>(n)) : 0; }
    // 0.0 <= value < 1.0.
    double unit() { return (next() >> 8) / 16777216.0; }

private:
    std::uint32_t state_;
};

}  // namespace pic
