#include "TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace platform {
namespace {

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::optional<QString> decodeUtf8(QByteArrayView bytes)
{
    // A mark inside the file belongs to the text: only the file's own first
    // one is taken off, by takeByteOrderMark.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

std::optional<QByteArray> encodeText(const QString& text)
{
#ifdef Q_OS_WIN
    QStringEncoder encoder(QStringEncoder::System);
    QByteArray bytes = encoder.encode(text);
    // The code page puts a stand-in where it lacks a character; the text
    // read back then differs.
    if (encoder.hasError() || QStringDecoder(QStringDecoder::System).decode(bytes) != text)
        return std::nullopt;
#else
    QByteArray bytes = text.toUtf8();
    // A lone half of a surrogate pair, which a paste may bring, has no UTF-8.
    if (decodeUtf8(bytes) != text)
        return std::nullopt;
#endif
    return bytes;
}

FileEncoding takeByteOrderMark(QByteArray& bytes)
{
    if (!bytes.startsWith(kByteOrderMark))
        return FileEncoding::System;
    bytes.remove(0, kByteOrderMark.size());
    return FileEncoding::Utf8;
}

QString decodeText(QByteArrayView bytes, FileEncoding encoding)
{
    // Most texts are addresses and names in ASCII, which every encoding here
    // reads alike, and Latin-1 reads fastest.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
#ifdef Q_OS_WIN
    if (encoding == FileEncoding::System)
        return QStringDecoder(QStringDecoder::System).decode(bytes);
#else
    Q_UNUSED(encoding);
#endif
    return decodeUtf8(bytes).value_or(QString::fromLatin1(bytes));
}

} // namespace platform
