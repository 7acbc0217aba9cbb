#include "FakePlatform.h"

namespace platform {

StartResult FakePlatform::runCommandLine(const QString& commandLine, WindowStyle style)
{
    log.append(QStringLiteral("run"));
    runs.append({commandLine, QString(), QString(), style});
    return starts ? starts->runCommandLine(commandLine, style) : givenStart();
}

StartResult FakePlatform::runProgram(const QString& program, const QString& arguments,
                                     WindowStyle style)
{
    log.append(QStringLiteral("run"));
    runs.append({program + QLatin1Char(' ') + arguments, program, arguments, style});
    return starts ? starts->runProgram(program, arguments, style) : givenStart();
}

StartResult FakePlatform::givenStart() const
{
    return failRuns ? StartResult::failure(failReason) : StartResult::success();
}

void FakePlatform::showMessage(const QString& text, MessageIcon icon)
{
    log.append(QStringLiteral("message"));
    messages.append({text, icon});
}

void FakePlatform::endProgram()
{
    log.append(QStringLiteral("end"));
    ++endCount;
}

std::optional<QByteArray> FakePlatform::readFile(const QString& name)
{
    return files_.read(name);
}

bool FakePlatform::writeFile(const QString& name, const QByteArray& bytes)
{
    log.append(QStringLiteral("write ") + name);
    return acceptsWrite(name) && files_.write(name, bytes);
}

bool FakePlatform::appendFile(const QString& name, const QByteArray& bytes)
{
    log.append(QStringLiteral("append ") + name);
    return acceptsWrite(name) && files_.append(name, bytes);
}

bool FakePlatform::acceptsWrite(const QString& name)
{
    ++writes_;
    return writes_ != fullDiskAt && !unwritable_.contains(name.toLower());
}

bool FakePlatform::fileExists(const QString& name)
{
    return files_.exists(name);
}

std::optional<RegistryValue> FakePlatform::readRegistryValue(std::uint32_t root,
                                                             const QString& keyName,
                                                             const QString& valueName)
{
    log.append(QStringLiteral("registry ") + keyName + QLatin1Char('\\') + valueName);
    const auto found = registry_.constFind(registryPath(root, keyName, valueName));
    if (found == registry_.constEnd())
        return std::nullopt;
    return *found;
}

void FakePlatform::setRegistryValue(std::uint32_t root, const QString& keyName,
                                    const QString& valueName, const RegistryValue& value)
{
    registry_.insert(registryPath(root, keyName, valueName), value);
}

QString FakePlatform::registryPath(std::uint32_t root, const QString& keyName,
                                   const QString& valueName)
{
    return (QString::number(root) + QLatin1Char('\\') + keyName + QLatin1Char('\\') + valueName)
        .toLower();
}

} // namespace platform
