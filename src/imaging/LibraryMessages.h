#pragma once

#include <QString>

namespace pagula::imaging
{

// libtiff, which Qt's TIFF reader uses, prints its warnings and errors straight to the
// terminal, past every check of what reaches the user. Once caught, its warnings are dropped
// and its errors kept, one per thread, so that a decode that fails can give libtiff's reason
// as part of its own message, which names the picture and is shown as every message is.
void catchLibraryMessages();

// Forgets the error kept for this thread (before a decode).
void clearLibraryError();
// The text of the last error kept for this thread since clearLibraryError(), or "".
QString libraryError();

} // namespace pagula::imaging
