// The process-wide pseudo-random generator, seeded once from the clock at start-up.
#pragma once
#include <cstdint>

namespace velmora {

void SeedRandom(std::uint32_t seed);
// A number from 0 to range - 1 (0 when range is 0 or less).
int Random(int range);

}  // namespace velmora
