#include "KorvoCliProcess.h"
#include "UnitSimulatorProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// korvo-cli history, restore and diff of an entry against korvo-unit-sim on a
// pseudo-terminal, with its own backup folder in a temporary folder.
class tst_KorvoCliHistory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void restorePutsTheUnitBack();
    void restoreRefused_data();
    void restoreRefused();

private:
    using Run = KorvoCliRun;
    Run cli(const QStringList &arguments);
    // The set the unit holds, as an .ign file.
    QByteArray unitSet();
    // Writes the unit's set with another limiter to a file and programs it.
    void programLimiter(const QByteArray &base, int limiter);
    QJsonArray entries();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_tty;
    UnitSimulatorProcess m_sim;
};

void tst_KorvoCliHistory::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_tty = m_dir->filePath(QStringLiteral("unit-tty"));
}

void tst_KorvoCliHistory::cleanup()
{
    m_sim.stop();
    m_dir.reset();
}

tst_KorvoCliHistory::Run tst_KorvoCliHistory::cli(const QStringList &arguments)
{
    return runKorvoCli(QStringLiteral(KORVO_CLI), m_dir->path(), QStringList{QStringLiteral("--port"), m_tty} + arguments);
}

QByteArray tst_KorvoCliHistory::unitSet()
{
    const Run read = cli({QStringLiteral("read")});
    return read.exitCode == 0 ? read.out : QByteArray();
}

void tst_KorvoCliHistory::programLimiter(const QByteArray &base, int limiter)
{
    QByteArray text = base;
    const qsizetype at = text.indexOf("LIMITER");
    QVERIFY(at >= 0);
    const qsizetype end = text.indexOf('\n', at);
    text.replace(at, end - at, QByteArray("LIMITER       ") + QByteArray::number(limiter));
    const QString path = m_dir->filePath(QStringLiteral("set-%1.ign").arg(limiter));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QCOMPARE(cli({QStringLiteral("program"), path}).exitCode, 0);
}

QJsonArray tst_KorvoCliHistory::entries()
{
    const Run history = cli({QStringLiteral("history"), QStringLiteral("--json")});
    if (history.exitCode != 0)
        return {};
    const QJsonArray units =
        QJsonDocument::fromJson(history.out).object().value(QStringLiteral("units")).toArray();
    return units.size() == 1 ? units.first().toObject().value(QStringLiteral("entries")).toArray()
                             : QJsonArray();
}

// Two writes of different sets make three entries; restoring the first puts the unit
// back to the set it came with, reserved bytes included, after keeping what it held.
void tst_KorvoCliHistory::restorePutsTheUnitBack()
{
    QVERIFY(!m_sim.start(m_tty, {QStringLiteral("--reserved"), QStringLiteral("77")}).isEmpty());
    const QByteArray cameWith = unitSet();
    QVERIFY(!cameWith.isEmpty());
    programLimiter(cameWith, 120);
    programLimiter(cameWith, 110);

    QJsonArray list = entries();
    QCOMPARE(list.size(), 3);
    QCOMPARE(list[0].toObject().value("kind").toString(), QStringLiteral("written"));
    const QJsonArray changes = list[0].toObject().value("changes").toArray();
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes[0].toObject().value("field").toString(), QStringLiteral("Limiter"));
    QCOMPARE(changes[0].toObject().value("after").toString(), QStringLiteral("11000"));
    const QJsonObject oldest = list[2].toObject();
    QCOMPARE(oldest.value("kind").toString(), QStringLiteral("backup"));
    const QString id = oldest.value("id").toString();

    QCOMPARE(cli({QStringLiteral("diff"), id}).exitCode, 1);
    const Run restore = cli({QStringLiteral("restore"), id});
    QCOMPARE(restore.exitCode, 0);
    QVERIFY2(restore.out.contains(id.toUtf8()), restore.out.constData());
    QCOMPARE(unitSet(), cameWith);
    QCOMPARE(cli({QStringLiteral("diff"), id}).exitCode, 0);
    list = entries();
    QCOMPARE(list.size(), 4);
    QCOMPARE(list[0].toObject().value("changes").toArray()[0].toObject().value("after").toString(),
             QStringLiteral("13700"));

    // A unit whose own bytes moved on since gets the entry's back: a fresh unit with other
    // reserved bytes differs from the entry until it is restored.
    m_sim.stop();
    QVERIFY(!m_sim.start(m_tty, {QStringLiteral("--reserved"), QStringLiteral("88")}).isEmpty());
    const Run before = cli({QStringLiteral("diff"), id});
    QCOMPARE(before.exitCode, 1);
    QVERIFY(before.out.contains("byte 40: 88"));
    QCOMPARE(cli({QStringLiteral("restore"), id}).exitCode, 0);
    QCOMPARE(cli({QStringLiteral("diff"), id}).exitCode, 0);
}

void tst_KorvoCliHistory::restoreRefused_data()
{
    QTest::addColumn<QStringList>("simulator");
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such entry") << QStringList{} << "99" << 2 << "No history entry 99";
    QTest::newRow("another unit") << QStringList{QStringLiteral("--version-text"), QStringLiteral("OTHER")}
                                  << "1" << 3 << "Unmatched version of PC and Ignition programs!";
}

// Nothing is written when the entry is unknown or belongs to another unit.
void tst_KorvoCliHistory::restoreRefused()
{
    QFETCH(QStringList, simulator);
    QFETCH(QString, id);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    QVERIFY(!m_sim.start(m_tty).isEmpty());
    const QByteArray cameWith = unitSet();
    programLimiter(cameWith, 120);
    m_sim.stop();
    QVERIFY(!m_sim.start(m_tty, simulator).isEmpty());
    const QByteArray held = unitSet();

    const Run restore = cli({QStringLiteral("restore"), id});
    QCOMPARE(restore.exitCode, exitCode);
    QVERIFY2(restore.err.contains(message), qPrintable(restore.err));
    QCOMPARE(unitSet(), held);
    QCOMPARE(entries().size(), 2);
}

QTEST_GUILESS_MAIN(tst_KorvoCliHistory)
#include "tst_KorvoCliHistory.moc"
