#include "runtime/Random.h"

#include <random>

namespace rt {

namespace {

std::mt19937_64& engine() {
    static std::mt19937_64 gen{std::random_device{}()};
    return gen;
}

}  // namespace

double random() {
    // 53 random bits: uniform over [0, 1) and never 1.
    return static_cast<double>(engine()() >> 11) * 0x1.0p-53;
}

int randomInt(int bound) {
    if (bound <= 0) return 0;
    return static_cast<int>(random() * bound);
}

void seedRandom(std::uint64_t seed) {
    engine().seed(seed);
}

}  // namespace rt
