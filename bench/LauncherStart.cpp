// The launcher started as `vortline` starts: this program links what the
// launcher links and nothing else, so the libraries loaded before main() are
// the launcher's own. Reports when main() began and when the window was first
// painted, and the unwanted libraries mapped by then.
#include "MonotonicClock.h"
#include "PaintedWindow.h"
#include "StartReport.h"
#include "UnwantedLibraries.h"
#include "app/Form1.h"
#include "app/ProgramArguments.h"
#include "app/WindowSystemGuard.h"
#include "platform/NativePlatform.h"

#include <QApplication>

int main(int, char* argv[])
{
    const std::int64_t mainAt = monotonicNanoseconds();
    if (!app::answerArguments({}).opensWindow)
        return 1;
    int argumentCount = 1;
    char* qtArguments[] = {argv[0], nullptr};
    const auto application = app::openApplication(argumentCount, qtArguments);

    const auto platform = platform::createNativePlatform();
    app::Form1 window(*platform);
    showAndWaitForPaint(window);
    const std::int64_t windowAt = monotonicNanoseconds();
    reportStartAndExit({mainAt, windowAt, unwantedLibraries(ownMaps())});
}
