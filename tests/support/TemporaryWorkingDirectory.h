#pragma once

#include <QDir>
#include <QTemporaryDir>

// Makes a fresh temporary directory the process's working directory for as
// long as it lives, as the launcher's files are always found there.
class TemporaryWorkingDirectory {
public:
    TemporaryWorkingDirectory()
        : previous_(QDir::currentPath())
    {
        QDir::setCurrent(directory_.path());
    }
    ~TemporaryWorkingDirectory() { QDir::setCurrent(previous_); }
    TemporaryWorkingDirectory(const TemporaryWorkingDirectory&) = delete;
    TemporaryWorkingDirectory& operator=(const TemporaryWorkingDirectory&) = delete;

    QString path() const { return directory_.path(); }
    QString filePath(const QString& name) const { return directory_.filePath(name); }

private:
    QString previous_;
    QTemporaryDir directory_;
};
