#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

// The launcher's files, named without a directory and kept in the process's
// working directory. A name reaches an existing file whatever its letter case;
// a new file is created in the spelling asked for.
class WorkingDirectoryFiles {
public:
    std::optional<QByteArray> read(const QString& name) const;
    // Both store all of `bytes` on disk, or report failure (a full disk, say)
    // and leave the file as it was: write keeps the old file, append cuts the
    // file back to its old length or removes the one it created.
    bool write(const QString& name, const QByteArray& bytes) const;
    bool append(const QString& name, const QByteArray& bytes) const;
    bool exists(const QString& name) const;

    // The path an operation on `name` uses: the existing file that matches it
    // without regard to case, or `name` itself when none does.
    static QString resolve(const QString& name);
};

} // namespace platform
