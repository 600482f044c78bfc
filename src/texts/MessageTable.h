#pragma once

#include <QString>

#include <array>

// Indices of the message table. Readers take an entry by index and use it unchanged,
// often with a fixed suffix of their own.
enum MessageEntry : int {
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

    // Fills every entry with the text of the language (0 English, 1 German, 2 French,
    // 3 Czech); any other index leaves the table as it is.
    void load(quint8 languageIndex);
    const QString &text(int index) const { return m_entries[index]; }
    const QString &operator[](int index) const { return m_entries[index]; }

private:
    std::array<QString, MessageCount> m_entries{};
};
