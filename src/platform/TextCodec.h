#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace platform {

// The launcher's text files hold one byte per character: the ANSI code page
// on Windows, Latin-1 elsewhere. A character the code page lacks becomes "?".
QByteArray encodeText(const QString& text);
QString decodeText(QByteArrayView bytes);

} // namespace platform
