#pragma once

#include "UnitFrame.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <span>

// The unit's information block (block 0), decoded once for every reader: the window's
// texts, the backups' names and the command line's results.
//
// Bytes 0-2 and 3: a three-letter version name and two digits; from byte 16 a longer
// name (Windows-1250, up to 30 characters) that takes the place of the short one when
// present; 4, 5, 6: day, month code, year after 2000; 7, 8: hour and minute of the
// unit's program; 10: the unit's program version.
struct UnitInformation
{
    QString versionText; // "KTC12", as the window shows it
    QString dateText;    // "14. 3.2024", as the window shows it
    QString timeText;    // "09:41"
    QDate programDate;   // invalid when the month code names no month
    QTime programTime;   // invalid when out of range
    quint8 programVersion = 0;
    // "KTC12_2024-03-14_0941": the version name in characters safe in a file name, and
    // the program date and time. The only identity a unit shows.
    QString tag;

    static UnitInformation Decode(std::span<const quint8, FrameDataSize> block);
};

// Month 1..12 of the unit's program date from its month code (block 0 byte 5: the low
// byte of the sum of the characters of the English three-letter month name); 0 when the
// code names no month.
int UnitProgramMonth(quint8 code);
