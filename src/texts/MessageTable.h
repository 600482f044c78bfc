#pragma once

#include "Language.h"

#include <QString>

#include <array>
#include <optional>

// Indices of the message table. Readers take an entry by index and use it unchanged,
// often with a fixed suffix of their own.
enum MessageEntry : int
{
    MsgManualDocument = 0,
    MsgProgramError = 1,
    MsgVerifyError = 2,
    MsgReadError = 3,
    MsgPrograming = 4,
    MsgVerify = 5,
    MsgRead = 6,
    MsgSaving = 7,
    MsgUnmatchedVersion = 8,
    MsgUnmatchedFileVersion = 9,
    MsgPrintStamp = 10,
    MsgComOpeningError = 11,
    MsgOpenFileError = 12,
    MsgDefaultSetting = 13,
    MsgNoReading = 14,
    MsgManualOpenError = 15,
    MsgAdvance = 16,
    MsgStartSoftLimiter = 17,
    MsgStartLimiter = 18,
    MsgSoftLimiter = 19,
    MsgLimiter = 20,
    MsgGearShiftLight = 21,
    MsgClutchMaster = 22,
    MsgRetard = 23,
    MsgMotorOff = 24,
    MsgSecondAdvanceChart = 25,
    MsgNumberOfPrograming = 26,
    MsgYes = 27,
    MsgNo = 28,
    MsgPickup = 29,
    MsgPickupRunning = 30,
    MsgPickupNoSignal = 31,
    MsgUnused32 = 32,
    MsgAcceleration = 33,
};

// The 34 texts of the current language. Empty until the first load.
class MessageTable
{
public:
    static constexpr int MessageCount = 34;
    // Languages the table knows: 0 English, 1 German, 2 French, 3 Czech.
    static constexpr int LanguageCount = ::LanguageCount;

    // Fills every entry with the text of the language (0 English, 1 German, 2 French,
    // 3 Czech); any other index leaves the table as it is. Entry 32 stays empty.
    void load(quint8 languageIndex);
    const QString &text(int index) const { return m_entries[index]; }
    const QString &operator[](int index) const { return m_entries[index]; }

    // The text an entry gets in a language, without touching any table; empty for an
    // index or a language the table does not have.
    static QString entryText(int index, quint8 languageIndex);

private:
    std::array<QString, MessageCount> m_entries{};
};

// Control texts that are written together with the table, in the order they are
// written: the two exe-dir menu items; the advance texts (the idle label text, shown
// only while no unit is connected, and the Tools captions); the two idle pickup label
// texts (again only while no unit is connected); the tenth vehicle list entry; the
// long-excitation and base-advance captions; the Tools menu and its Undo/Redo items.
// The member names are the object names of the receiving controls.
struct MessageControlTexts
{
    QString MenuOpenExeDir;
    QString MenuSaveExeDir;
    QString LabelAdvance;        // entry 16 + "= --- [°]", only while LabelSpojeni is visible
    QString AdvanceMinus;        // entry 16 + " -"
    QString AdvancePlus;         // entry 16 + " +"
    QString LabelMonSnimac1;     // entry 29 + " 1 = ---", only while LabelSpojeni is visible
    QString LabelMonSnimac2;     // entry 29 + " 2 = ---", only while LabelSpojeni is visible
    QString ComboBoxBikeSpecial; // the tenth (last) entry of ComboBoxBike
    QString CheckBoxBuzDlouhe;
    QString LabelBaseAdv;
    QString MenuTools;
    QString MenuZpet;
    QString MenuZnovu;
};

// The control texts of a language, or nothing for an index the table does not have
// (the controls then keep their texts, as the table keeps its entries).
std::optional<MessageControlTexts> MessageControlTextsFor(quint8 languageIndex);
