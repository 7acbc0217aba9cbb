#include "app/Form1.h"
#include "app/ProgramArguments.h"
#include "app/WindowSystemGuard.h"
#include "platform/NativePlatform.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const app::ArgumentsAnswer answer = app::answerArguments(arguments);
    if (!answer.opensWindow) {
        std::fputs(answer.standardOutput.toLocal8Bit().constData(), stdout);
        std::fputs(answer.standardError.toLocal8Bit().constData(), stderr);
        return answer.exitStatus;
    }

    // The launcher takes no arguments, so none reach Qt either.
    int argumentCount = 1;
    char* qtArguments[] = {argv[0], nullptr};
    const auto application = app::openApplication(argumentCount, qtArguments);

    const auto platform = platform::createNativePlatform();
    app::Form1 window(*platform);
    window.show();
    return application->exec();
}
