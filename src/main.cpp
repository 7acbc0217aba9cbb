#include "app/Form1.h"
#include "platform/NativePlatform.h"

#include <QApplication>

int main(int, char* argv[])
{
    // The launcher takes no arguments, so none reach Qt either.
    int argumentCount = 1;
    char* arguments[] = {argv[0], nullptr};
    QApplication application(argumentCount, arguments);

    const auto platform = platform::createNativePlatform();
    app::Form1 window(*platform);
    window.show();
    return application.exec();
}
