#pragma once

#include "engine/RandomSource.h"

#include <QtTest/QTest>
#include <initializer_list>
#include <utility>
#include <vector>

// A random source that returns the values it was given, in order, and counts
// draws and reseeds. Running out of values fails the test instead of
// inventing numbers.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> values) : values_(values) {}
    explicit ScriptedRandom(std::vector<float> values) : values_(std::move(values)) {}

    void push(std::initializer_list<float> values) { values_.insert(values_.end(), values); }
    void push(float value) { values_.push_back(value); }

    float next() override
    {
        if (position_ >= values_.size()) {
            exhausted_ = true;
            QTest::qFail("ScriptedRandom ran out of values", __FILE__, __LINE__);
            return 0.0f;
        }
        return values_[position_++];
    }
    void reseedFromClock() override { ++reseeds_; }

    std::size_t draws() const { return position_; }
    std::size_t remaining() const { return values_.size() - position_; }
    int reseeds() const { return reseeds_; }
    bool exhausted() const { return exhausted_; }

    // The value whose pick among m items (floor(r * m)) is index k.
    static float pick(int k, int m) { return (float(k) + 0.5f) / float(m); }

private:
    std::vector<float> values_;
    std::size_t position_ = 0;
    int reseeds_ = 0;
    bool exhausted_ = false;
};
