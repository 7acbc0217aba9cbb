#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The first `count` bytes of a file, fewer when it is shorter, and none when
// it cannot be read.
QByteArray fileHead(const QString& path, qint64 count);

} // namespace platform
