#include "CliOutput.h"

#include "AddedTexts.h"

#include <algorithm>

#include <QJsonDocument>

#include <cstdio>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

bool standardErrorIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr)) != 0;
#else
    return ::isatty(STDERR_FILENO) == 1;
#endif
}

} // namespace

CliOutput::CliOutput(bool json, bool quiet)
    : m_json(json), m_quiet(quiet), m_bar(!quiet && standardErrorIsTerminal())
{
}

void CliOutput::raw(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void CliOutput::flush()
{
    std::fflush(stdout);
}

void CliOutput::result(const QString &text)
{
    raw(text.toUtf8() + '\n');
}

void CliOutput::result(const QJsonObject &object)
{
    raw(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
}

void CliOutput::message(const QString &text)
{
    if (m_quiet)
        return;
    endProgress();
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

void CliOutput::error(const QString &text)
{
    endProgress();
    std::fprintf(stderr, "korvo-cli: %s\n", text.toUtf8().constData());
}

void CliOutput::progress(const UnitLink &link, quint8 language)
{
    if (!m_bar)
        return;
    // The steps of a transfer: block 0 and 1 of a read, then of a write, then the verify.
    AddedText step = AddedText::CliStepReading;
    int done = 0;
    int steps = 2;
    const int block = BlockNumberOf(link.commandByte());
    switch (link.mode()) {
    case LinkMode::BackupRead:
        steps = 5;
        done = block;
        break;
    case LinkMode::Program:
        step = AddedText::CliStepWriting;
        steps = 5;
        done = 2 + block;
        break;
    case LinkMode::Verify:
        step = AddedText::CliStepVerifying;
        steps = 1;
        break;
    case LinkMode::Read:
    case LinkMode::Compare:
        done = block;
        break;
    case LinkMode::Idle:
        if (!link.confirmingWrite()) {
            endProgress();
            return;
        }
        step = AddedText::CliStepSaving;
        steps = UnitLink::SavingFullCountdown;
        done = std::max(0, UnitLink::SavingFullCountdown - int(link.savingCountdown()));
        break;
    }
    constexpr int Width = 30;
    const int filled = std::clamp(Width * done / steps, 0, Width);
    const QString line = AddedTextFor(step, language).leftJustified(12) + QStringLiteral(" [") +
                         QString(filled, u'#') + QString(Width - filled, u'-') + u']';
    if (line == m_lastBar)
        return;
    m_lastBar = line;
    std::fprintf(stderr, "\r\033[K%s", line.toUtf8().constData());
    std::fflush(stderr);
}

void CliOutput::endProgress()
{
    if (m_lastBar.isEmpty())
        return;
    m_lastBar.clear();
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
}
