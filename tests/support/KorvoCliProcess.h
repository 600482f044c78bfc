#pragma once

#include <QByteArray>
#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>

// korvo-cli run as a user or a script runs it: a separate process whose working folder is
// folder, with folder/config and folder/data as its settings and backup places.
struct KorvoCliRun
{
    int exitCode = -1; // -1: it crashed or did not end within the limit
    QByteArray out;
    QString err;
};

inline QProcessEnvironment korvoCliEnvironment(const QString &folder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir(folder).filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), QDir(folder).filePath(QStringLiteral("data")));
    return env;
}

// Starts program in folder; the caller waits for it.
inline void startKorvoCli(QProcess &process, const QString &program, const QString &folder,
                          const QStringList &arguments)
{
    process.setProcessEnvironment(korvoCliEnvironment(folder));
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
}

inline KorvoCliRun runKorvoCli(const QString &program, const QString &folder, const QStringList &arguments)
{
    QProcess process;
    startKorvoCli(process, program, folder, arguments);
    KorvoCliRun run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
