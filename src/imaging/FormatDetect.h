#pragma once

#include "imaging/ImageIO.h"

namespace pagula::imaging
{

// Bytes a caller should pass to detectFormat() to recognise every format.
constexpr qint64 formatSignatureBytes = 32;

ImageFormat detectFormat(const char* data, qint64 size);

} // namespace pagula::imaging
