#pragma once

// What each imaging fuzz target does with one input. Shared by the libFuzzer targets and by
// the test that replays every input once found to crash (tests/regress/fuzz_*).

#include <cstddef>
#include <cstdint>

namespace pagula::imaging::fuzz
{

// One application for the whole run, on the minimal platform: Qt's readers and poppler's
// rendering need it. Call from LLVMFuzzerInitialize.
void startApplication(int* argc, char*** argv);

// PCX decoding.
void pcx(const uint8_t* data, size_t size);
// JPEG decoding with the real limits; odd-sized inputs ask for a reduced (DCT-scaled) decode.
void jpeg(const uint8_t* data, size_t size);
// Qt's readers; the first byte picks the format (PNG, BMP, GIF, TIFF, ICO, WebP) and, in its
// top bit, a reduced size. Needs a QGuiApplication.
void qtFormats(const uint8_t* data, size_t size);
// Header probing of every format, EXIF orientation included.
void probe(const uint8_t* data, size_t size);
// PDF through our poppler wrapper: the page list, then the first pages probed and rendered
// small, with a short time limit. Needs a QGuiApplication.
void pdf(const uint8_t* data, size_t size);
// HEIF through libheif: probing, then decoding (odd-sized inputs ask for a reduced picture).
void heif(const uint8_t* data, size_t size);

} // namespace pagula::imaging::fuzz
