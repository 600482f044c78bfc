#include "PortAdvice.h"

#include "AddedTexts.h"

#include <QStringList>

bool isSerialPortGroup(const QString &group)
{
    // Debian's dialout, the BSDs' and Arch's uucp, and the names some systems use instead.
    static const QStringList groups{QStringLiteral("dialout"), QStringLiteral("uucp"), QStringLiteral("dialer"),
                                    QStringLiteral("serial"), QStringLiteral("tty")};
    return groups.contains(group);
}

namespace {

// Joining the group helps only when the group may read and write the device; joining
// any other group (root's above all) would give away far more than a serial port.
bool groupWouldHelp(const PortOpenFailure &failure)
{
    if (failure.accessGroup.isEmpty())
        return true; // nothing known: the usual group is the advice
    constexpr int GroupReadWrite = 060;
    const bool groupMayUse = failure.deviceMode < 0 || (failure.deviceMode & GroupReadWrite) == GroupReadWrite;
    return groupMayUse && isSerialPortGroup(failure.accessGroup);
}

} // namespace

QString PortOpenAdvice(const QString &portName, const PortOpenFailure &failure, quint8 languageIndex)
{
    using Reason = PortOpenFailure::Reason;
    const auto text = [languageIndex](AddedText id) { return AddedTextFor(id, languageIndex); };

    if (failure.reason == Reason::NoUsbAdapter)
        return text(AddedText::PortNoUsbAdapter);

    // Where the port's name is itself the device (Windows), it is named once.
    QString where = portName;
    if (!failure.device.isEmpty() && failure.device != portName)
        where += QStringLiteral(" (") + failure.device + u')';

    QString reason;
    QString advice;
    switch (failure.reason) {
    case Reason::PermissionDenied: {
        reason = text(AddedText::PortPermissionDenied);
        if (!groupWouldHelp(failure)) {
            const QString owner = failure.deviceOwner.isEmpty() ? QStringLiteral("?") : failure.deviceOwner;
            const QString mode = failure.deviceMode < 0 ? QStringLiteral("?")
                                                        : QString::number(failure.deviceMode, 8).rightJustified(4, u'0');
            advice = text(AddedText::PortNotOpenToUsers).arg(owner + u':' + failure.accessGroup, mode);
            break;
        }
        const QString group = failure.accessGroup.isEmpty() ? QStringLiteral("dialout") : failure.accessGroup;
        advice = failure.groupNeedsNewLogin ? text(AddedText::PortLogInAgain).arg(group)
                                            : text(AddedText::PortJoinGroup).arg(group);
        break;
    }
    case Reason::Busy:
        reason = text(AddedText::PortBusy);
        advice = text(AddedText::PortBusyAdvice);
        break;
    case Reason::NotFound:
        reason = text(AddedText::PortNotPresent);
        break;
    case Reason::NoDevice:
        reason = text(AddedText::PortNoDevice).arg(failure.devicesPresent);
        break;
    case Reason::None:
    case Reason::NoUsbAdapter:
    case Reason::Other:
        reason = failure.systemText;
        break;
    }
    QString detail = reason.isEmpty() ? where : where + QStringLiteral(": ") + reason;
    if (!advice.isEmpty())
        detail += u'\n' + advice;
    return detail;
}
