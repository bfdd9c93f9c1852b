#pragma once

// What each imaging fuzz target does with one input. Shared by the libFuzzer targets and by
// the test that replays every input once found to crash (tests/regress/fuzz_*).

#include <cstddef>
#include <cstdint>

namespace pagula::imaging::fuzz
{

// PCX decoding.
void pcx(const uint8_t* data, size_t size);
// JPEG decoding with the real limits; odd-sized inputs ask for a reduced (DCT-scaled) decode.
void jpeg(const uint8_t* data, size_t size);
// Qt's readers; the first byte picks the format (and, in its top bit, a reduced size).
// Needs a QGuiApplication.
void qtFormats(const uint8_t* data, size_t size);
// Header probing of every format, EXIF orientation included.
void probe(const uint8_t* data, size_t size);

} // namespace pagula::imaging::fuzz
