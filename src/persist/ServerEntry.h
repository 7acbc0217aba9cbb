#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>

namespace persist {

// A server as the server box lists it: cut or padded with blanks on the right
// to exactly 15 characters.
inline QString serverEntry(QStringView text)
{
    constexpr qsizetype kLength = 15;
    // Made at its final size: a list of thousands is read at start-up.
    QString entry(kLength, QLatin1Char(' '));
    std::copy_n(text.begin(), std::min(text.size(), kLength), entry.begin());
    return entry;
}

} // namespace persist
