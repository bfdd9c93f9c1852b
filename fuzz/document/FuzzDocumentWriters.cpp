// Fuzzes the ODT and DOCX writers with picture file names and settings; see
// DocumentWritersCheck.h for what must hold.
#include "DocumentWritersCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString failure = pagula::document::fuzz::checkDocumentWriters(bytes);
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s\n", failure.toUtf8().constData());
        std::abort();
    }
    return 0;
}
