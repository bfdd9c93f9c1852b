#include "cli/BatchSettings.h"

namespace pagula::cli
{

BatchSettings::BatchSettings(const ComposeOptions& options, joblist::JobEntries entries)
    : o_(options), entries_(std::move(entries)), cellWidth_(chosenCellWidth(options)),
      cellHeight_(chosenCellHeight(options)), gutterSide_(options.gutterSide)
{
}

} // namespace pagula::cli
