#include "CliOutput.h"

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

void CliOutput::progress(const LinkDriver &link)
{
    if (!m_bar)
        return;
    QString line;
    if (link.LabelHlaseni.visible || link.CGaugeProgram.visible) {
        constexpr int Width = 30;
        const GaugeView &gauge = link.CGaugeProgram;
        const int filled = gauge.maximum > 0 ? Width * gauge.position / gauge.maximum : 0;
        line = link.LabelHlaseni.caption.leftJustified(20) + QStringLiteral(" [") + QString(filled, u'#') +
               QString(Width - filled, u'-') + u']';
    }
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
