#include "RecentFiles.h"

#include "IniFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// Two names of one file: the same once "." and ".." are resolved; on Windows letter
// case does not tell files apart.
bool sameFile(const QString &a, const QString &b)
{
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity Case = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity Case = Qt::CaseSensitive;
#endif
    return QDir::cleanPath(a).compare(QDir::cleanPath(b), Case) == 0;
}

QByteArray keyOf(int index)
{
    return "File" + QByteArray::number(index + 1);
}

// Whether the settings file gives the name back as it was: a line break ends the value
// and blanks at its ends are not kept, so such a name would come back as another file.
bool survivesSaving(const QString &path)
{
    IniFile scratch;
    scratch.writeString(RecentFiles::Section, "File1", path);
    return scratch.readString(RecentFiles::Section, "File1", QString()) == path;
}

} // namespace

void RecentFiles::add(const QString &path)
{
    const QString name = QDir::cleanPath(path);
    if (path.isEmpty() || !survivesSaving(name))
        return;
    m_entries.removeIf([&path](const QString &entry) { return sameFile(entry, path); });
    m_entries.prepend(name);
    while (m_entries.size() > MaxEntries)
        m_entries.removeLast();
}

void RecentFiles::read(const IniFile &ini)
{
    m_entries.clear();
    for (int i = 0; i < MaxEntries; ++i) {
        const QString path = ini.readString(m_section, keyOf(i), QString());
        if (path.isEmpty())
            continue;
        const bool known = std::any_of(m_entries.cbegin(), m_entries.cend(),
                                       [&path](const QString &entry) { return sameFile(entry, path); });
        if (!known)
            m_entries.append(path);
    }
}

void RecentFiles::write(IniFile &ini) const
{
    // A user who never had a recent file keeps a settings file without our section.
    bool listedBefore = false;
    for (int i = 0; i < MaxEntries && !listedBefore; ++i)
        listedBefore = ini.value(m_section, keyOf(i)).has_value();
    if (m_entries.isEmpty() && !listedBefore)
        return;
    for (int i = 0; i < MaxEntries; ++i)
        ini.writeString(m_section, keyOf(i), m_entries.value(i));
}
