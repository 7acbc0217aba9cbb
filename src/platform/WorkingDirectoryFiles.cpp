#include "WorkingDirectoryFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

QString WorkingDirectoryFiles::resolve(const QString& name)
{
    const QFileInfo asked(name);
    QDir directory = asked.dir();
    // Every spelling must land on the same file even when several exist on a
    // case-sensitive system, so the choice does not depend on the spelling
    // asked for: the first match in the directory's sorted listing wins.
    const QStringList entries =
        directory.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(asked.fileName(), Qt::CaseInsensitive) == 0)
            return asked.path() == QLatin1String(".") ? entry : directory.filePath(entry);
    }
    return name;
}

std::optional<QByteArray> WorkingDirectoryFiles::read(const QString& name) const
{
    QFile file(resolve(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool WorkingDirectoryFiles::write(const QString& name, const QByteArray& bytes) const
{
    QSaveFile file(resolve(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool WorkingDirectoryFiles::append(const QString& name, const QByteArray& bytes) const
{
    QFile file(resolve(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    return file.flush() && written;
}

bool WorkingDirectoryFiles::exists(const QString& name) const
{
    return QFileInfo(resolve(name)).isFile();
}

} // namespace platform
