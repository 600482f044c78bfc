#include "AtomicWrite.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

bool writeFileAtomically(const QString &path, QByteArrayView data, QString *errorString)
{
    QSaveFile file(path);
    // Unbuffered, and the count checked: with Qt's write buffer a write that fails only
    // when commit() flushes it, or stops short (a file size limit), goes unnoticed and
    // the truncated file is put in place of the good one.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (file.write(data.data(), data.size()) == data.size() && file.commit())
            return true;
    }
    if (errorString) {
        *errorString = file.errorString();
        if (file.error() == QFileDevice::NoError || errorString->isEmpty())
            *errorString = QStringLiteral("Could not write %1 completely").arg(path);
    }
    // Not committed: the destructor throws the new content away.
    return false;
}

bool makeParentFolder(const QString &path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath());
}
