#include "ChildStart.h"

#include "FloorWindow.h"
#include "PaintedWindow.h"
#include "app/Form1.h"
#include "persist/ServerListFile.h"
#include "platform/NativePlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace {

constexpr char kChildFlag[] = "--start-child";

long peakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    // Files under /proc have no size, so they are read until a line comes back empty.
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

ChildStart runInChild(ChildTask task, const QString& folder)
{
    QProcess child;
    child.setWorkingDirectory(folder);
    child.start(QCoreApplication::applicationFilePath(),
                {QLatin1String(kChildFlag), QString::number(int(task))});
    if (!child.waitForFinished(60'000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        throw std::runtime_error("a measured child failed: " +
                                 child.readAllStandardError().toStdString());
    const QList<QByteArray> figures = child.readAllStandardOutput().simplified().split(' ');
    if (figures.size() != 2)
        throw std::runtime_error("a measured child reported nothing");
    return {figures[0].toDouble(), figures[1].toLong()};
}

std::optional<int> runAsChild(int argc, char* argv[])
{
    if (argc != 3 || std::strcmp(argv[1], kChildFlag) != 0)
        return std::nullopt;
    const auto task = ChildTask(std::atoi(argv[2]));
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    const auto platform = platform::createNativePlatform();

    const auto started = std::chrono::steady_clock::now();
    std::unique_ptr<QWidget> window;
    switch (task) {
    case ChildTask::LauncherWindow:
        window = std::make_unique<app::Form1>(*platform);
        break;
    case ChildTask::FloorWindow:
        window = std::make_unique<FloorWindow>();
        break;
    case ChildTask::FloorWindowInDesignFonts:
        window = std::make_unique<FloorWindow>(FloorWindow::Fonts::Design);
        break;
    case ChildTask::ServerListRead:
        if (!persist::readServerListFile(*platform))
            return 1;
        break;
    }
    if (window)
        showAndWaitForPaint(*window);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;

    std::printf("%.9f %ld\n", seconds.count(), peakResidentKiB());
    return 0;
}
