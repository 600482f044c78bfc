#pragma once

#include "IgnitionParameters.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

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

// ---------------------------------------------------------------------------------
// Opening a parameter file by name: the window's Open, korvo-cli and the backups.

// A parameter file is a few hundred bytes; anything far larger is not one, and is not
// read to its end (a multi-gigabyte file would hold the window for many seconds).
inline constexpr qint64 MaxParameterFileBytes = 64 * 1024;

enum class ParameterFileOpen
{
    Opened,          // read whole (and, by OpenParameterFileAt, the version matched)
    Missing,         // nothing at the path
    NotRegularFile,  // a folder, a pipe or a device: never opened for reading
    Unreadable,      // the read failed; errorString says why
    TooLarge,        // over MaxParameterFileBytes
    VersionMismatch, // read, but no QUELLMAR_KEY 61 in it: the set is untouched
};

struct OpenedParameterFile
{
    ParameterFileOpen result = ParameterFileOpen::Missing;
    QByteArray text; // the file's bytes when it was read whole
    QString errorString;

    bool ok() const { return result == ParameterFileOpen::Opened; }
};

// The text of the file at path, read whole, through one descriptor checked to be a
// regular file.
OpenedParameterFile ReadParameterFileText(const QString &path);
// The same, then the keys read into set as ReadParameterFile does; set is changed only
// when the result is Opened.
OpenedParameterFile OpenParameterFileAt(const QString &path, IgnitionParameters &set);
