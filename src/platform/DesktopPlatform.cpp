#include "DesktopPlatform.h"

#include "ProgramIdentity.h"

#include <QMessageBox>

#include <cstdlib>

namespace platform {

void DesktopPlatform::showMessage(const QString& text, MessageIcon icon)
{
    const auto boxIcon =
        icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon;
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(boxIcon, QLatin1String(identity::kTitle), shown, QMessageBox::Ok);
    box.exec();
}

void DesktopPlatform::endProgram()
{
    // Files are opened and closed within one call, so nothing is left open
    // that ending here could lose.
    std::exit(EXIT_SUCCESS);
}

std::optional<QByteArray> DesktopPlatform::readFile(const QString& name)
{
    return files_.read(name);
}

bool DesktopPlatform::writeFile(const QString& name, const QByteArray& bytes)
{
    return files_.write(name, bytes);
}

bool DesktopPlatform::appendFile(const QString& name, const QByteArray& bytes)
{
    return files_.append(name, bytes);
}

bool DesktopPlatform::fileExists(const QString& name)
{
    return files_.exists(name);
}

} // namespace platform
