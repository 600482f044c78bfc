#pragma once

#include "CliOptions.h"

// Runs one command of the command line; returns the process's exit code.
int RunCliCommand(const CliOptions &options);
