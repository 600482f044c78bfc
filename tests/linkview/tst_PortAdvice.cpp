#include "PortAdvice.h"

#include <QTest>

// The detail of "Com opening error!" tells which device, why, and what helps.
class tst_PortAdvice : public QObject
{
    Q_OBJECT

private slots:
    void advice_data();
    void advice();
    void permissionByOwnerAndMode_data();
    void permissionByOwnerAndMode();
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

// Joining a group is advised only where it would open the device and where that group
// is meant for serial ports; joining root, or a group that may not write, is never advised.
void tst_PortAdvice::permissionByOwnerAndMode_data()
{
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("advisedGroup"); // empty: the device is reported as not open to users
    QTest::newRow("dialout may read and write") << "root" << "dialout" << 0660 << "dialout";
    QTest::newRow("uucp may read and write") << "root" << "uucp" << 0660 << "uucp";
    QTest::newRow("dialout, all may write") << "root" << "dialout" << 0666 << "dialout";
    QTest::newRow("root alone") << "root" << "root" << 0600 << "";
    QTest::newRow("root's group may read and write") << "root" << "root" << 0660 << "";
    QTest::newRow("dialout may only read") << "root" << "dialout" << 0640 << "";
    QTest::newRow("dialout, no group rights") << "root" << "dialout" << 0600 << "";
    QTest::newRow("a terminal: group may only write") << "alice" << "tty" << 0620 << "";
    QTest::newRow("another user's group") << "bob" << "bob" << 0660 << "";
    QTest::newRow("a desktop group") << "root" << "plugdev" << 0660 << "";
}

void tst_PortAdvice::permissionByOwnerAndMode()
{
    QFETCH(QString, owner);
    QFETCH(QString, group);
    QFETCH(int, mode);
    QFETCH(QString, advisedGroup);
    PortOpenFailure f = failure(PortOpenFailure::Reason::PermissionDenied, "/dev/ttyUSB0", "Permission denied",
                                group);
    f.deviceOwner = owner;
    f.deviceMode = mode;
    for (const quint8 language : {quint8(0), quint8(1), quint8(3)}) {
        const QString advice = PortOpenAdvice("COM3", f, language);
        QVERIFY2(!advice.contains("-aG root") && !advice.contains("-aG bob") && !advice.contains("-aG plugdev"),
                 qPrintable(advice));
        if (advisedGroup.isEmpty()) {
            QVERIFY2(!advice.contains("usermod"), qPrintable(advice));
            QVERIFY2(advice.contains("udev") && advice.contains(owner + ':' + group), qPrintable(advice));
        } else {
            QVERIFY2(advice.contains("sudo usermod -aG " + advisedGroup + " $USER"), qPrintable(advice));
        }
    }
    if (advisedGroup.isEmpty())
        QCOMPARE(PortOpenAdvice("COM3", f, 0),
                 QString("COM3 (/dev/ttyUSB0): Permission denied\nThe device is not open to users (%1:%2, mode %3): "
                         "no group made for serial ports may use it. Check the udev rule that gives it its group "
                         "and mode, and whether another program has changed them.")
                     .arg(owner, group, QString::number(mode, 8).rightJustified(4, '0')));
}

QTEST_GUILESS_MAIN(tst_PortAdvice)
#include "tst_PortAdvice.moc"
