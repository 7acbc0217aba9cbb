#pragma once

#include <QString>

namespace persist {

// A server as the server box lists it: cut or padded with blanks on the right
// to exactly 15 characters.
inline QString serverEntry(const QString& text)
{
    constexpr qsizetype kLength = 15;
    return text.left(kLength).leftJustified(kLength, QLatin1Char(' '));
}

} // namespace persist
