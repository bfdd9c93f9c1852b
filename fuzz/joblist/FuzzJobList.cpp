// Fuzzes the job list file parser: any bytes must give entries that are non-empty lines ending
// in a crop code, and writing them out and reading them back must give the same entries.
#include "joblist/JobEntry.h"
#include "joblist/JobListFile.h"

#include <cstdint>
#include <cstdlib>

using namespace pagula::joblist;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList entries = parseJobListText(bytes, 1000);
    for (const QString& e : entries) {
        if (e.isEmpty() || hasLineBreak(e) || !isCropCode(entryCropCode(e)))
            std::abort();
    }
    if (entries.size() <= 1000 && parseJobListText(serializeJobList(entries), 1000) != entries)
        std::abort();
    return 0;
}
