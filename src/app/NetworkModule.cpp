#include "NetworkModule.h"

#include "FindServers.h"
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

QObject* loadNetworkModule(const QStringList& folders, const char* withoutIt)
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
        // Both interfaces, or the module is another build's.
        if (qobject_cast<StatusSourceFactory*>(root) && qobject_cast<FindServersFactory*>(root))
            return root;
        why = root ? QStringLiteral("%1 is not this launcher's network module").arg(path)
                   : loader.errorString();
        break;
    }
    qWarning("vortline: %s: %s", withoutIt, qPrintable(why));
    return nullptr;
}

} // namespace app
