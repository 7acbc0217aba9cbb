#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

namespace status {

// A stretch of a name drawn in one of the game's eight colours (0 black,
// 1 red, 2 green, 3 yellow, 4 blue, 5 cyan, 6 magenta, 7 white), or in the
// default colour (-1) before any code.
struct ColouredRun {
    int colour = -1;
    QString text;
};

// The runs a name is drawn in, as the game draws it: "^" and any character
// but "^" or the end sets the colour ((character - '0') & 7) and is not
// drawn; any other "^" is drawn. Bytes are UTF-8 where valid, else Latin-1.
std::vector<ColouredRun> colouredRuns(QByteArrayView name);

// The name as drawn, without its colour codes.
QString plainText(QByteArrayView name);

} // namespace status
