#include "PortAdvice.h"

#include <QTest>

// The detail of "Com opening error!" tells which device, why, and what helps.
class tst_PortAdvice : public QObject
{
    Q_OBJECT

private slots:
    void advice_data();
    void advice();
};

namespace {
PortOpenFailure failure(PortOpenFailure::Reason reason, const QString &device, const QString &systemText = {},
                        const QString &group = {}, bool newLogin = false, int present = 0)
{
    PortOpenFailure f;
    f.reason = reason;
    f.device = device;
    f.systemText = systemText;
    f.accessGroup = group;
    f.groupNeedsNewLogin = newLogin;
    f.devicesPresent = present;
    return f;
}
} // namespace

void tst_PortAdvice::advice_data()
{
    using R = PortOpenFailure::Reason;
    QTest::addColumn<QString>("portName");
    QTest::addColumn<PortOpenFailure>("failure");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    const QString usb = QStringLiteral("/dev/ttyUSB0");
    QTest::newRow("permission: the command")
        << "COM3" << failure(R::PermissionDenied, usb, "Permission denied", "dialout") << 0
        << "COM3 (/dev/ttyUSB0): Permission denied\nThis user may not use serial ports. Run\n"
           "    sudo usermod -aG dialout $USER\nthen log out and log in again.";
    QTest::newRow("permission: the device's own group")
        << "COM1" << failure(R::PermissionDenied, usb, "Permission denied", "uucp") << 0
        << "COM1 (/dev/ttyUSB0): Permission denied\nThis user may not use serial ports. Run\n"
           "    sudo usermod -aG uucp $USER\nthen log out and log in again.";
    QTest::newRow("permission: group unknown")
        << "COM1" << failure(R::PermissionDenied, usb) << 0
        << "COM1 (/dev/ttyUSB0): Permission denied\nThis user may not use serial ports. Run\n"
           "    sudo usermod -aG dialout $USER\nthen log out and log in again.";
    QTest::newRow("permission: joined, not logged in again")
        << "COM3" << failure(R::PermissionDenied, usb, "Permission denied", "dialout", true) << 0
        << "COM3 (/dev/ttyUSB0): Permission denied\nYou are in the dialout group, but this session began "
           "before you joined it: log out and log in again.";
    QTest::newRow("busy") << "COM3" << failure(R::Busy, usb, "Permission denied") << 0
                          << "COM3 (/dev/ttyUSB0): in use by another program\n"
                             "Close the other program (for example a terminal), or choose another port.";
    QTest::newRow("no adapter, not the built-in port")
        << "COM1" << failure(R::NoUsbAdapter, "/dev/ttyS0", "Permission denied", "dialout") << 0
        << "No USB serial adapter is connected. Connect the adapter; the program looks for it again by itself.";
    QTest::newRow("number beyond the devices")
        << "COM5" << failure(R::NoDevice, QString(), {}, {}, false, 2) << 0
        << "COM5: no serial device has this number: 2 present, as Com 1 to Com 2";
    QTest::newRow("mapped device missing")
        << "COM2" << failure(R::NotFound, "/dev/serial/by-id/usb-FTDI-if00", "No such file or directory") << 0
        << "COM2 (/dev/serial/by-id/usb-FTDI-if00): the device is not present";
    QTest::newRow("other: the system's words")
        << "COM3" << failure(R::Other, usb, "Input/output error") << 0
        << "COM3 (/dev/ttyUSB0): Input/output error";
    QTest::newRow("port named as its device") << "COM3" << failure(R::Other, "COM3", "Access is denied.") << 0
                                              << "COM3: Access is denied.";
    QTest::newRow("czech permission")
        << "COM3" << failure(R::PermissionDenied, usb, "Permission denied", "dialout") << 3
        << "COM3 (/dev/ttyUSB0): Přístup odepřen\nTento uživatel nesmí používat sériové porty. Spusťte\n"
           "    sudo usermod -aG dialout $USER\na pak se odhlaste a znovu přihlaste.";
    QTest::newRow("german busy") << "COM3" << failure(R::Busy, usb) << 1
                                 << "COM3 (/dev/ttyUSB0): wird von einem anderen Programm verwendet\n"
                                    "Schließen Sie das andere Programm (zum Beispiel ein Terminal) oder "
                                    "wählen Sie einen anderen Anschluss.";
}

void tst_PortAdvice::advice()
{
    QFETCH(QString, portName);
    QFETCH(PortOpenFailure, failure);
    QFETCH(int, language);
    QFETCH(QString, expected);
    QCOMPARE(PortOpenAdvice(portName, failure, quint8(language)), expected);
}

QTEST_GUILESS_MAIN(tst_PortAdvice)
#include "tst_PortAdvice.moc"
