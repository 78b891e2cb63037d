#include "platform/Random.h"

#include <random>

namespace platform {

float Rnd() {
    static std::minstd_rand generator;
    // 24 bits, so that the float holds the draw exactly and never rounds up to 1.
    const auto bits = static_cast<unsigned>(generator() >> 7) & 0xFFFFFFu;
    return static_cast<float>(bits) / 16777216.0f;
}

}  // namespace platform
