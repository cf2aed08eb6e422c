#pragma once

#include <algorithm>
#include <cstdint>

// The one random source of a program. Values are uniform in [0, 1) with
// 24 bits of precision, like a single-precision draw.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float next() = 0;
    // Mixes the clock into the current state; never replaces it, so two
    // reseeds within one clock tick still lead to different draws.
    virtual void reseedFromClock() = 0;
};

// xoshiro128+ seeded through splitmix64: fast, and the same seed gives the
// same values on every machine and build.
class XoshiroRandom final : public RandomSource {
public:
    explicit XoshiroRandom(std::uint64_t seed);
    static XoshiroRandom fromClock();

    float next() override { return static_cast<float>(nextBits()) * 0x1.0p-24f; }

    // The 24 bits behind next(): next() == nextBits() / 2^24 exactly, so
    // floor(next() * m) == (nextBits() * m) >> 24 for every m below 2^29.
    std::uint32_t nextBits()
    {
        const std::uint32_t result = state_[0] + state_[3];
        const std::uint32_t t = state_[1] << 9;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = (state_[3] << 11) | (state_[3] >> 21);
        return result >> 8;
    }
    void reseedFromClock() override;

private:
    void seed(std::uint64_t value);
    std::uint32_t state_[4];
};

// Uniform pick among m items counting from 0: floor(r * m), computed in
// double precision and clamped so that no draw can leave the table.
inline int pickIndex(float r, int m)
{
    return std::clamp(static_cast<int>(static_cast<double>(r) * m), 0, m - 1);
}
