#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <clocale>

// The C library's numbers in German, as a German desktop gives them to the program:
// the system's locale if it is there, else one built into a temporary folder.
inline bool useGermanCLocale(const QTemporaryDir &dir)
{
    if (std::setlocale(LC_ALL, "de_DE.UTF-8"))
        return true;
    QProcess::execute(QStringLiteral("localedef"),
                      {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                       QStringLiteral("UTF-8"), dir.filePath(QStringLiteral("de_DE.UTF-8"))});
    qputenv("LOCPATH", dir.path().toLocal8Bit());
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}
