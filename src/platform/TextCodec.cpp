#include "TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

QByteArray encodeText(const QString& text)
{
#ifdef Q_OS_WIN
    QStringEncoder encoder(QStringEncoder::System);
    return encoder.encode(text);
#else
    return text.toLatin1();
#endif
}

QString decodeText(QByteArrayView bytes)
{
#ifdef Q_OS_WIN
    QStringDecoder decoder(QStringDecoder::System);
    return decoder.decode(bytes);
#else
    return QString::fromLatin1(bytes);
#endif
}

} // namespace platform
