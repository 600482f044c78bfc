#pragma once

#include <QString>

// What became of the settings file and the parameter snapshot at exit. A failure is told
// at once and, since a user who closed the window may not have read it, once more at
// the next start, through a small marker file in the cache folder (the settings'
// own folder may be the one that cannot be written).
struct SettingsSaveOutcome
{
    bool settingsSaved = true;
    bool snapshotSaved = true;
    QString errorString; // the first failure's reason

    bool ok() const { return settingsSaved && snapshotSaved; }
};

// Whether what is at path is not ours to replace (a link to /dev/null, a pipe, a device,
// a folder, a dangling link): such a file has been switched off, and a save that leaves
// it alone has not failed.
bool isSwitchedOff(const QString &path);

// ~/.cache/korvo-tci/settings-not-saved (under $XDG_CACHE_HOME).
QString unsavedSettingsMarkerPath();

// Leaves the marker with the reason in it; on a full disk the marker may stay empty, which
// still tells. False when not even that could be written.
bool markSettingsUnsaved(const QString &markerPath, const QString &reason);

// Whether the last session left the marker; its reason (possibly empty) into reason. The
// marker is removed, so it is told once.
bool takeSettingsUnsavedMark(const QString &markerPath, QString *reason);
