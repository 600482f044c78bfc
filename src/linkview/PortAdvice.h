#pragma once

#include "UnitPort.h"

#include <QString>

// The detail beneath "Com opening error!": the port and the device behind it, why it did
// not open and, where the user can do something about it, what. For example
//   COM3 (/dev/ttyUSB0): Permission denied
//   This user may not use serial ports. Run ... sudo usermod -aG dialout $USER ...
QString PortOpenAdvice(const QString &portName, const PortOpenFailure &failure, quint8 languageIndex);
