#include "ServerAddress.h"

#include <QHostAddress>
#include <QHostInfo>

#include <algorithm>

namespace status {
namespace {

std::optional<quint16> readPort(const QString& text)
{
    // toUInt alone would take a sign or blanks around the digits.
    const bool digitsOnly = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (text.isEmpty() || !digitsOnly || !ok || port < 1 || port > 65535)
        return std::nullopt;
    return static_cast<quint16>(port);
}

// No server answers from the "any" address, the broadcast one or a multicast
// group; the default server list's 0.0.0.0 is a placeholder.
bool isServerAddress(const QHostAddress& address)
{
    return address != QHostAddress(QHostAddress::AnyIPv4) &&
           address != QHostAddress(QHostAddress::Broadcast) &&
           !address.isInSubnet(QHostAddress(QStringLiteral("224.0.0.0")), 4);
}

} // namespace

QString ServerAddress::key() const
{
    return host.toLower() + QLatin1Char(':') + QString::number(port);
}

QHostAddress ipv4Of(const QHostInfo& info)
{
    for (const QHostAddress& address : info.addresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address;
    return {};
}

std::optional<ServerAddress> serverAddress(const QString& entryText, quint16 defaultPort)
{
    const QString text = entryText.trimmed();
    const bool hasBlank =
        std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
    if (text.isEmpty() || hasBlank || text.count(QLatin1Char(':')) > 1)
        return std::nullopt;

    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    ServerAddress address;
    address.port = defaultPort;
    address.host = colon < 0 ? text : text.first(colon);
    if (colon >= 0) {
        const auto port = readPort(text.sliced(colon + 1));
        if (!port)
            return std::nullopt;
        address.port = *port;
    }
    if (address.host.isEmpty())
        return std::nullopt;

    // An IPv4 address in any form the game's resolver takes ("127.1" too) is
    // written in the usual four parts, so an answer's sender compares equal.
    QHostAddress literal;
    if (literal.setAddress(address.host) && literal.protocol() == QHostAddress::IPv4Protocol) {
        if (!isServerAddress(literal))
            return std::nullopt;
        address.host = literal.toString();
    }
    return address;
}

} // namespace status
