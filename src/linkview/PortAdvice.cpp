#include "PortAdvice.h"

#include "AddedTexts.h"

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
