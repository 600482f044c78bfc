#include "CliCommands.h"

#include "AddedTexts.h"
#include "AppPaths.h"
#include "AtomicWrite.h"
#include "BackupStore.h"
#include "BlockDifference.h"
#include "CliHistory.h"
#include "CliOutput.h"
#include "CliSummary.h"
#include "EndingSignals.h"
#include "IniFile.h"
#include "LiveRecorder.h"
#include "ParameterFile.h"
#include "MessageTable.h"
#include "SerialUnitPort.h"
#include "Settings.h"
#include "UnitInformation.h"
#include "UnitSession.h"
#include "VehiclePresets.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QSerialPortInfo>

#include <algorithm>
#include <cmath>

namespace {

// Where the unit is and what it speaks: the window's settings, read only, then --port.
struct LinkChoice
{
    SessionSettings session;
    QMap<int, QString> comDevices;
    QString portLabel; // a device given with --port, shown as it was given
};

LinkChoice chooseLink(const CliOptions &options)
{
    Settings settings;
    // The default of ComPort, which stores the choice plus one, as the window has it.
    settings.session.PortChoice = 1;
    IniFile ini;
    ini.load(settingsFilePath());
    readSettings(ini, settings);
    IgnitionParameters scratch;
    NormaliseParameters(scratch, settings.session);

    LinkChoice choice{settings.session, ini.portMap(), {}};
    if (const auto port = ParsePortArgument(options.port); port && !options.port.isEmpty()) {
        switch (port->kind) {
        case PortArgument::Com:
            choice.session.PortChoice = quint8(port->comNumber - 1);
            break;
        case PortArgument::Auto:
            choice.session.PortChoice = PortChoiceAuto;
            break;
        case PortArgument::Device:
            choice.session.PortChoice = 0;
            choice.comDevices.insert(1, port->device);
            choice.portLabel = port->device;
            break;
        }
    }
    return choice;
}

class CommandRun
{
public:
    CommandRun(const CliOptions &options, UnitPortProvider *ports)
        : m_options(options), m_out(options.json, options.quiet), m_choice(chooseLink(options)), m_ports(ports)
    {
        if (!m_ports) {
            m_serial = std::make_unique<SerialUnitPortProvider>(m_choice.comDevices);
            m_ports = m_serial.get();
        }
    }

    int run();

private:
    QString text(AddedText id) const { return AddedTextFor(id, m_choice.session.LanguageIndex); }
    QString commandName() const;

    // A failure: the message on standard error and, for scripts, a JSON result.
    int fail(int exitCode, const QString &message, const QString &kind);
    int linkFailure(UnitSession::Outcome outcome, UnitSession &session);

    // FILE's set over a fresh set, as the window's Open does it; exit code or -1.
    int loadFile(const QString &path, IgnitionParameters &set);
    int writeFile(const QString &path, const QByteArray &bytes);

    std::unique_ptr<UnitSession> openSession(int &exitCode);
    // FILE's set and the unit's block read beside it, for verify and diff. The file has
    // no reserved bytes, so the unit's own stand in for them and only the file's fields
    // count. ExitDone, or the exit code of what failed.
    int readUnitBesideFile(IgnitionParameters &fileSet, std::unique_ptr<UnitSession> &session);

    int ports();
    int info();
    int read();
    int verify();
    int program();
    // Writes set through the one write sequence and reports it; label names the set in
    // the messages. restore: set is a backup's, for its unit only.
    int programSet(const IgnitionParameters &set, UnitSession &session, const QString &label,
                   const std::optional<RestoreRun> &restore);
    int restore();
    int diff();
    int monitor();

    const CliOptions &m_options;
    CliOutput m_out;
    LinkChoice m_choice;
    std::unique_ptr<SerialUnitPortProvider> m_serial;
    UnitPortProvider *m_ports = nullptr;
};

QString CommandRun::commandName() const
{
    switch (m_options.command) {
    case CliCommand::Ports: return QStringLiteral("ports");
    case CliCommand::Info: return QStringLiteral("info");
    case CliCommand::Read: return QStringLiteral("read");
    case CliCommand::Program: return QStringLiteral("program");
    case CliCommand::Verify: return QStringLiteral("verify");
    case CliCommand::Diff: return QStringLiteral("diff");
    case CliCommand::Monitor: return QStringLiteral("monitor");
    case CliCommand::Summary: return QStringLiteral("summary");
    case CliCommand::History: return QStringLiteral("history");
    case CliCommand::Restore: return QStringLiteral("restore");
    case CliCommand::None: break;
    }
    return {};
}

int CommandRun::fail(int exitCode, const QString &message, const QString &kind)
{
    m_out.error(message);
    if (m_out.json())
        m_out.result(QJsonObject{{QStringLiteral("command"), commandName()},
                                 {QStringLiteral("result"), kind},
                                 {QStringLiteral("exit_code"), exitCode},
                                 {QStringLiteral("message"), message}});
    return exitCode;
}

int CommandRun::linkFailure(UnitSession::Outcome outcome, UnitSession &session)
{
    switch (outcome) {
    case UnitSession::Outcome::PortError: {
        const QString message = text(AddedText::CliPortOpenError).arg(session.portError());
        return fail(ExitLink, message, QStringLiteral("port-error"));
    }
    case UnitSession::Outcome::VersionMismatch:
        return fail(ExitLink,
                    session.mismatchText() + u'\n' +
                        text(AddedText::CliVersionAdvice).arg(UnitLink::PcProgramVersion),
                    QStringLiteral("wrong-version"));
    case UnitSession::Outcome::NoAnswer:
    case UnitSession::Outcome::Interrupted:
        return fail(ExitLink,
                    session.scanning() && !session.liveConnection()
                        ? text(AddedText::CliNoAnswerScan)
                        : text(AddedText::CliNoAnswer).arg(session.portText()),
                    QStringLiteral("no-answer"));
    case UnitSession::Outcome::OtherUnit:
        return fail(ExitLink, text(AddedText::CliOtherUnit), QStringLiteral("other-unit"));
    case UnitSession::Outcome::Differs:
        // Never a success: a caller that did not expect it still ends in "differs".
        return ExitDiffers;
    case UnitSession::Outcome::Done:
        break;
    }
    return ExitDone;
}

int CommandRun::loadFile(const QString &path, IgnitionParameters &set)
{
    set = IgnitionParameters{};
    bool listChanged = false;
    ApplyVehiclePreset(set, listChanged);

    QString reason;
    const OpenedParameterFile opened = OpenParameterFileAt(path, set);
    const bool matched = opened.ok();
    const bool versionKeyFound = opened.text.contains("QUELLMAR_KEY");
    switch (opened.result) {
    case ParameterFileOpen::Missing: reason = QStringLiteral("no such file"); break;
    case ParameterFileOpen::NotRegularFile: reason = QStringLiteral("not a regular file"); break;
    case ParameterFileOpen::Unreadable: reason = opened.errorString; break;
    case ParameterFileOpen::TooLarge: reason = QStringLiteral("far larger than a parameter file"); break;
    case ParameterFileOpen::Opened:
        // Nothing the user did not write goes to a unit: a field the file lacks would
        // otherwise come from the vehicle preset.
        if (const QString key = FirstMissingParameterKey(opened.text); !key.isEmpty())
            reason = text(AddedText::CliFileLacksKey).arg(key);
        break;
    case ParameterFileOpen::VersionMismatch: break;
    }
    if (!reason.isEmpty())
        return fail(ExitFile, text(AddedText::CliFileReadError).arg(path, reason), QStringLiteral("file-error"));
    if (!matched) {
        // A file of another version says so; anything else is not a parameter file at all.
        MessageTable messages;
        messages.load(m_choice.session.LanguageIndex);
        const QString why = versionKeyFound ? messages.text(MsgUnmatchedFileVersion) : text(AddedText::CliNotParameterFile);
        return fail(ExitFile, text(AddedText::CliFileReadError).arg(path, why), QStringLiteral("file-error"));
    }
    SessionSettings session = m_choice.session;
    NormaliseParameters(set, session);
    return -1;
}

int CommandRun::writeFile(const QString &path, const QByteArray &bytes)
{
    // The rules of every write of ours: nothing but a regular file is replaced, and a
    // link that another user left in a shared folder is not followed.
    QString reason;
    const FileWriteReport report = writeFileSafely(path, bytes);
    if (report.result == FileWriteResult::NotRegularFile)
        reason = report.errorString.isEmpty() ? QStringLiteral("not a regular file") : report.errorString;
    else if (!report.ok())
        reason = report.errorString.isEmpty() ? QStringLiteral("write failed") : report.errorString;
    if (reason.isEmpty())
        return -1;
    return fail(ExitFile, text(AddedText::CliFileWriteError).arg(path, reason), QStringLiteral("file-error"));
}

std::unique_ptr<UnitSession> CommandRun::openSession(int &exitCode)
{
    auto session = std::make_unique<UnitSession>(m_choice.session, *m_ports);
    session->setPortLabel(m_choice.portLabel);
    const quint8 language = m_choice.session.LanguageIndex;
    session->afterTick = [this, language](const UnitLink &link) { m_out.progress(link, language); };
    const auto outcome = session->openPort();
    if (outcome != UnitSession::Outcome::Done) {
        exitCode = linkFailure(outcome, *session);
        return nullptr;
    }
    return session;
}

QJsonObject setJson(const IgnitionParameters &set)
{
    QJsonArray rpm;
    QJsonArray advance;
    for (int i = 0; i < CurvePoints; ++i) {
        rpm.append(int(set.RPM_ADV(i)) * 100);
        advance.append(int(set.ADVANCE(i)));
    }
    return QJsonObject{{QStringLiteral("BIKE"), set.BIKE()},
                       {QStringLiteral("RPM_ADV"), rpm},
                       {QStringLiteral("ADVANCE"), advance},
                       {QStringLiteral("TOP"), QJsonArray{set.TOP(0), set.TOP(1)}},
                       {QStringLiteral("EXCITATION"), set.EXCITATION()},
                       {QStringLiteral("BASE_ADV"), set.BASE_ADV()},
                       {QStringLiteral("LIMITER"), set.LIMITER()},
                       {QStringLiteral("RPM2"), set.RPM2()},
                       {QStringLiteral("BLOK_ENABLE"), set.BLOK_ENABLE()}};
}

// ------------------------------------------------------------------ ports

QString byIdName(const QString &device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return {};
    const QDir byId(QStringLiteral("/dev/serial/by-id"));
    const auto entries = byId.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries)
        if (entry.canonicalFilePath() == target)
            return entry.absoluteFilePath();
    return {};
}

int CommandRun::ports()
{
    SerialUnitPortProvider provider(m_choice.comDevices);
    const int chosen = m_choice.session.PortChoice == PortChoiceAuto ? 0 : m_choice.session.PortChoice + 1;
    int listed = 0;
    for (int n = 1; n < UnitLink::PortCount; ++n) {
        const QString device = provider.deviceName(n);
        if (device.isEmpty())
            continue;
        ++listed;
        const QSerialPortInfo info(QFileInfo(device).canonicalFilePath().isEmpty()
                                       ? device
                                       : QFileInfo(device).canonicalFilePath());
        const bool exists = QFileInfo::exists(device);
        const QString vendor = info.hasVendorIdentifier()
                                   ? QStringLiteral("%1").arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                                   : QString();
        const QString product = info.hasProductIdentifier()
                                    ? QStringLiteral("%1").arg(info.productIdentifier(), 4, 16, QLatin1Char('0'))
                                    : QString();
        const QString serial = info.serialNumber();
        const QString byId = byIdName(device);
        const QString port = QStringLiteral("COM%1").arg(n);
        if (m_out.json()) {
            m_out.result(QJsonObject{{QStringLiteral("port"), port},
                                     {QStringLiteral("device"), device},
                                     {QStringLiteral("present"), exists},
                                     {QStringLiteral("vendor_id"), vendor},
                                     {QStringLiteral("product_id"), product},
                                     {QStringLiteral("serial"), serial},
                                     {QStringLiteral("by_id"), byId},
                                     {QStringLiteral("chosen"), n == chosen}});
            continue;
        }
        QString line = QStringLiteral("%1 %2 %3").arg(QChar(n == chosen ? u'*' : u' ')).arg(port, -5).arg(device);
        if (!exists)
            line += QStringLiteral("  (missing)");
        if (!vendor.isEmpty() || !product.isEmpty())
            line += QStringLiteral("  USB %1:%2").arg(vendor, product);
        if (!serial.isEmpty())
            line += QStringLiteral("  serial %1").arg(serial);
        if (!byId.isEmpty() && byId != device)
            line += QStringLiteral("  %1").arg(byId);
        m_out.result(line);
    }
    if (!m_out.json()) {
        if (listed == 0)
            m_out.message(QStringLiteral("No serial devices found."));
        m_out.message(m_choice.session.PortChoice == PortChoiceAuto
                          ? QStringLiteral("The settings choose Com Auto: every port is scanned.")
                          : QStringLiteral("* the port the settings choose; --port overrides it."));
    }
    return ExitDone;
}

// ------------------------------------------------------------------ unit commands

int CommandRun::info()
{
    int exitCode = ExitDone;
    auto session = openSession(exitCode);
    if (!session)
        return exitCode;
    // The frames of a read, and nothing left unanswered for the next run.
    const auto outcome = session->compare();
    m_out.endProgress();
    if (outcome != UnitSession::Outcome::Done && outcome != UnitSession::Outcome::VersionMismatch)
        return linkFailure(outcome, *session);
    const UnitInformation unit = UnitInformation::Decode(session->link().unitInformation());
    const int version = unit.programVersion;
    if (m_out.json()) {
        // Dates and times as ISO 8601, for scripts; null where the unit's are not valid.
        m_out.result(QJsonObject{
            {QStringLiteral("command"), commandName()},
            {QStringLiteral("result"), QStringLiteral("ok")},
            {QStringLiteral("port"), session->portText()},
            {QStringLiteral("version"), unit.versionText},
            {QStringLiteral("date"), unit.programDate.isValid() ? QJsonValue(unit.programDate.toString(Qt::ISODate))
                                                                : QJsonValue()},
            {QStringLiteral("time"), unit.programTime.isValid()
                                         ? QJsonValue(unit.programTime.toString(QStringLiteral("HH:mm")))
                                         : QJsonValue()},
            {QStringLiteral("unit_program_version"), version},
            {QStringLiteral("matches"), version == UnitLink::PcProgramVersion}});
    } else {
        m_out.result(QStringLiteral("version          %1").arg(unit.versionText));
        m_out.result(QStringLiteral("date             %1").arg(unit.dateText));
        m_out.result(QStringLiteral("time             %1").arg(unit.timeText));
        m_out.result(QStringLiteral("program version  %1").arg(version));
    }
    m_out.flush();
    return outcome == UnitSession::Outcome::Done ? ExitDone : linkFailure(outcome, *session);
}

int CommandRun::read()
{
    int exitCode = ExitDone;
    auto session = openSession(exitCode);
    if (!session)
        return exitCode;
    const auto outcome = session->read();
    m_out.endProgress();
    if (outcome != UnitSession::Outcome::Done && outcome != UnitSession::Outcome::Differs)
        return linkFailure(outcome, *session);

    // A set the unit holds outside the limits arrives corrected, and its verify fails
    // as in the window; the corrected set is still written, and the failure reported.
    const IgnitionParameters &set = session->set();
    const QByteArray file = ParameterFileText(set);
    const bool toStdout = m_options.output.isEmpty() || m_options.output == QLatin1String("-");
    if (!toStdout) {
        const int written = writeFile(m_options.output, file);
        if (written >= 0)
            return written;
    }
    if (m_out.json()) {
        m_out.result(QJsonObject{{QStringLiteral("command"), commandName()},
                                 {QStringLiteral("result"), outcome == UnitSession::Outcome::Done
                                                                ? QStringLiteral("ok")
                                                                : QStringLiteral("corrected")},
                                 {QStringLiteral("port"), session->portText()},
                                 {QStringLiteral("file"), toStdout ? QJsonValue() : QJsonValue(m_options.output)},
                                 {QStringLiteral("set"), setJson(set)}});
    } else if (toStdout) {
        m_out.raw(file);
    }
    m_out.flush();
    if (outcome == UnitSession::Outcome::Differs) {
        m_out.error(text(AddedText::CliReadCorrected));
        return ExitDiffers;
    }
    return ExitDone;
}

int CommandRun::readUnitBesideFile(IgnitionParameters &fileSet, std::unique_ptr<UnitSession> &session)
{
    // A history entry's whole block, when FILE is no file but an entry's id.
    const auto entry = HistoryEntryForArgument(m_options.file, m_choice.session.LanguageIndex);
    if (entry) {
        fileSet = IgnitionParameters{};
        std::copy(entry->block.begin(), entry->block.end(), fileSet.image.begin());
    } else if (const int loaded = loadFile(m_options.file, fileSet); loaded >= 0) {
        return loaded;
    }
    int exitCode = ExitDone;
    session = openSession(exitCode);
    if (!session)
        return exitCode;
    // The unit's block as it came, in range or not; the session's set is not touched.
    const auto outcome = session->compare();
    m_out.endProgress();
    if (outcome != UnitSession::Outcome::Done)
        return linkFailure(outcome, *session);
    if (!entry || !entry->reservedKnown)
        TakeReservedBytes(fileSet, session->link().compareBlock());
    return ExitDone;
}

int CommandRun::verify()
{
    IgnitionParameters fileSet;
    std::unique_ptr<UnitSession> session;
    if (const int failed = readUnitBesideFile(fileSet, session); failed != ExitDone)
        return failed;
    const bool same = !BlocksDiffer(session->link().compareBlock(), fileSet.UnitBlockImage());
    if (m_out.json())
        m_out.result(QJsonObject{{QStringLiteral("command"), commandName()},
                                 {QStringLiteral("result"), same ? QStringLiteral("identical") : QStringLiteral("differs")},
                                 {QStringLiteral("port"), session->portText()},
                                 {QStringLiteral("file"), m_options.file}});
    else if (same && !m_out.quiet())
        m_out.result(text(AddedText::CliVerifyOk).arg(m_options.file));
    m_out.flush();
    if (!same) {
        m_out.error(text(AddedText::CliVerifyDiffers).arg(m_options.file));
        return ExitDiffers;
    }
    return ExitDone;
}

int CommandRun::program()
{
    IgnitionParameters fileSet;
    if (const int loaded = loadFile(m_options.file, fileSet); loaded >= 0)
        return loaded;
    int exitCode = ExitDone;
    auto session = openSession(exitCode);
    if (!session)
        return exitCode;
    return programSet(fileSet, *session, m_options.file, std::nullopt);
}

int CommandRun::restore()
{
    const quint8 language = m_choice.session.LanguageIndex;
    const UnitHistory history = UnitHistory::Read(DefaultBackupFolder(), language);
    const HistoryEntry *entry = history.find(m_options.file);
    if (!entry)
        return fail(ExitUsage, text(AddedText::HistoryNoEntry).arg(m_options.file), QStringLiteral("no-entry"));
    int exitCode = ExitDone;
    auto session = openSession(exitCode);
    if (!session)
        return exitCode;
    IgnitionParameters set;
    std::copy(entry->block.begin(), entry->block.end(), set.image.begin());
    // Only the unit the entry came from takes it back. Reserved bytes the store does not
    // know stay the unit's, as in any write.
    return programSet(set, *session, text(AddedText::HistoryEntryLabel).arg(entry->id),
                      RestoreRun{entry->tag, entry->reservedKnown});
}

int CommandRun::programSet(const IgnitionParameters &set, UnitSession &unit, const QString &label,
                           const std::optional<RestoreRun> &restore)
{
    UnitSession *session = &unit;
    // The one write sequence, as the window runs it: the unit's set is read and kept
    // first, the unit's reserved bytes go back to it (a restore's own go out instead),
    // and only the unit's word on its saving makes it a success. A read that fails
    // writes nothing; a backup that cannot be stored is reported and the write goes on.
    BackupStore store(DefaultBackupFolder());
    session->set() = set;
    EndingSignals interrupts;
    const WriteReport report = session->program(
        &store, [&interrupts] { return interrupts.count(); },
        [this](const BackupResult &backup) {
            if (backup.outcome != BackupResult::Failed)
                return;
            const QString reason = backup.folderMissing ? text(AddedText::BackupFolderNotCreated).arg(backup.reason)
                                                        : backup.reason;
            m_out.error(text(AddedText::BackupNotKept).arg(reason));
        },
        restore);
    m_out.endProgress();
    // Nothing is left to protect: from here a signal ends korvo-cli at once.
    interrupts.endAtOnce();

    const QString &file = label;
    if (interrupts.count() > 0) {
        // Interrupted: say in one line what the unit holds now.
        const bool verified = report.transfer && report.transfer->outcome == TransferOutcome::Accepted;
        if (!report.blockSent() && !verified)
            return fail(interrupts.exitCode(), text(AddedText::CliInterruptedNothingWritten),
                        QStringLiteral("interrupted"));
        if (verified && interrupts.count() < 2)
            return fail(interrupts.exitCode(), text(AddedText::CliInterruptedVerified).arg(file),
                        QStringLiteral("interrupted"));
        return fail(interrupts.exitCode(), text(AddedText::CliSetUnknown).arg(file),
                    QStringLiteral("interrupted"));
    }
    if (!report.refusedUnit.isEmpty())
        return fail(ExitLink,
                    session->messages().text(MsgUnmatchedVersion) + u'\n' +
                        text(AddedText::HistoryOtherUnit).arg(UnitTagText(restore->unitTag), UnitTagText(report.refusedUnit)),
                    QStringLiteral("wrong-version"));
    if (!report.transfer)
        return fail(ExitLink, text(AddedText::CliSetUnknown).arg(file), QStringLiteral("no-answer"));

    const TransferResult &transfer = *report.transfer;
    switch (transfer.outcome) {
    case TransferOutcome::Accepted:
        break;
    case TransferOutcome::NoAnswer:
        // Once the block has gone out, silence says nothing of what the unit holds.
        if (transfer.blockSent)
            return fail(ExitLink, text(AddedText::CliNoAnswer).arg(session->portText()) + u'\n' +
                                      text(AddedText::CliSetUnknown).arg(file),
                        QStringLiteral("no-answer"));
        return linkFailure(UnitSession::Outcome::NoAnswer, *session);
    case TransferOutcome::Differs: {
        // "Program error!" or "Verify error!", as the window says it.
        const int entry = transfer.mode == LinkMode::Verify ? MsgVerifyError : MsgProgramError;
        return fail(ExitDiffers, session->messages().text(entry) + u'\n' + text(AddedText::CliProgramRefused),
                    QStringLiteral("differs"));
    }
    case TransferOutcome::VersionMismatch:
        return linkFailure(UnitSession::Outcome::VersionMismatch, *session);
    case TransferOutcome::OtherUnit:
        return linkFailure(UnitSession::Outcome::OtherUnit, *session);
    }

    switch (report.confirmation.value_or(WriteConfirmation::ConnectionLost)) {
    case WriteConfirmation::Confirmed:
        break;
    case WriteConfirmation::StoredDataError:
        return fail(ExitDiffers, text(AddedText::CliStoredDataError), QStringLiteral("stored-data-error"));
    case WriteConfirmation::SavingNeverEnded:
        return fail(ExitLink,
                    text(AddedText::CliSavingNeverEnded)
                        .arg(session->link().savingBoundTicks() * UnitLink::TickMs / 1000)
                        .arg(file),
                    QStringLiteral("saving-never-ended"));
    case WriteConfirmation::ConnectionLost:
        return fail(ExitLink, text(AddedText::CliSavingLost), QStringLiteral("no-answer"));
    case WriteConfirmation::OtherUnit:
        return fail(ExitLink, text(AddedText::CliSetUnknown).arg(file), QStringLiteral("other-unit"));
    }

    const std::optional<BackupResult> &backup = report.backup;
    const QString backupPath = backup && backup->outcome != BackupResult::Failed ? backup->path : QString();
    if (m_out.json()) {
        m_out.result(QJsonObject{{QStringLiteral("command"), commandName()},
                                 {QStringLiteral("result"), QStringLiteral("ok")},
                                 {QStringLiteral("port"), session->portText()},
                                 {QStringLiteral("file"), file},
                                 {QStringLiteral("backup"), backupPath.isEmpty() ? QJsonValue() : QJsonValue(backupPath)},
                                 {QStringLiteral("backup_new"), backup && backup->outcome == BackupResult::Stored}});
    } else if (!m_out.quiet()) {
        m_out.result(text(m_options.command == CliCommand::Restore ? AddedText::HistoryRestoreDone
                                                                   : AddedText::CliProgramDone)
                         .arg(file));
        if (!backupPath.isEmpty())
            m_out.result(text(AddedText::CliBackupWritten).arg(backupPath));
    }
    m_out.flush();
    return ExitDone;
}

int CommandRun::diff()
{
    IgnitionParameters fileSet;
    std::unique_ptr<UnitSession> session;
    if (const int failed = readUnitBesideFile(fileSet, session); failed != ExitDone)
        return failed;
    const QList<DifferenceRow> rows =
        DifferenceRows(session->link().compareBlock(), fileSet.UnitBlockImage(), m_choice.session.LanguageIndex);
    if (m_out.json()) {
        QJsonArray differences;
        // The key names the field and its unit; values are plain numbers (switches true or
        // false), the reserved bytes' row their text; "field" is the window's name.
        const auto value = [](const DifferenceRow &row, bool unitSide) -> QJsonValue {
            const int number = unitSide ? row.unitNumber : row.editorNumber;
            if (row.isSwitch)
                return number != 0;
            if (number >= 0)
                return number;
            return unitSide ? row.unitValue : row.editorValue;
        };
        for (const DifferenceRow &row : rows)
            differences.append(QJsonObject{{QStringLiteral("key"), row.key},
                                           {QStringLiteral("field"), row.field},
                                           {QStringLiteral("unit"), value(row, true)},
                                           {QStringLiteral("file"), value(row, false)}});
        m_out.result(QJsonObject{{QStringLiteral("command"), commandName()},
                                 {QStringLiteral("result"), rows.isEmpty() ? QStringLiteral("identical")
                                                                           : QStringLiteral("differs")},
                                 {QStringLiteral("port"), session->portText()},
                                 {QStringLiteral("file"), m_options.file},
                                 {QStringLiteral("differences"), differences}});
    } else if (!rows.isEmpty()) {
        qsizetype fieldWidth = text(AddedText::CompareColumnField).size();
        qsizetype unitWidth = text(AddedText::CompareColumnUnit).size();
        for (const DifferenceRow &row : rows) {
            fieldWidth = std::max(fieldWidth, row.field.size());
            unitWidth = std::max(unitWidth, row.unitValue.size());
        }
        const auto line = [&](const QString &field, const QString &unit, const QString &file) {
            m_out.result(field.leftJustified(fieldWidth + 2) + unit.leftJustified(unitWidth + 2) + file);
        };
        line(text(AddedText::CompareColumnField), text(AddedText::CompareColumnUnit), m_options.file);
        for (const DifferenceRow &row : rows)
            line(row.field, row.unitValue, row.editorValue);
    } else if (!m_out.quiet()) {
        m_out.result(text(AddedText::CliVerifyOk).arg(m_options.file));
    }
    m_out.flush();
    return rows.isEmpty() ? ExitDone : ExitDiffers;
}

int CommandRun::monitor()
{
    int exitCode = ExitDone;
    auto session = openSession(exitCode);
    if (!session)
        return exitCode;

    EndingSignals interrupts;

    if (m_options.csv)
        m_out.result(QString::fromLatin1(LiveRecorder::Header).trimmed());
    m_out.flush();
    QElapsedTimer clock;
    clock.start();
    bool connected = false;
    bool lostShown = false;
    bool versionShown = false;
    const MessageTable &messages = session->messages();
    const auto onOff = [](bool on) { return on ? QStringLiteral("ON") : QStringLiteral("OFF"); };
    const auto pickup = [&](int number, bool running) {
        return QStringLiteral("%1 %2 - %3")
            .arg(messages.text(MsgPickup))
            .arg(number)
            .arg(messages.text(running ? MsgPickupRunning : MsgPickupNoSignal));
    };

    const auto onFrame = [&](const LiveValues &v) {
        connected = true;
        lostShown = false;
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        const double volts = double(LiveVolts(v.millivolts));
        if (!versionShown && v.unitProgramVersion != UnitLink::PcProgramVersion) {
            versionShown = true;
            m_out.error(messages.text(MsgUnmatchedVersion) +
                        QString::asprintf("  PC-%d, IGN-%d", UnitLink::PcProgramVersion, int(v.unitProgramVersion)));
        }
        if (m_options.csv) {
            // The rows of a recording in the window, made by the same code.
            std::array<char, 128> row{};
            const int length = LiveRecorder::FormatRow(clock.elapsed(), v, row);
            m_out.result(QString::fromLatin1(row.data(), length - 1));
        } else if (m_out.json()) {
            m_out.result(QJsonObject{{QStringLiteral("time_s"), std::round(seconds * 1000.0) / 1000.0},
                                     {QStringLiteral("rpm"), v.rpm},
                                     {QStringLiteral("advance_deg"), v.advance},
                                     {QStringLiteral("voltage_v"), std::round(volts * 10.0) / 10.0},
                                     {QStringLiteral("blocking"), v.blocking},
                                     {QStringLiteral("neutral"), v.neutral},
                                     {QStringLiteral("side_stand"), v.sideStand},
                                     {QStringLiteral("pickup1"), v.pickup1},
                                     {QStringLiteral("pickup2"), v.pickup2},
                                     {QStringLiteral("saving"), v.savingCountdown}});
        } else {
            // The values in the words of the window's monitor.
            m_out.result(QString::asprintf("%8.3f  RPM = %d  ADVANCE = %d [", seconds, int(v.rpm), int(v.advance)) +
                         QChar(0xB0) + QString::asprintf("]  U = %4.1f [V]  ", volts) +
                         QStringLiteral("Blocking = %1  Neutral sw. = %2  Side stand sw. = %3  ")
                             .arg(onOff(v.blocking), onOff(v.neutral), onOff(v.sideStand)) +
                         pickup(1, v.pickup1) + QStringLiteral("  ") + pickup(2, v.pickup2) +
                         (v.savingCountdown ? QStringLiteral("  saving %1").arg(v.savingCountdown) : QString()));
        }
        m_out.flush();
        return true;
    };
    const auto stop = [&] {
        if (connected && !session->liveConnection() && !lostShown) {
            lostShown = true;
            m_out.error(text(AddedText::CliConnectionLost).arg(session->portText()));
        }
        return interrupts.count() != 0;
    };
    // The bar would mix with the lines on a terminal.
    session->afterTick = nullptr;
    const auto outcome = session->monitor(m_options.seconds, onFrame, stop);
    if (outcome == UnitSession::Outcome::NoAnswer)
        return linkFailure(outcome, *session);
    return ExitDone;
}

int CommandRun::run()
{
    switch (m_options.command) {
    case CliCommand::Ports: return ports();
    case CliCommand::Info: return info();
    case CliCommand::Read: return read();
    case CliCommand::Program: return program();
    case CliCommand::Verify: return verify();
    case CliCommand::Diff: return diff();
    case CliCommand::Monitor: return monitor();
    case CliCommand::Summary: return RunSummaryCommand(m_options);
    case CliCommand::History: return RunHistoryCommand(m_options, m_choice.session.LanguageIndex);
    case CliCommand::Restore: return restore();
    case CliCommand::None: break;
    }
    return ExitUsage;
}

} // namespace

int RunCliCommand(const CliOptions &options, UnitPortProvider *ports)
{
    CommandRun run(options, ports);
    return run.run();
}
