#pragma once

#include "IgnitionParameters.h"
#include "RecentFiles.h"

#include <QRect>
#include <QSize>
#include <QString>

class IniFile;

// What the settings file "Korvo_TCI.ini" keeps from one run to the next.
struct Settings
{
    // Window place and outer size in screen pixels (section FORM_HLAV).
    int Left = 0;
    int Top = 0;
    int Height = 0;
    int Width = 0;
    SessionSettings session; // LanguageIndex, PortChoice, AutoScanPort
    QString FileLabel;       // caption of LabelFile2, key File
    QString CurrentFileName; // key IniDir
    bool CheckBoxIgnAllChecked = false;
    // Place and size of the curve window (a section of its own, CURVE_WINDOW); empty
    // until the window has been shown once.
    QRect CurveWindow;
    // Parameter files last opened or saved (a section of its own, RECENT_FILES).
    RecentFiles Recent;
    RecentFiles RecentRecordings{RecentFiles::RecordingsSection};
};

// Reads the ten keys in their fixed order, each with the value in force in `settings`
// as its default. ComPort and ComPortAuto store the choice plus one, so the value read
// (or the default) is reduced modulo 256 and one is taken off: with PortChoice 1 in
// force, as at start-up, a missing ComPort gives 0 (COM1), and with AutoScanPort 0 a
// missing ComPortAuto gives 255. Nothing is bounded here; NormaliseParameters does that.
// The curve window's section is read after them; it counts only when it holds a size.
void readSettings(const IniFile &ini, Settings &settings);
// Writes the ten keys in their fixed order, then the curve window's section when its
// place is known; every other line of ini stays as it is.
void writeSettings(IniFile &ini, const Settings &settings);

// readSettings from the file at path; a missing or unreadable file reads as empty, so
// every key takes its default. Returns whether the file was read.
bool loadSettingsFile(const QString &path, Settings &settings);
// Updates the ten keys in the file at path (created with its folder when missing) and
// replaces it as writeFileSafely does, readable and writable by its owner. Fails,
// writing nothing, when an existing file cannot be read whole (also when it is longer
// than IniFile::MaxFileSize), since rewriting it would lose its other lines.
bool saveSettingsFile(const QString &path, const Settings &settings, QString *errorString = nullptr);

