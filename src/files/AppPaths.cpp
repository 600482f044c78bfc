#include "AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

#ifdef Q_OS_WIN
QString windowsFolder()
{
    QString dir = qEnvironmentVariable("WINDIR");
    if (dir.isEmpty())
        dir = QStringLiteral("C:\\Windows");
    if (!dir.endsWith(u'\\') && !dir.endsWith(u'/'))
        dir += u'\\';
    return dir;
}
#else
QString configFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           QLatin1String(AppConfigFolderName) + u'/';
}
#endif

} // namespace

QString settingsFilePath()
{
#ifdef Q_OS_WIN
    return windowsFolder() + QLatin1String(SettingsFileName);
#else
    return configFolder() + QLatin1String(SettingsFileName);
#endif
}

QString snapshotFilePath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\windows\\_") + QLatin1String(SettingsFileName);
#else
    return configFolder() + u'_' + QLatin1String(SettingsFileName);
#endif
}

QString testMarkerFilePath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\") + QLatin1String(TestMarkerFileName);
#else
    return configFolder() + QLatin1String(TestMarkerFileName);
#endif
}

QString ExeDirDataFile(const QString &executablePath)
{
#ifdef Q_OS_WIN
    const qsizetype cut = qMax(executablePath.lastIndexOf(u'\\'), executablePath.lastIndexOf(u'/'));
#else
    const qsizetype cut = executablePath.lastIndexOf(u'/');
#endif
    return executablePath.left(cut + 1) + QStringLiteral("data.ign");
}

QString ProgramFolderDataFile(const QString &executablePath, const QString &dataFolder, bool *usedDataFolder)
{
    const QString beside = ExeDirDataFile(executablePath);
    const QFileInfo folder(QFileInfo(beside).absolutePath());
    const bool writable = folder.isDir() && folder.isWritable();
    if (usedDataFolder)
        *usedDataFolder = !writable;
    return writable ? beside : dataFolder + QStringLiteral("/data.ign");
}

QString programDataFolder()
{
#ifdef Q_OS_WIN
    QString base = qEnvironmentVariable("APPDATA");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/AppData/Roaming");
#else
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    // A relative value is invalid by the XDG rules and is ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
#endif
    return QDir::cleanPath(base + u'/' + QLatin1String(AppConfigFolderName));
}
