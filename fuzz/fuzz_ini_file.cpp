#include "FuzzCheck.h"
#include "IniFile.h"
#include "Settings.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

// The lines of a text as the settings file holds them: split after each LF, so a
// line keeps its own end (LF, CR LF or none for the last).
QList<QByteArray> splitLines(QByteArrayView text)
{
    QList<QByteArray> lines;
    while (!text.isEmpty()) {
        const qsizetype nl = text.indexOf('\n');
        const qsizetype n = nl < 0 ? text.size() : nl + 1;
        lines.append(text.first(n).toByteArray());
        text = text.sliced(n);
    }
    return lines;
}

// A view into line, which must outlive it.
QByteArrayView withoutEnd(const QByteArray &line)
{
    QByteArrayView content(line);
    if (content.endsWith('\n'))
        content.chop(1);
    if (content.endsWith('\r'))
        content.chop(1);
    return content;
}

QByteArrayView trimmedBlanks(QByteArrayView t)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
    while (!t.isEmpty() && blank(t.front()))
        t = t.sliced(1);
    while (!t.isEmpty() && blank(t.back()))
        t.chop(1);
    return t;
}

// ASCII letters only, as the Windows profile functions fold names.
bool sameName(QByteArrayView a, QByteArrayView b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::optional<QByteArrayView> sectionOf(QByteArrayView content)
{
    const QByteArrayView t = trimmedBlanks(content);
    if (!t.startsWith('[') || t.indexOf(']') < 0)
        return std::nullopt;
    return trimmedBlanks(t.sliced(1, t.indexOf(']') - 1));
}

std::optional<QByteArrayView> keyOf(QByteArrayView content)
{
    const QByteArrayView t = trimmedBlanks(content);
    if (t.startsWith(';') || t.startsWith('[') || t.indexOf('=') < 0)
        return std::nullopt;
    return trimmedBlanks(t.first(t.indexOf('=')));
}

struct Entry
{
    QByteArray section;
    QByteArray key;
};

// Every key the settings read and write: the window's, the curve window's place and
// both recent lists.
const QList<Entry> &keys()
{
    static const QList<Entry> all = [] {
        QList<Entry> list{{"FORM_HLAV", "Left"},     {"FORM_HLAV", "Top"},
                          {"FORM_HLAV", "Height"},   {"FORM_HLAV", "Width"},
                          {"BASIC", "ComPort"},      {"BASIC", "ComPortAuto"},
                          {"FORM_HLAV", "Language"}, {"FORM_HLAV", "File"},
                          {"FORM_HLAV", "IniDir"},   {"IGNITION", "CheckBoxIgnAll->Checked"},
                          {"CURVE_WINDOW", "Left"},  {"CURVE_WINDOW", "Top"},
                          {"CURVE_WINDOW", "Width"}, {"CURVE_WINDOW", "Height"}};
        for (const char *section : {RecentFiles::Section, RecentFiles::RecordingsSection})
            for (int i = 1; i <= RecentFiles::MaxEntries; ++i)
                list.append({section, "File" + QByteArray::number(i)});
        return list;
    }();
    return all;
}

qsizetype findSection(const QList<QByteArray> &lines, QByteArrayView section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionOf(withoutEnd(lines[i]));
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype findKey(const QList<QByteArray> &lines, qsizetype section, QByteArrayView key)
{
    for (qsizetype i = section + 1; i < lines.size(); ++i) {
        const QByteArrayView content = withoutEnd(lines[i]);
        if (sectionOf(content))
            return -1;
        const auto name = keyOf(content);
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

// Marks the line of each key (and, with sectionsToo, the headers of their
// sections): the lines a save may change or add.
QList<bool> settingsLines(const QList<QByteArray> &lines, bool sectionsToo)
{
    QList<bool> marked(lines.size(), false);
    for (const Entry &e : keys()) {
        const qsizetype s = findSection(lines, e.section);
        if (s < 0)
            continue;
        if (sectionsToo)
            marked[s] = true;
        const qsizetype k = findKey(lines, s, e.key);
        if (k >= 0)
            marked[k] = true;
    }
    return marked;
}

bool sameSettings(const Settings &a, const Settings &b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Height == b.Height && a.Width == b.Width &&
           a.session.LanguageIndex == b.session.LanguageIndex &&
           a.session.PortChoice == b.session.PortChoice && a.session.AutoScanPort == b.session.AutoScanPort &&
           a.FileLabel == b.FileLabel && a.CurrentFileName == b.CurrentFileName &&
           a.CheckBoxIgnAllChecked == b.CheckBoxIgnAllChecked && a.CurveWindow == b.CurveWindow &&
           a.Recent.entries() == b.Recent.entries() &&
           a.RecentRecordings.entries() == b.RecentRecordings.entries();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray original(reinterpret_cast<const char *>(data), qsizetype(size));

    IniFile ini(original);
    FUZZ_CHECK(ini.text() == original);

    Settings first;
    first.Left = 100;
    first.Top = 50;
    first.Height = 600;
    first.Width = 800;
    first.session.PortChoice = 1;
    readSettings(ini, first);
    (void)ini.portMap();
    // Names read back are names a save gives back: none empty, none holding a line break.
    for (const RecentFiles *list : {&first.Recent, &first.RecentRecordings}) {
        FUZZ_CHECK(list->entries().size() <= RecentFiles::MaxEntries);
        for (const QString &name : list->entries())
            FUZZ_CHECK(!name.isEmpty() && !name.contains(QLatin1Char('\n')));
    }

    writeSettings(ini, first);
    const QByteArray written = ini.text();

    // Other defaults this time: every key is in the file now, so none may be used.
    Settings second;
    second.Left = -7;
    second.Top = -8;
    second.Height = -9;
    second.Width = -10;
    second.session = SessionSettings{9, 9, 9};
    second.FileLabel = QStringLiteral("default label");
    second.CurrentFileName = QStringLiteral("default name");
    second.CheckBoxIgnAllChecked = !first.CheckBoxIgnAllChecked;
    // The curve window's place is written only when it is known.
    second.CurveWindow = first.CurveWindow.isValid() ? QRect(-1, -2, 3, 4) : QRect();
    second.Recent.add(QStringLiteral("/default.ign"));
    second.RecentRecordings.add(QStringLiteral("/default.csv"));
    readSettings(IniFile(written), second);
    FUZZ_CHECK(sameSettings(first, second));

    // Writing the same values again changes nothing.
    IniFile again(written);
    writeSettings(again, first);
    FUZZ_CHECK(again.text() == written);

    // Every other line stays byte for byte, in its order; only the last line may gain
    // the line end that a line added after it needs.
    static constexpr QByteArrayView Bom("\xEF\xBB\xBF");
    const bool bom = original.startsWith(Bom);
    FUZZ_CHECK(written.startsWith(Bom) == bom);
    const QList<QByteArray> before = splitLines(QByteArrayView(original).sliced(bom ? Bom.size() : 0));
    const QList<QByteArray> after = splitLines(QByteArrayView(written).sliced(bom ? Bom.size() : 0));
    const QList<bool> replaced = settingsLines(before, false);
    QList<bool> touched = settingsLines(after, true);
    // Section headers that were there before are kept, not added.
    for (const Entry &e : keys()) {
        const qsizetype s = findSection(after, e.section);
        if (s >= 0 && findSection(before, e.section) >= 0)
            touched[s] = false;
    }
    QList<QByteArray> kept;
    for (qsizetype i = 0; i < before.size(); ++i)
        if (!replaced[i])
            kept.append(before[i]);
    QList<QByteArray> left;
    for (qsizetype i = 0; i < after.size(); ++i)
        if (!touched[i])
            left.append(after[i]);
    FUZZ_CHECK(kept.size() == left.size());
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (kept[i] == left[i])
            continue;
        const bool lastOfFile = i == kept.size() - 1 && !before.last().endsWith('\n') && !replaced.last();
        const QByteArrayView gained = QByteArrayView(left[i]).sliced(qMin(kept[i].size(), left[i].size()));
        FUZZ_CHECK(lastOfFile && left[i].startsWith(kept[i]) && (gained == "\n" || gained == "\r\n"));
    }
    return 0;
}
