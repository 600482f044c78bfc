#include "UnsavedSettings.h"

#include "AppPaths.h"
#include "SmallFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
constexpr qint64 MaxReasonBytes = 4096;
}

bool isSwitchedOff(const QString &path)
{
    const QFileInfo info(path);
    return (info.exists() || info.isSymLink()) && !info.isFile();
}

QString unsavedSettingsMarkerPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u'/' +
           QLatin1String(AppConfigFolderName) + QStringLiteral("/settings-not-saved");
}

bool markSettingsUnsaved(const QString &markerPath, const QString &reason)
{
    if (!QDir().mkpath(QFileInfo(markerPath).absolutePath()))
        return false;
    // Only a regular file of ours is replaced.
    const QFileInfo existing(markerPath);
    if (existing.exists() && (!existing.isFile() || existing.isSymLink()))
        return false;
    QFile marker(markerPath);
    if (!marker.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    marker.write(reason.toUtf8().left(MaxReasonBytes));
    // A failed write leaves an empty marker, which tells all the same.
    return true;
}

bool takeSettingsUnsavedMark(const QString &markerPath, QString *reason)
{
    QByteArray text;
    const SmallFileRead read = readSmallFile(markerPath, MaxReasonBytes, text);
    if (read != SmallFileRead::Whole && read != SmallFileRead::Cut)
        return false;
    if (reason)
        *reason = QString::fromUtf8(text).trimmed();
    QFile::remove(markerPath);
    return true;
}
