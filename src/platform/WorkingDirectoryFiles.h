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
    bool write(const QString& name, const QByteArray& bytes) const;
    bool append(const QString& name, const QByteArray& bytes) const;
    bool exists(const QString& name) const;

    // The path an operation on `name` uses: the existing file that matches it
    // without regard to case, or `name` itself when none does.
    static QString resolve(const QString& name);
};

} // namespace platform
