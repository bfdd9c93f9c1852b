#pragma once

#include <QString>

namespace pagula::bench
{

// Composes count entries of one small picture with the built-in document builder, in process,
// with a left gutter (two cells per entry), and returns the processor time of all threads in
// seconds. Prints a failure and returns a negative time when the run reports one.
double composeSeconds(const QString& folder, int count);

// Prints the walk times for 2,000 and 20,000 entries and their ratio; the walk scales
// linearly when the ratio stays near 10 (the target allows 12).
void reportWalkScaling(const QString& folder);

} // namespace pagula::bench
