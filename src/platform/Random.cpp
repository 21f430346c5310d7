#include "platform/Random.h"

#include <chrono>
#include <cmath>
#include <random>

namespace platform {

namespace {
struct Generator
{
    std::mt19937_64 engine{0x5EEDu};
    std::uint64_t draws = 0;
};

Generator &gen()
{
    static Generator g;
    return g;
}
} // namespace

void Randomize()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    gen().engine.seed(static_cast<std::uint64_t>(now));
}

void seedRandom(std::uint64_t seed)
{
    gen().engine.seed(seed);
}

double Rnd()
{
    ++gen().draws;
    // 53 random bits over 2^53: exactly representable, strictly below 1.
    return double(gen().engine() >> 11) * (1.0 / 9007199254740992.0);
}

int drawIndex(int n)
{
    if (n <= 0)
        return 0;
    const int k = int(std::floor(Rnd() * n));
    return k < n ? k : n - 1;
}

std::uint64_t randomDrawCount()
{
    return gen().draws;
}

} // namespace platform
