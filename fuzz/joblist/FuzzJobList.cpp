// Fuzzes the job list file parser: any bytes must give entries whose paths hold no line break
// and whose crop profiles are 0 to 2, and writing them out and reading them back must give the
// same entries.
#include "joblist/JobEntry.h"
#include "joblist/JobListFile.h"

#include <cstdint>
#include <cstdlib>

using namespace pagula::joblist;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const JobEntries entries = parseJobListText(bytes, 1000);
    for (const JobEntry& e : entries) {
        if (hasLineBreak(e.path) || e.cropProfile < 0 || e.cropProfile > 2)
            std::abort();
    }
    if (entries.size() <= 1000 && parseJobListText(serializeJobList(entries), 1000) != entries)
        std::abort();
    return 0;
}
