#pragma once
#include "engine/RandomSource.h"
#include <QtTest/QTest>
#include <vector>
// Returns the values it was given, in order, and counts reseeds. Running out fails the test at once,
// naming the draw, and unwinds: a loop fed made-up values can run away.
class ScriptedRandom final : public RandomSource {
    std::vector<float> values_;
    std::size_t position_ = 0, reseeds_ = 0;
public:
    struct ScriptExhausted {};
    ScriptedRandom(std::initializer_list<float> values = {}) : values_(values) {}
    explicit ScriptedRandom(std::vector<float> values) : values_(std::move(values)) {}
    float next() override
    {
        if (position_ == values_.size()) {
            QTest::qFail(("ScriptedRandom ran out of values at draw " + std::to_string(position_ + 1)).c_str(), __FILE__, __LINE__);
            throw ScriptExhausted{};
        }
        return values_[position_++];
    }
    void reseedFromClock() override { ++reseeds_; }
    std::size_t remaining() const { return values_.size() - position_; }
    int reseeds() const { return int(reseeds_); }
    // The value whose pick among m items (floor(r * m)) is index k.
    static float pick(int k, int m) { return (float(k) + 0.5f) / float(m); }
};
