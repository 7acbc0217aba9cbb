#pragma once

#include <QString>
#include <QTest>

#include <unistd.h>

// Root reads and writes whatever the permission bits say, so a permission
// case run as root proves nothing. This runs the current test row again,
// alone and as "nobody", in a child process: empty when that run passed,
// otherwise what went wrong.
QString rerunUnprivileged();

// The rest of a permission case runs unprivileged: here when this run is not
// root, otherwise in the re-run.
#define RUN_UNPRIVILEGED()                                                                         \
    if (::geteuid() == 0) {                                                                        \
        const QString failure = rerunUnprivileged();                                               \
        QVERIFY2(failure.isEmpty(), qPrintable(failure));                                          \
        return;                                                                                    \
    }
