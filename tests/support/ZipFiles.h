#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <zip.h>

#include <utility>

// Zip archives for tests, written by libzip as any zip tool would write them
// (names marked UTF-8, entries deflated where that makes them smaller): a
// writer apart from the launcher's reader, minizip, so neither vouches for
// itself. A test that includes this links libzip itself (every test does).
namespace zipfiles {

// (entry name, bytes) in the archive's order; a name ending in "/" is a folder.
using Entries = QList<std::pair<QString, QByteArray>>;

// Writes the archive at path, replacing any file there; false if it could not.
// libzip writes no file for an archive without entries.
inline bool writeZipFile(const QString& path, const Entries& entries)
{
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (archive == nullptr)
        return false;
    for (const auto& [name, bytes] : entries) {
        const QByteArray utf8 = name.toUtf8();
        bool added = false;
        if (name.endsWith(QLatin1Char('/'))) {
            added = zip_dir_add(archive, utf8.constData(), ZIP_FL_ENC_UTF_8) >= 0;
        } else {
            // libzip reads the bytes at zip_close, and `entries` outlives that.
            zip_source_t* source = zip_source_buffer(archive, bytes.constData(),
                                                     static_cast<zip_uint64_t>(bytes.size()), 0);
            added = source != nullptr &&
                    zip_file_add(archive, utf8.constData(), source, ZIP_FL_ENC_UTF_8) >= 0;
            if (!added)
                zip_source_free(source);
        }
        if (!added) {
            zip_discard(archive);
            return false;
        }
    }
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        return false;
    }
    return true;
}

// The bytes of such an archive; empty if it could not be written.
inline QByteArray zipBytes(const Entries& entries)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("archive.zip"));
    QFile file(path);
    if (!directory.isValid() || !writeZipFile(path, entries) || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace zipfiles
