#pragma once

#include "IgnitionParameters.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The whole 55-byte image as text: "%5u " per byte, CR LF after bytes 9, 19, 29, 39
// and 49, no line end after the last. Always this size.
inline constexpr int ParameterSnapshotSize = 340;

QByteArray parameterSnapshotText(const ParameterImage &image);

// Stores unsigned decimal numbers, low 8 bits each, into image bytes 0, 1, 2, ... in
// turn, until 55 are stored, the text ends, or the text goes on with something that is
// not a digit; the bytes not reached keep their values. Returns how many were stored.
int readParameterSnapshot(QByteArrayView text, ParameterImage &image);

// The file forms. Loading a file that is missing, not a regular file or unreadable
// changes nothing and returns false; only the first 64 KiB of a longer file are read.
// Saving replaces the file as writeFileSafely does (creating its folder), readable and
// writable by its owner, and returns whether the new content landed; a file longer
// than 64 KiB is left as it is.
bool loadParameterSnapshot(const QString &path, ParameterImage &image);
bool saveParameterSnapshot(const QString &path, const ParameterImage &image, QString *errorString = nullptr);
