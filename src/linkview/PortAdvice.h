#pragma once

#include "UnitPort.h"

#include <QString>

// The detail beneath "Com opening error!": the port and the device behind it, why it did
// not open and, where the user can do something about it, what. For example
//   COM3 (/dev/ttyUSB0): Permission denied
//   This user may not use serial ports. Run ... sudo usermod -aG dialout $USER ...
// Joining the device's group is advised only when that group may read and write it and
// is one made for serial ports; a device of root's alone is reported as not open to users.
QString PortOpenAdvice(const QString &portName, const PortOpenFailure &failure, quint8 languageIndex);

// Whether a group is one that systems give to serial devices (dialout, uucp, ...).
bool isSerialPortGroup(const QString &group);
