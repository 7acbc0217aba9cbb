#include "FileHead.h"

#include <QFile>

namespace platform {

QByteArray fileHead(const QString& path, qint64 count)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(count);
}

} // namespace platform
