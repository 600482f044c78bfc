#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

// The settings and cache folders in a temporary folder of their own while this lives;
// afterwards the environment is as it was.
class SettingsHome
{
public:
    SettingsHome()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("cache"))));
    }
    ~SettingsHome()
    {
        restore("XDG_CONFIG_HOME", m_hadConfig, m_config);
        restore("XDG_CACHE_HOME", m_hadCache, m_cache);
    }
    SettingsHome(const SettingsHome &) = delete;
    SettingsHome &operator=(const SettingsHome &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    static void restore(const char *name, bool wasSet, const QByteArray &value)
    {
        if (wasSet)
            qputenv(name, value);
        else
            qunsetenv(name);
    }

    bool m_hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    bool m_hadCache = qEnvironmentVariableIsSet("XDG_CACHE_HOME");
    QByteArray m_config = qgetenv("XDG_CONFIG_HOME");
    QByteArray m_cache = qgetenv("XDG_CACHE_HOME");
    QTemporaryDir m_dir;
};
