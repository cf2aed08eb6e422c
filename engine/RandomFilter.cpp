#include "engine/RandomFilter.h"

QString RandomFilter(RandomSource &random)
{
    // A trimmed draw shorter than 4 letters is replaced by a fresh attempt.
    for (;;) {
        const int length = int(double(random.next()) * 10 + 4);
        random.reseedFromClock();

        QString drawn;
        while (drawn.size() != length)
            drawn.append(random.next() < 0.5f ? u'a' : u'c');

        // Drop every letter that starts a run of three equal ones, so a run
        // of k >= 3 keeps only its last two letters.
        QString trimmed;
        for (qsizetype i = 0; i < drawn.size(); ++i) {
            const QStringView three = QStringView(drawn).mid(i, 3);
            if (three != u"aaa" && three != u"ccc")
                trimmed.append(drawn[i]);
        }
        if (trimmed.size() >= 4)
            return trimmed;
    }
}
