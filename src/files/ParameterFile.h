#pragma once

#include "IgnitionParameters.h"

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

// The *.ign parameter file: keyed text, CR LF line ends, a fixed layout of 311 bytes.
inline constexpr quint32 ParameterFileVersion = 61;
inline constexpr int ParameterFileSize = 311;

QByteArray ParameterFileText(const IgnitionParameters &set);
// Writes the whole file; write errors are the caller's to detect.
void WriteParameterFile(QIODevice &device, const IgnitionParameters &set);

// Reads keys in any order after a QUELLMAR_KEY word followed by 61 (modulo 65536).
// Returns whether the version matched; when it did not, nothing is changed. Values
// are stored as read (low 8 bits); the caller normalises the set afterwards. The
// device is read piece by piece; when it reports an error part way, nothing is changed
// either and false is returned, and the caller tells the two apart by the device.
bool ReadParameterFile(QIODevice &device, IgnitionParameters &set);
bool ReadParameterFile(QByteArrayView text, IgnitionParameters &set);

// The first key, in the order the file is written, whose values a parameter file does not
// give in full (a file cut short, or written by hand); empty when every field is there.
// Only meaningful for a text whose version matched.
QString FirstMissingParameterKey(QByteArrayView text);
