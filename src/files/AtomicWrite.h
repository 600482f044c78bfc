#pragma once

#include <QByteArrayView>
#include <QString>

// Replaces the file at path with data as a whole: the bytes go to a temporary file in
// the same folder, which is flushed and then renamed over the target. A crash, a kill or
// a full disk on the way leaves the previous file untouched. Returns false, with the
// reason in errorString when given, if the new content could not be put in place.
bool writeFileAtomically(const QString &path, QByteArrayView data, QString *errorString = nullptr);

// Creates the folder that will hold path, with its parents; true when it exists afterwards.
bool makeParentFolder(const QString &path);
