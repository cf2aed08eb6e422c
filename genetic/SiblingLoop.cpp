#include "genetic/SiblingLoop.h"

#include "engine/CaseShaping.h"
#include "engine/NumberText.h"
#include "engine/VarnockError.h"
#include "genetic/Mutate.h"
#include "shell/SettingsStore.h"
#include "shell/VarnockSettings.h"

#include <algorithm>
#include <cmath>

namespace {
// A run stops trying when this many characters were mutated in vain in a
// row. Ordinary words never come near it (millions of attempts for a
// six-letter word), but a parent of thousands of characters with a single
// letter would otherwise keep the window frozen for minutes.
constexpr double FailedWorkBudget = 50'000'000.0;
constexpr int MinFailedAttempts = 10'000;

const QString NoLettersMessage = QStringLiteral(
    "The parent word has no vowel or consonant that could mutate, so no sibling can differ from it.");
const QString NoMutationsMessage = QStringLiteral(
    "The number of mutations is 0 or less, so no sibling can differ from the parent. "
    "Set a number of mutations from 1 to 50.");
const QString MutationsRangeMessage = QStringLiteral(
    "The stored number of mutations is out of range. Set a number of mutations from 1 to 50.");
} // namespace

double geneticWordCountSetting(const SettingsStore &settings)
{
    // A stored value past 32 bits falls back to the key's default.
    const double count = leadingNumber(settings.get(VarnockSettings::HowManyGenetic));
    return std::fabs(count) < 2147483648.0 ? count : leadingNumber(VarnockSettings::HowManyGenetic.defaultText());
}

int mutationsSetting(const SettingsStore &settings)
{
    return roundToInt16(leadingNumber(settings.get(VarnockSettings::Mutations)));
}

SiblingRunResult breedSiblings(const QString &Parent,
                               const std::function<double()> &WantedCount,
                               const std::function<int()> &Mutations,
                               RandomSource &random,
                               const std::function<void(const QString &)> &Append)
{
    SiblingRunResult result;
    const int firstMutations = Mutations();
    if (firstMutations <= 0 || !canMutate(Parent)) {
        result.outcome = SiblingRunResult::Outcome::Refused;
        result.message = firstMutations <= 0 ? NoMutationsMessage : NoLettersMessage;
        return result;
    }

    const QString parentLower = Parent.toLower();
    const qsizetype length = Parent.size();
    const double maxFailures =
        std::max<double>(MinFailedAttempts, FailedWorkBudget / double(std::max<qsizetype>(length, 1)));
    double failures = 0;
    while (result.bred < MaxSiblingsPerRun && WantedCount() > result.bred) {
        const int mutations = Mutations();
        if (mutations <= 0) {
            result.outcome = SiblingRunResult::Outcome::Refused;
            result.message = NoMutationsMessage;
            return result;
        }
        const QString sibling = ProperCase(Mutate(Parent, mutations, random));
        if (sibling.toLower() != parentLower) {
            Append(sibling);
            ++result.bred;
            failures = 0;
        } else if (++failures >= maxFailures) {
            result.outcome = SiblingRunResult::Outcome::GaveUp;
            result.message = QStringLiteral("No sibling that differs from the parent turned up after %1 attempts; "
                                            "try more mutations or a shorter parent.")
                                 .arg(qint64(failures));
            return result;
        }
    }
    return result;
}

SiblingRunResult breedSiblings(const QString &Parent, const SettingsStore &settings, RandomSource &random,
                               const std::function<void(const QString &)> &Append)
{
    bool outOfRange = false;
    auto mutations = [&]() {
        try {
            return mutationsSetting(settings);
        } catch (const VarnockError &) {
            outOfRange = true;
            return 0;
        }
    };
    SiblingRunResult result = breedSiblings(
        Parent, [&]() { return geneticWordCountSetting(settings); }, mutations, random, Append);
    if (outOfRange && result.outcome == SiblingRunResult::Outcome::Refused)
        result.message = MutationsRangeMessage;
    return result;
}
