#include "genetic/GeneticCountDialogs.h"

#include "engine/NumberText.h"
#include "shell/Dialogs.h"
#include "shell/SettingsStore.h"
#include "shell/VarnockSettings.h"

namespace {
struct CountDialog {
    SettingKey key;
    QString prompt;
    QString title;
    int bound;
    QString tooManyMessage;
    QString negativeMessage;
};

int askCount(const CountDialog &d, SettingsStore &settings, Dialogs &dialogs, QWidget *parent)
{
    const QString answer = dialogs.inputBox(parent, d.prompt, d.title, settings.get(d.key));
    const CountAnswer count = readCountAnswer(answer, d.bound);
    if (count.kind == CountAnswer::Negative) {
        // A negative count would make every later breeding run impossible.
        dialogs.message(parent, d.negativeMessage, settings.applicationName(), Dialogs::Icon::Exclamation);
        return 0;
    }
    if (count.kind == CountAnswer::Capped)
        dialogs.message(parent, d.tooManyMessage, settings.applicationName(), Dialogs::Icon::Critical);
    const int n = count.value;
    if (n == 0)
        return 0;
    settings.save(d.key, QString::number(n));
    return n;
}
} // namespace

int askGeneticWordCount(SettingsStore &settings, Dialogs &dialogs, QWidget *parent)
{
    static const CountDialog dialog{
        VarnockSettings::HowManyGenetic,
        QStringLiteral("How many words do you want genetic creator to generate?"),
        QStringLiteral("Enter number of words"),
        500,
        QStringLiteral("Why that many? Words set to 500"),
        QStringLiteral("The number of words cannot be negative. Nothing was changed."),
    };
    return askCount(dialog, settings, dialogs, parent);
}

int askMutationCount(SettingsStore &settings, Dialogs &dialogs, QWidget *parent)
{
    static const CountDialog dialog{
        VarnockSettings::Mutations,
        QStringLiteral("How many mutations do you want per generation?"),
        QStringLiteral("Enter number of mutations"),
        50,
        QStringLiteral("You cannot specify more than 50 mutations (well, you can, but what's the use? "
                       "That would be worse than Chernobyl)."),
        QStringLiteral("The number of mutations cannot be negative. Nothing was changed."),
    };
    return askCount(dialog, settings, dialogs, parent);
}
