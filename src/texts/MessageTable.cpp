#include "MessageTable.h"

// Placeholder: the four-language table comes with the languages work. Until then the
// English texts the link needs.
void MessageTable::load(quint8 languageIndex)
{
    if (languageIndex > 3)
        return;
    m_entries[MsgProgramError] = QStringLiteral("Program error!");
    m_entries[MsgVerifyError] = QStringLiteral("Verify error!");
    m_entries[MsgReadError] = QStringLiteral("Read error!");
    m_entries[MsgPrograming] = QStringLiteral("Programing");
    m_entries[MsgVerify] = QStringLiteral("Verify");
    m_entries[MsgRead] = QStringLiteral("Read");
    m_entries[MsgSaving] = QStringLiteral("Saving:");
    m_entries[MsgUnmatchedVersion] = QStringLiteral("Unmatched version of PC and Ignition programs!");
    m_entries[MsgComOpeningError] = QStringLiteral("Com opening error!");
    m_entries[MsgDefaultSetting] = QStringLiteral("Do you want default setting?");
    m_entries[MsgAdvance] = QStringLiteral("Advance");
    m_entries[MsgPickup] = QStringLiteral("Pick-up (CPS)");
    m_entries[MsgPickupRunning] = QStringLiteral(" is running");
    m_entries[MsgPickupNoSignal] = QStringLiteral(" no signal");
}
