#include "WriteSequence.h"

WriteSequence::WriteSequence(UnitLink &link, IgnitionParameters &set, BackupStore *store, QObject *parent)
    : QObject(parent), m_link(link), m_set(set), m_store(store)
{
    // Direct: each runs within the tick, before the link's next frame goes out.
    connect(&m_link, &UnitLink::unitBlockBeforeWrite, this, &WriteSequence::onBlockBeforeWrite);
    connect(&m_link, &UnitLink::blockWritten, this, &WriteSequence::onBlockWritten);
    connect(&m_link, &UnitLink::transferFinished, this, &WriteSequence::onTransferFinished);
    connect(&m_link, &UnitLink::writeConfirmed, this, &WriteSequence::onWriteConfirmed);
    connect(&m_link, &UnitLink::transferStarted, this, [this](LinkRun run) {
        // Another transfer over a write's wait for its saving ends that wait unreported.
        m_report = WriteReport{};
        m_report.stage = run == LinkRun::Program ? WriteReport::Stage::Reading : WriteReport::Stage::Idle;
        m_restoring = run == LinkRun::Program ? m_restoreNext : std::nullopt;
        m_restoreNext.reset();
    });
}

bool WriteSequence::verifyPending() const
{
    return m_report.stage == WriteReport::Stage::Writing && m_link.blockSent();
}

void WriteSequence::onBlockBeforeWrite()
{
    const UnitBlockData &information = m_link.unitInformation();
    const UnitBlockData &unitBlock = m_link.blockBeforeWrite();
    if (m_restoring) {
        const QString attached = BackupStore::UnitTag(information);
        if (attached != m_restoring->unitTag) {
            m_report.refusedUnit = attached;
            m_link.refuseWrite();
            return;
        }
    }
    if (m_store) {
        m_report.backup = m_store->keepBeforeWrite(information, unitBlock);
        emit backupKept(*m_report.backup);
    }
    // The block goes out right after this returns; its echo and verify include them.
    if (!m_restoring || !m_restoring->reservedFromSet)
        TakeReservedBytes(m_set, unitBlock);
    if (m_store)
        m_store->noteSending(information, m_set.UnitBlockImage());
    m_report.stage = WriteReport::Stage::Writing;
}

void WriteSequence::onBlockWritten()
{
    if (m_store)
        m_store->noteWritten(m_link.unitInformation(), m_set.UnitBlockImage());
}

void WriteSequence::onTransferFinished(const TransferResult &result)
{
    if (result.run != LinkRun::Program)
        return;
    m_report.transfer = result;
    if (result.outcome == TransferOutcome::Accepted) {
        m_report.stage = WriteReport::Stage::Saving;
        return;
    }
    end();
}

void WriteSequence::onWriteConfirmed(WriteConfirmation confirmation)
{
    if (m_report.stage != WriteReport::Stage::Saving)
        return;
    m_report.confirmation = confirmation;
    end();
}

void WriteSequence::end()
{
    m_report.stage = WriteReport::Stage::Done;
    emit finished(m_report);
}
