#include "NetworkModule.h"

#include "StatusSource.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace app {

QStringList networkModuleFolders()
{
    const QDir program(QCoreApplication::applicationDirPath());
    return {QDir::cleanPath(program.filePath(QStringLiteral(VORTLINE_NETWORK_MODULE_DIR))),
            program.path()};
}

StatusSourceFactory* loadStatusSourceFactory(const QStringList& folders)
{
    const QString fileName = QStringLiteral(VORTLINE_NETWORK_MODULE_FILE);
    QString why =
        QStringLiteral("%1 is in none of %2").arg(fileName, folders.join(QLatin1String(", ")));
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(fileName);
        if (!QFileInfo::exists(path))
            continue;
        QPluginLoader loader(path);
        QObject* root = loader.instance();
        if (auto* factory = qobject_cast<StatusSourceFactory*>(root))
            return factory;
        why = root ? QStringLiteral("%1 is not this launcher's network module").arg(path)
                   : loader.errorString();
        break;
    }
    qWarning("vortline: the servers' status cannot be shown: %s", qPrintable(why));
    return nullptr;
}

} // namespace app
