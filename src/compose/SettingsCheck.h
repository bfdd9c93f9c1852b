#pragma once

#include "compose/CompositionSettings.h"
#include "joblist/JobEntry.h"
#include "layout/LayoutCheck.h"

#include <QStringList>

#include <optional>

namespace pagula::compose
{

// The settings as the layout check takes them, both crop profiles counted as used.
layout::LayoutInput layoutInput(const CompositionSettings& settings);

// The first setting of a run that cannot make a page, judged before anything is placed. A crop
// profile counts only when one of the entries uses it.
std::optional<layout::LayoutProblem> checkSettings(const CompositionSettings& settings,
                                                   const joblist::JobEntries& entries);

} // namespace pagula::compose
