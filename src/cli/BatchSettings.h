#pragma once

#include "cli/ComposeOptions.h"
#include "compose/CompositionSettings.h"

namespace pagula::cli
{

// The composition's settings from the command line, every entry of the job list taken. They
// stay fixed for the whole run.
compose::CompositionSettings batchSettings(const ComposeOptions& options,
                                           joblist::JobEntries entries);

} // namespace pagula::cli
