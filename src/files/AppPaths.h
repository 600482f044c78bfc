#pragma once

#include <QString>

// Where the program keeps its files. On Windows: the settings file in the Windows
// folder (where a private-profile file by bare name lives), the snapshot at
// "c:\windows\_Korvo_TCI.ini" and the marker at "c:\test_torbel.txt". Elsewhere all
// three are in the folder "korvo-tci" of the user's configuration folder
// ($XDG_CONFIG_HOME, else ~/.config); the savers create that folder when they write.
inline constexpr char SettingsFileName[] = "Korvo_TCI.ini";
inline constexpr char TestMarkerFileName[] = "test_torbel.txt";
inline constexpr char AppConfigFolderName[] = "korvo-tci";

QString settingsFilePath();
QString snapshotFilePath();
QString testMarkerFilePath();

// The file "data.ign" beside the executable: the path up to and including its last
// separator, then "data.ign"; a path without a separator gives just "data.ign". On
// Windows both '\' and '/' separate (Qt hands out '/'); elsewhere only '/', as '\' is
// an ordinary file name character there.
QString ExeDirDataFile(const QString &executablePath);

// Where "Open from/Save to the program's folder" point: ExeDirDataFile when the user may
// write the executable's folder; installed (in /usr/bin, say) that folder is not the
// user's, and "data.ign" in dataFolder (the program's data folder under the user's home)
// is used instead. usedDataFolder tells which.
QString ProgramFolderDataFile(const QString &executablePath, const QString &dataFolder, bool *usedDataFolder = nullptr);
// The user's data folder of the program, for every file of ours that is data rather
// than settings (backups among them): $XDG_DATA_HOME/korvo-tci, else
// ~/.local/share/korvo-tci (a relative $XDG_DATA_HOME is ignored); on Windows
// %APPDATA%\korvo-tci.
QString programDataFolder();
