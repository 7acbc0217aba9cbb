#include "ChildStart.h"

#include "BenchFolders.h"
#include "PlainServerList.h"
#include "persist/ServerListFile.h"
#include "platform/NativePlatform.h"

#include <QCoreApplication>
#include <QProcess>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

constexpr char kChildFlag[] = "--start-child";

} // namespace

double runInChild(ChildTask task, const QString& folder)
{
    QProcess child;
    child.setWorkingDirectory(folder);
    child.start(QCoreApplication::applicationFilePath(),
                {QLatin1String(kChildFlag), QString::number(int(task))});
    if (!child.waitForFinished(60'000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        throw std::runtime_error("a measured child failed: " +
                                 child.readAllStandardError().toStdString());
    bool reported = false;
    const double seconds = child.readAllStandardOutput().trimmed().toDouble(&reported);
    if (!reported)
        throw std::runtime_error("a measured child reported nothing");
    return seconds;
}

std::optional<int> runAsChild(int argc, char* argv[])
{
    if (argc != 3 || std::strcmp(argv[1], kChildFlag) != 0)
        return std::nullopt;
    const auto task = ChildTask(std::atoi(argv[2]));
    int qtArgc = 1;
    QCoreApplication application(qtArgc, argv);
    const auto platform = platform::createNativePlatform();

    const auto started = std::chrono::steady_clock::now();
    switch (task) {
    case ChildTask::ServerListRead:
        if (!persist::readServerListFile(*platform))
            return 1;
        break;
    case ChildTask::PlainServerListRead:
        if (readLinesPlainly(BenchFolders::kServerListFile).empty())
            return 1;
        break;
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
    std::printf("%.9f\n", seconds.count());
    return 0;
}
