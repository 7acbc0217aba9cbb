#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace platform {

// The launcher's text files are in the system's encoding: the ANSI code page
// on Windows, UTF-8 elsewhere. Nothing when the text holds a character that
// encoding cannot, as a "?" in its place would come back as another text.
std::optional<QByteArray> encodeText(const QString& text);

// How a file's texts are read. Files written before the launcher wrote UTF-8
// hold Latin-1, so elsewhere than on Windows a text that is not valid UTF-8
// reads as Latin-1, exactly as it always did.
enum class FileEncoding { System, Utf8 };

// A UTF-8 byte-order mark, which some editors put first, is no part of the
// file's first text: it is taken off, and marks the file as UTF-8.
FileEncoding takeByteOrderMark(QByteArray& bytes);

QString decodeText(QByteArrayView bytes, FileEncoding encoding = FileEncoding::System);

} // namespace platform
