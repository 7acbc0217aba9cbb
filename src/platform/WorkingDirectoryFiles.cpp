#include "WorkingDirectoryFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace platform {

namespace {

// What was written reaches the disk, or false. Some file systems cannot sync
// at all; what they took is as safe as they can make it.
bool syncToDisk(const QFileDevice& file)
{
#ifdef Q_OS_WIN
    return ::_commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0 || errno == EINVAL || errno == EROFS || errno == ENOTSUP;
#endif
}

// All of `bytes` written, flushed and synced; a full disk may refuse any step.
bool writeWhole(QFileDevice& file, const QByteArray& bytes)
{
    return file.write(bytes) == bytes.size() && file.flush() && syncToDisk(file);
}

} // namespace

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
    // Some Qt versions' commit() renames the temporary file even when its
    // flush or close failed, putting an empty file in place of the old one:
    // the whole of it is checked on disk first, after which closing has
    // nothing left to write. A QSaveFile dropped uncommitted removes it.
    if (!writeWhole(file, bytes))
        return false;
    return file.commit();
}

bool WorkingDirectoryFiles::append(const QString& name, const QByteArray& bytes) const
{
    const QString path = resolve(name);
    const bool existed = QFileInfo::exists(path);
    qint64 oldSize = 0;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
        oldSize = file.size();
        if (writeWhole(file, bytes)) {
            file.close();
            if (file.error() == QFileDevice::NoError)
                return true;
        }
    }
    // Half a line would run into the next one appended, so the file goes
    // back to what it was.
    if (existed)
        QFile::resize(path, oldSize);
    else
        QFile::remove(path);
    return false;
}

bool WorkingDirectoryFiles::exists(const QString& name) const
{
    return QFileInfo(resolve(name)).isFile();
}

} // namespace platform
