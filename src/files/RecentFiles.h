#pragma once

#include <QString>
#include <QStringList>

class IniFile;

// The parameter files last opened or saved, newest first, at most MaxEntries, kept in a
// section of our own in the settings file (keys File1 .. File8, an unused one empty).
class RecentFiles
{
public:
    static constexpr int MaxEntries = 8;
    static constexpr char Section[] = "RECENT_FILES";
    // The recordings of live values last opened.
    static constexpr char RecordingsSection[] = "RECENT_RECORDINGS";

    RecentFiles() = default;
    // A list kept in another section of its own.
    explicit RecentFiles(const char *section) : m_section(section) {}

    const QStringList &entries() const { return m_entries; }

    // Puts path first, "." and ".." resolved; an entry naming the same file is taken
    // out, so a file appears once, and the oldest drops off past MaxEntries. An empty
    // path changes nothing, and so does a name the settings file would not give back
    // exactly (a line break, blanks at either end): it is not listed.
    void add(const QString &path);
    void clear() { m_entries.clear(); }

    // Replaces the list with the section's entries: empty and repeated ones are passed
    // over, and only the first MaxEntries count.
    void read(const IniFile &ini);
    // Writes all MaxEntries keys, so that entries of a longer list written before are
    // not left behind; every other line of ini stays as it is. An empty list adds no
    // section to a file that has none.
    void write(IniFile &ini) const;

private:
    const char *m_section = Section;
    QStringList m_entries;
};
