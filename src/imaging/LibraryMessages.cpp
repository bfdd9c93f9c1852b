#include "imaging/LibraryMessages.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

#include <tiffio.h>

namespace pagula::imaging
{

namespace
{

// One line of libtiff's is short; a longer one is cut.
thread_local char lastError[512];

// The module libtiff names is one of its functions, or whatever name the file was opened
// under; only the text says what is wrong.
void keepError(const char*, const char* format, va_list arguments)
{
    std::vsnprintf(lastError, sizeof lastError, format, arguments);
}

} // namespace

void catchLibraryMessages()
{
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetWarningHandler(nullptr);
        TIFFSetErrorHandler(keepError);
    });
}

void clearLibraryError()
{
    lastError[0] = '\0';
}

QString libraryError()
{
    return QString::fromLocal8Bit(lastError).trimmed();
}

} // namespace pagula::imaging
