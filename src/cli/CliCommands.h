#pragma once

#include "CliOptions.h"

class UnitPortProvider;

// Runs one command of the command line; returns the process's exit code. ports opens the
// COM numbers; null: the serial ports the settings name.
int RunCliCommand(const CliOptions &options, UnitPortProvider *ports = nullptr);
