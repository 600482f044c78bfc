#include "AtomicWrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

bool writeFileAtomically(const QString &path, QByteArrayView data, QString *errorString)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (errorString)
            *errorString = file.errorString();
        return false;
    }
    // A failed write leaves the device in error, and commit() then discards the
    // temporary file instead of renaming it: the old content stays.
    file.write(data.data(), data.size());
    if (file.commit())
        return true;
    if (errorString)
        *errorString = file.errorString();
    return false;
}

bool makeParentFolder(const QString &path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath());
}
