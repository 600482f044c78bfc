#pragma once

#include <QByteArray>
#include <QFile>
#include <QMetaType>
#include <QString>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <unistd.h>

// Things that are not regular files, each made by the test in its own folder.
enum class OddKind
{
    Fifo,
    EndlessDevice, // a character device with the numbers of /dev/zero (needs root)
    NullDevice,    // with the numbers of /dev/null (needs root)
    Folder,
};
Q_DECLARE_METATYPE(OddKind)

// False when the node could not be made (a device needs root).
inline bool makeOdd(const QString &path, OddKind kind)
{
    const QByteArray name = QFile::encodeName(path);
    switch (kind) {
    case OddKind::Fifo:
        return ::mkfifo(name.constData(), 0644) == 0;
    case OddKind::EndlessDevice:
        return ::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 5)) == 0;
    case OddKind::NullDevice:
        return ::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    case OddKind::Folder:
        return ::mkdir(name.constData(), 0755) == 0;
    }
    return false;
}

inline bool needsRoot(OddKind kind)
{
    return kind == OddKind::EndlessDevice || kind == OddKind::NullDevice;
}

// What is at path itself, a link not followed: 'f' file, 'l' link, 'p' pipe, 'c' character
// device, 'd' folder, '?' other, '-' nothing.
inline char kindAt(const QString &path)
{
    struct stat st{};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return '-';
    if (S_ISREG(st.st_mode))
        return 'f';
    if (S_ISLNK(st.st_mode))
        return 'l';
    if (S_ISFIFO(st.st_mode))
        return 'p';
    if (S_ISCHR(st.st_mode))
        return 'c';
    if (S_ISDIR(st.st_mode))
        return 'd';
    return '?';
}

inline char kindOf(OddKind kind)
{
    switch (kind) {
    case OddKind::Fifo:
        return 'p';
    case OddKind::EndlessDevice:
    case OddKind::NullDevice:
        return 'c';
    case OddKind::Folder:
        return 'd';
    }
    return '?';
}
#endif
