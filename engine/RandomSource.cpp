#include "engine/RandomSource.h"

#include <chrono>

namespace {
std::uint64_t splitmix64(std::uint64_t &x)
{
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t clockTicks()
{
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}
} // namespace

XoshiroRandom::XoshiroRandom(std::uint64_t seed)
{
    this->seed(seed);
}

XoshiroRandom XoshiroRandom::fromClock()
{
    return XoshiroRandom(clockTicks());
}

void XoshiroRandom::seed(std::uint64_t value)
{
    std::uint64_t x = value;
    const std::uint64_t a = splitmix64(x);
    const std::uint64_t b = splitmix64(x);
    state_[0] = static_cast<std::uint32_t>(a);
    state_[1] = static_cast<std::uint32_t>(a >> 32);
    state_[2] = static_cast<std::uint32_t>(b);
    state_[3] = static_cast<std::uint32_t>(b >> 32);
    // Never all zero, which would repeat forever: splitmix64 gives 0 only
    // for one input, and never twice in a row.
}

void XoshiroRandom::reseedFromClock()
{
    // Fold the whole current state in, so equal clock readings still diverge.
    std::uint64_t mixed = clockTicks();
    mixed ^= (static_cast<std::uint64_t>(state_[0]) << 32 | state_[1]) * 0xD6E8FEB86659FD93ull;
    mixed ^= (static_cast<std::uint64_t>(state_[2]) << 32 | state_[3]);
    seed(mixed);
}
