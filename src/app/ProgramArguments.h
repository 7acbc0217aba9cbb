#pragma once

#include <QString>
#include <QStringList>

namespace app {

// What the program's command line asks for. Without arguments the launcher
// opens its window; the two informational options answer and end, as
// packaged programs do; anything else is refused.
struct ArgumentsAnswer {
    bool opensWindow = true;
    int exitStatus = 0;
    QString standardOutput;
    QString standardError;
};

// `arguments` excludes the program's own name.
ArgumentsAnswer answerArguments(const QStringList& arguments);

} // namespace app
