#pragma once

#include "engine/RandomSource.h"

#include <QString>
#include <functional>

class SettingsStore;

// How a breeding run ended.
struct SiblingRunResult {
    enum class Outcome {
        Complete, // as many differing siblings as wanted
        Refused,  // no sibling could ever differ from the parent; nothing bred
        GaveUp    // a parent so long that its one mutable letter is almost never hit
    };
    Outcome outcome = Outcome::Complete;
    int bred = 0;    // siblings handed to the caller
    QString message; // for Refused and GaveUp: what to tell the user
};

// The settings the breeding reads: "Options"/"HowManyGenetic" (default 10)
// and "Options"/"Mutations" (default 1, a 16-bit count).
double geneticWordCountSetting(const SettingsStore &settings);
// Throws VarnockError Overflow when the stored value leaves the 16-bit range.
int mutationsSetting(const SettingsStore &settings);

// The sibling counter is 16-bit; a run never breeds more.
inline constexpr int MaxSiblingsPerRun = 32767;

// Breeds siblings of Parent: each is Mutate(Parent) in proper case, kept only
// when it differs from Parent with case ignored. WantedCount is asked again
// before every attempt (the count may change during a run); Mutations is
// asked before every Mutate. Every kept sibling goes to Append in order.
// A parent without a vowel or consonant, or fewer than one mutation, is
// refused at once instead of looping forever.
SiblingRunResult breedSiblings(const QString &Parent,
                               const std::function<double()> &WantedCount,
                               const std::function<int()> &Mutations,
                               RandomSource &random,
                               const std::function<void(const QString &)> &Append);

// The same, reading both counts from the settings store; an out-of-range
// mutation count is refused with a message rather than thrown.
SiblingRunResult breedSiblings(const QString &Parent, const SettingsStore &settings,
                               RandomSource &random,
                               const std::function<void(const QString &)> &Append);
