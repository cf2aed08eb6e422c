#pragma once

#include <QString>

// The number of words of a file-driven run, from the "HowMany" setting: its
// leading number rounded half to even into the 16-bit count. Throws
// VarnockError Overflow when it does not fit, SubscriptOutOfRange when it
// is negative.
qint16 fileRunCount(const QString &howMany);
