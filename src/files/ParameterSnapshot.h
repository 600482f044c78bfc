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

// The file forms. Loading a file that cannot be opened changes nothing and returns
// false; saving replaces the file atomically (creating its folder) and returns whether
// the new content landed.
bool loadParameterSnapshot(const QString &path, ParameterImage &image);
bool saveParameterSnapshot(const QString &path, const ParameterImage &image, QString *errorString = nullptr);
