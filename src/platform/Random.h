#pragma once

namespace platform {

// The next number of the program's pseudo-random generator, 0 <= r < 1. The generator is never
// seeded, so every run draws the same sequence.
float Rnd();

}  // namespace platform
