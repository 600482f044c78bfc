#pragma once

#include "CliOptions.h"

// korvo-cli summary FILE.csv: what a recording of live values says about a run.
int RunSummaryCommand(const CliOptions &options);
