#include "Settings.h"

#include "AtomicWrite.h"
#include "IniFile.h"

#include <QFileInfo>

#include <algorithm>

namespace {

constexpr char FormSection[] = "FORM_HLAV";
constexpr char BasicSection[] = "BASIC";
constexpr char IgnitionSection[] = "IGNITION";
constexpr char IgnAllKey[] = "CheckBoxIgnAll->Checked";
constexpr char CurveSection[] = "CURVE_WINDOW";
constexpr int CurvePlaceLimit = 1 << 20;
constexpr int CurveSizeLimit = 1 << 16;

quint8 low8(int value)
{
    return quint8(unsigned(value) & 0xFFu);
}

} // namespace

void readSettings(const IniFile &ini, Settings &s)
{
    s.Left = ini.readInteger(FormSection, "Left", s.Left);
    s.Top = ini.readInteger(FormSection, "Top", s.Top);
    s.Height = ini.readInteger(FormSection, "Height", s.Height);
    s.Width = ini.readInteger(FormSection, "Width", s.Width);
    s.session.PortChoice = quint8(low8(ini.readInteger(BasicSection, "ComPort", s.session.PortChoice)) - 1);
    s.session.AutoScanPort =
        quint8(low8(ini.readInteger(BasicSection, "ComPortAuto", s.session.AutoScanPort)) - 1);
    s.session.LanguageIndex = low8(ini.readInteger(FormSection, "Language", s.session.LanguageIndex));
    s.FileLabel = ini.readString(FormSection, "File", s.FileLabel);
    s.CurrentFileName = ini.readString(FormSection, "IniDir", s.CurrentFileName);
    s.CheckBoxIgnAllChecked =
        ini.readInteger(IgnitionSection, IgnAllKey, s.CheckBoxIgnAllChecked ? 1 : 0) != 0;

    // Held where QRect's right = left + width - 1 cannot overflow; the window brings the
    // place onto a screen before it is used.
    const auto place = [&ini](const char *key, int fallback) {
        return std::clamp(ini.readInteger(CurveSection, key, fallback), -CurvePlaceLimit, CurvePlaceLimit);
    };
    const int width = std::min(ini.readInteger(CurveSection, "Width", s.CurveWindow.width()), CurveSizeLimit);
    const int height = std::min(ini.readInteger(CurveSection, "Height", s.CurveWindow.height()), CurveSizeLimit);
    if (width > 0 && height > 0)
        s.CurveWindow = QRect(place("Left", s.CurveWindow.left()), place("Top", s.CurveWindow.top()), width, height);
    s.Recent.read(ini);
    s.RecentRecordings.read(ini);
}

void writeSettings(IniFile &ini, const Settings &s)
{
    ini.writeInteger(FormSection, "Left", s.Left);
    ini.writeInteger(FormSection, "Top", s.Top);
    ini.writeInteger(FormSection, "Height", s.Height);
    ini.writeInteger(FormSection, "Width", s.Width);
    ini.writeInteger(BasicSection, "ComPort", s.session.PortChoice + 1);
    ini.writeInteger(BasicSection, "ComPortAuto", s.session.AutoScanPort + 1);
    ini.writeInteger(FormSection, "Language", s.session.LanguageIndex);
    ini.writeString(FormSection, "File", s.FileLabel);
    ini.writeString(FormSection, "IniDir", s.CurrentFileName);
    ini.writeInteger(IgnitionSection, IgnAllKey, s.CheckBoxIgnAllChecked ? 1 : 0);

    if (s.CurveWindow.isValid()) {
        ini.writeInteger(CurveSection, "Left", s.CurveWindow.left());
        ini.writeInteger(CurveSection, "Top", s.CurveWindow.top());
        ini.writeInteger(CurveSection, "Width", s.CurveWindow.width());
        ini.writeInteger(CurveSection, "Height", s.CurveWindow.height());
    }
    s.Recent.write(ini);
    s.RecentRecordings.write(ini);
}

bool loadSettingsFile(const QString &path, Settings &settings)
{
    IniFile ini;
    const bool read = ini.load(path);
    readSettings(ini, settings);
    return read;
}

bool saveSettingsFile(const QString &path, const Settings &settings, QString *errorString)
{
    IniFile ini;
    // The file's other lines must survive the save, so a file that cannot be read whole
    // (unreadable, not a regular file, longer than a settings file can be) is not rewritten.
    const QFileInfo existing(path);
    if (existing.exists() || existing.isSymLink()) {
        if (!ini.load(path) || ini.isCut()) {
            if (errorString)
                *errorString = ini.isCut() ? QStringLiteral("%1 is too long to be a settings file").arg(path)
                                           : ini.errorString();
            return false;
        }
    }
    writeSettings(ini, settings);
    if (!makeParentFolder(path)) {
        if (errorString)
            *errorString = QStringLiteral("Cannot create the folder of %1").arg(path);
        return false;
    }
    FileWriteOptions options;
    options.ownerReadWrite = true;
    const FileWriteReport report = writeFileSafely(path, ini.text(), options);
    if (!report.ok() && errorString)
        *errorString = report.errorString;
    return report.ok();
}
