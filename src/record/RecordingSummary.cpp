#include "RecordingSummary.h"

#include <QJsonDocument>
#include <QJsonValue>

#include <algorithm>
#include <cmath>

namespace {

QString seconds(qint64 ms)
{
    return QString::number(double(ms) / 1000.0, 'f', 3) + QStringLiteral(" s");
}

double roundedVolts(double volts)
{
    return std::round(volts * 10.0) / 10.0;
}

} // namespace

RecordingSummary RecordingSummary::Of(const Recording &r, int limiterRpm)
{
    RecordingSummary s;
    s.limiterRpm = std::max(0, limiterRpm);
    s.rows = r.rows();
    if (r.isEmpty())
        return s;
    s.durationMs = r.durationMs();
    const auto [rpmLow, rpmHigh] = std::minmax_element(r.rpm.begin(), r.rpm.end());
    s.rpmMin = *rpmLow;
    s.rpmMax = *rpmHigh;
    const auto [advanceLow, advanceHigh] = std::minmax_element(r.advance.begin(), r.advance.end());
    s.advanceMin = *advanceLow;
    s.advanceMax = *advanceHigh;
    const auto [voltsLow, voltsHigh] = std::minmax_element(r.volts.begin(), r.volts.end());
    s.voltsMin = *voltsLow;
    s.voltsMax = *voltsHigh;
    for (qsizetype i = 0; i + 1 < r.rows(); ++i) {
        const qint64 held = r.timeMs[size_t(i + 1)] - r.timeMs[size_t(i)];
        if (s.limiterRpm > 0 && r.rpm[size_t(i)] >= s.limiterRpm)
            s.msAtLimiter += held;
        if (r.flags[size_t(i)] & Recording::SideStand)
            s.msSideStandDown += held;
    }
    return s;
}

QString RecordingSummary::text() const
{
    QString out;
    const auto line = [&out](const char *name, const QString &value) {
        out += QString::fromLatin1(name).leftJustified(26) + value + u'\n';
    };
    line("Duration:", seconds(durationMs));
    line("Rows:", QString::number(rows));
    if (rows == 0)
        return out;
    line("Engine speed:", QStringLiteral("%1 to %2 rpm").arg(rpmMin).arg(rpmMax));
    if (limiterRpm > 0)
        line("At or above the limiter:",
             seconds(msAtLimiter) + QStringLiteral(" (limiter %1 rpm)").arg(limiterRpm));
    line("Advance:", QStringLiteral("%1 to %2 degrees").arg(advanceMin).arg(advanceMax));
    line("Supply voltage:", QStringLiteral("%1 to %2 V")
                                .arg(QString::number(voltsMin, 'f', 1), QString::number(voltsMax, 'f', 1)));
    line("Side stand down:", seconds(msSideStandDown));
    return out;
}

QJsonObject RecordingSummary::json() const
{
    QJsonObject o{{QStringLiteral("duration_s"), double(durationMs) / 1000.0},
                  {QStringLiteral("rows"), rows}};
    const auto orNull = [this](double value) { return rows > 0 ? QJsonValue(value) : QJsonValue(); };
    o.insert(QStringLiteral("rpm_min"), orNull(rpmMin));
    o.insert(QStringLiteral("rpm_max"), orNull(rpmMax));
    o.insert(QStringLiteral("limiter_rpm"), limiterRpm > 0 ? QJsonValue(limiterRpm) : QJsonValue());
    o.insert(QStringLiteral("at_limiter_s"),
             limiterRpm > 0 ? QJsonValue(double(msAtLimiter) / 1000.0) : QJsonValue());
    o.insert(QStringLiteral("advance_min_deg"), orNull(advanceMin));
    o.insert(QStringLiteral("advance_max_deg"), orNull(advanceMax));
    o.insert(QStringLiteral("voltage_min_v"), orNull(roundedVolts(voltsMin)));
    o.insert(QStringLiteral("voltage_max_v"), orNull(roundedVolts(voltsMax)));
    o.insert(QStringLiteral("side_stand_down_s"), double(msSideStandDown) / 1000.0);
    return o;
}

RecordingSummaryOutput SummariseRecordingFile(const QString &path, int limiterRpm, bool json)
{
    const RecordingRead read = ReadRecordingFile(path);
    RecordingSummaryOutput output;
    output.err = RecordingReadMessage(read, path, 0);
    if (!output.err.isEmpty())
        output.err += u'\n';
    output.damaged = read.problem.kind != RecordingProblem::None;
    if (read.recording.isEmpty() && read.problem.kind != RecordingProblem::None)
        return output;
    const RecordingSummary summary = RecordingSummary::Of(read.recording, limiterRpm);
    output.out = json
                     ? QString::fromUtf8(QJsonDocument(summary.json()).toJson(QJsonDocument::Compact)) + u'\n'
                     : summary.text();
    return output;
}
