#include "sources/RunCount.h"

#include "engine/NumberText.h"
#include "engine/VarnockError.h"

qint16 fileRunCount(const QString &howMany)
{
    const qint16 count = roundToInt16(leadingNumber(howMany));
    if (count < 0)
        throw VarnockError(ErrorNumber::SubscriptOutOfRange);
    return count;
}
