#pragma once

#include "engine/RandomSource.h"

#include <QtTest/QTest>
#include <initializer_list>
#include <utility>
#include <vector>

// A random source that returns the values it was given, in order, and counts
// draws and reseeds. Running out of values fails the test at once, naming the
// draw, instead of inventing numbers.
class ScriptedRandom final : public RandomSource {
public:
    struct ScriptExhausted {};

    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> values) : values_(values) {}
    explicit ScriptedRandom(std::vector<float> values) : values_(std::move(values)) {}

    void push(std::initializer_list<float> values) { values_.insert(values_.end(), values); }
    void push(float value) { values_.push_back(value); }

    float next() override
    {
        if (position_ >= values_.size()) {
            // Fail at once and unwind: a loop fed made-up values can run away.
            exhausted_ = true;
            const QByteArray what = "ScriptedRandom ran out of values at draw " + QByteArray::number(qulonglong(position_ + 1));
            QTest::qFail(what.constData(), __FILE__, __LINE__);
            throw ScriptExhausted{};
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
