#pragma once

#include "cli/ComposeOptions.h"
#include "joblist/JobEntry.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace pagula::cli
{

// Checks made before any file is read: output extensions, what is in the outputs' place (see
// checkOutput), and settings that cannot make a page (naming the option and its allowed range).
// Returns the error for an exit with status 2; options that have no effect in this combination,
// and outputs whose hard links the replacement breaks, add a warning.
std::optional<QString> checkArguments(const ComposeOptions& options, QStringList* warnings);

// Checks against the job list's entries: no output may be the job list, one of its pictures or
// another output, however the names reach it.
std::optional<QString> checkOutputsAgainstInputs(const ComposeOptions& options,
                                                 const joblist::JobEntries& entries);

} // namespace pagula::cli
