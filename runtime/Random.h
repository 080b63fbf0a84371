#pragma once
// The one source of random numbers. Seeding it makes a whole run repeatable.

#include <cstdint>

namespace rt {

// A float in [0, 1).
double random();
// An int in [0, bound); 0 when bound <= 0.
int randomInt(int bound);
void seedRandom(std::uint64_t seed);

}  // namespace rt
