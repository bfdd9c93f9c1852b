#pragma once

#include "imaging/ImageIO.h"

#include <QByteArray>

namespace pagula::imaging
{

// The memory that decoding these picture bytes for `request` takes at its peak, judged from the
// header before any decoding: the decoded picture at the size the decoder will choose, the
// decoder's own buffers (a progressive JPEG's coefficients, a reader's picture beside the
// converted copy). 0 when the header cannot be read: the decoder then fails at once.
qint64 decodeMemoryEstimate(const QByteArray& bytes, const DecodeRequest& request);

} // namespace pagula::imaging
