#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>

namespace persist {

// A server as the server box lists it: padded with blanks on the right to 15
// characters. A longer text, as most addresses with a port are, stays whole.
inline QString serverEntry(QStringView text)
{
    constexpr qsizetype kLength = 15;
    // Made at its final size: a list of thousands is read at start-up.
    QString entry(std::max(text.size(), kLength), QLatin1Char(' '));
    std::copy(text.begin(), text.end(), entry.begin());
    return entry;
}

} // namespace persist
