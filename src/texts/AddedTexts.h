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

    // Files, start-up and saving
    SaveFileError,

    // Compare with the unit and backups

    // Curve window and recording

    // Installing, recent files, manual

    Count
};

// The text of an id in a language (0 English, 1 German, 2 French, 3 Czech).
QString AddedTextFor(AddedText id, quint8 languageIndex);
