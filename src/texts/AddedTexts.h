#pragma once

#include <QString>

// Texts of what the program offers beside the original window (comparing, backups, the
// curve window, recording, port advice, ...), in English, Czech and German. French and
// unknown languages get English.
//
// Each capability keeps its ids together in its own block, in the same order as its
// rows in AddedTexts.cpp.
enum class AddedText : int
{
    // Link and serial ports
    PortPermissionDenied, // the reason after "COM3 (/dev/ttyUSB0): "
    PortJoinGroup,        // %1 the group that may use serial ports
    PortLogInAgain,       // %1 the group
    PortBusy,
    PortBusyAdvice,
    PortNotPresent,
    PortNoUsbAdapter,
    PortNoDevice, // %1 how many serial devices are present
    PortNotOpenToUsers, // %1 owner and group, %2 the mode in octal

    // The window on the desktop: settings not saved, screen readers, the manual's window
    SettingsNotSaved,    // %1 the reason
    LastSessionNotSaved,
    AccessCurveRpm,      // %1 the point, 1 to 10
    AccessCurveAdvance,  // %1 the point
    AccessVehicleList,
    AccessUpDown,        // %1 the name of the field it steps
    ManualViewerFailed,  // %1 the document
    ManualWindowTitle,
    AboutLicence,
    AboutQtVersion,      // %1 the version of Qt
    AboutQtButton,
    ProgramFolderNotWritable, // %1 the data folder used instead

    // Files, start-up and saving
    SaveFileError,
    PrintFolderError,   // %1 the folder
    PrinterCannotPrint, // %1 the printer
    PdfWriteError,      // %1 the file
    PrintFailed,
    PrintedToPdf,       // followed directly by the file's path
    AboutVersion,       // %1 the version
    CommandLineUsage,   // one line
    UnknownOption,      // %1 the option
    CommandLineHelp,    // the options, one a line, after the usage line
    NoDisplay,
    SavePreviousContentBack,
    SavePreviousContentCopied, // %1: where the copy is
    SavePreviousContentLost,

    // Compare with the unit and backups
    CompareCurvePointRpm,
    CompareCurvePointAdvance,
    CompareBaseAdvance,
    CompareLimiter,
    CompareExcitationLong,
    CompareBlocking,
    CompareTachometer2x,
    CompareVehicleType,
    CompareVehicleCode,
    CompareReservedBytes,
    CompareReservedByte,
    CompareOn,
    CompareOff,
    MenuCompare,
    CompareStartCaption,
    CompareTitle,
    CompareColumnField,
    CompareColumnUnit,
    CompareColumnEditor,
    CompareNoDifference,
    CompareTakeUnitSet,
    CompareClose,
    MenuOpenBackup,
    BackupNotKept,
    BackupFolderNotCreated,

    // Curve window and recording
    CurveMenu,
    CurveMenuHint,
    CurveRpmAxis,
    CurveAdvanceAxis,
    CurveLimiter,
    RecordMenu,
    RecordMenuHint,
    RecordingStatus,
    RecordingStopped,
    RecordingNotStarted,

    // Looking at a recording
    RecordingOpenMenu,
    RecordingOpenHint,
    RecordingRecentMenu,
    RecordingFilter,
    RecordingTimeAxis,
    RecordingVoltage,
    RecordingBlocking,
    RecordingNeutral,
    RecordingSideStand,
    RecordingPickup1,
    RecordingPickup2,
    RecordingReadout, // %1 seconds, %2 rpm, %3 degrees, %4 volts
    RecordingPlay,
    RecordingPause,
    RecordingSpeed,
    RecordingWhole,
    RecordingCannotRead,   // %1 the file, %2 why
    RecordingNotRecording, // %1 the file
    RecordingTooLarge,     // %1 the file, %2 the largest size read, in MB
    RecordingFieldCount,   // %1 the row, %2 how many fields it has
    RecordingNotNumber,    // %1 the row, %2 the field
    RecordingTimeBack,     // %1 the row, %2 its time
    RecordingRowsShown,    // %1 how many rows
    RecordingCutOff,
    RecordingNoRows,

    // Installing, recent files, manual
    RecentFilesMenu,
    RecentFilesClear,

    // Command line
    CliNoAnswer,
    CliNoAnswerScan,
    CliPortOpenError,
    CliVersionAdvice,
    CliFileReadError,
    CliFileWriteError,
    CliVerifyOk,
    CliVerifyDiffers,
    CliProgramDone,
    CliProgramRefused,
    CliSavingLost,
    CliBackupWritten,
    CliReadCorrected,
    CliConnectionLost,

    // The write path: what a write ended in
    LinkOtherUnit,
    LinkStoredDataError,
    LinkSavingNeverEnded,
    LinkSavingConnectionLost,
    CliOtherUnit,
    CliStoredDataError,
    CliSavingNeverEnded, // %1 seconds, %2 the file
    CliSetUnknown,       // %1 the file
    CliInterruptedVerified, // %1 the file
    CliInterruptedNothingWritten,
    CliFileLacksKey, // %1 the key
    CliStepReading,
    CliStepWriting,
    CliStepVerifying,
    CliStepSaving,
    CliNoUsbAdapter,
    CliNotParameterFile,

    // The unit's history
    HistoryMenu,
    HistoryTitle,
    HistoryKindBackup,
    HistoryKindWritten,
    HistoryCameWith,
    HistoryColumnEntry,
    HistoryColumnWhen,
    HistoryColumnKind,
    HistoryColumnChanges,
    HistoryProgram,
    HistoryOpenInEditor,
    HistorySideBySide,
    HistoryCompareWith,
    HistoryEditorSet,
    HistoryUnitSet,
    HistoryEmpty, // %1 the folder
    HistorySkipped, // %1 the file, %2 why
    HistorySkipNotOurs,
    HistorySkipNotRegular,
    HistorySkipDamaged,
    HistoryNoEntry, // %1 the id
    HistoryOtherUnit, // %1, %2 units
    HistoryEntryLabel, // %1 the id
    HistoryRestoreDone, // %1 the entry
    HistoryRestoreAsk, // %1 the entry
    HistoryRestoreRunning, // %1 the entry
    HistoryRestoreFailed, // %1 the entry, %2 why
    HistoryLinkBusy,
    HistoryRefresh,
    HistorySameSets,
    HistoryNotConnected,

    Count
};

// The text of an id in a language (0 English, 1 German, 2 French, 3 Czech).
QString AddedTextFor(AddedText id, quint8 languageIndex);
