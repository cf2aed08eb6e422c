#pragma once
#include "engine/RandomSource.h"
// Deterministic draws spread over [0, 1), for runs that need many values but
// no particular ones (the fuzz targets).
class CyclingRandom final : public RandomSource {
    std::uint32_t step_ = 1;
public:
    float next() override { return float((step_ = step_ * 1103515245u + 12345u) >> 8) * 0x1.0p-24f; }
    void reseedFromClock() override {}
};
