#pragma once

namespace pagula::imaging
{

// A request, for the whole process, that every picture decode under way end as soon as it can
// (a JPEG between its rows and scans): the program is ending and no picture is wanted any more.
// Safe to call from a signal handler.
void stopDecoding();
// Whether stopDecoding() was called; a decode that sees it throws ImageError.
bool decodingStopped();

} // namespace pagula::imaging
