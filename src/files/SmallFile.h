#pragma once

#include <QByteArray>
#include <QString>

// What reading one of the program's small files found.
enum class SmallFileRead
{
    Missing, // nothing at the path
    Unfit,   // not a regular file (pipe, device, folder), or it could not be read: use as missing
    Whole,   // read to its end
    Cut,     // longer than the cap: the first cap bytes were read, and the file must not be rewritten
};

// Reads a settings-like file of at most cap bytes. Only a regular file is read: a pipe
// would block the open until a writer comes, and a device may never end. The check and
// the read go through one descriptor, so nothing can be swapped in between.
SmallFileRead readSmallFile(const QString &path, qint64 cap, QByteArray &data, QString *errorString = nullptr);
