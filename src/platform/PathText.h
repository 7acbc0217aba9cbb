#pragma once

#include <QString>

namespace platform {

// The launcher writes its path texts with Windows backslashes; elsewhere the
// native separator stands for each of them.
inline QString nativePathText(QString text)
{
#ifdef Q_OS_WIN
    return text;
#else
    return text.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
}

} // namespace platform
