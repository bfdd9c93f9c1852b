#include "imaging/DecodeCost.h"

#include "imaging/JpegScale.h"
#include "imaging/Limits.h"
#include "imaging/Probe.h"

#include <algorithm>

namespace pagula::imaging
{

namespace
{

// A reader other than ours may decode into up to 8 bytes a pixel (16 bits a channel) and then
// convert to 4: its picture and the copy exist at once.
constexpr qint64 readerBytesPerPixel = 8 + 4;

qint64 jpegEstimate(const ImageInfo& info, const QByteArray& bytes, const DecodeRequest& request)
{
    const QSize full = info.pixelSize;
    QSize atLeast = request.atLeast;
    if (request.applyOrientation && info.orientation >= 5)
        atLeast.transpose();
    const int eighths = chooseJpegScale(full, atLeast, 32, request.shrinkToFitLimit);
    if (eighths == 0)
        return 0;
    const QSize out = jpegScaledSize(full, eighths);
    qint64 total = limits::imageBytes(out.width(), out.height(), 32);
    // A progressive file keeps every coefficient (64 of 2 bytes a block and component) until
    // its last scan; libjpeg is held to limits::jpegWorkingMemory.
    if (countJpegScans(bytes, 1).count > 1) {
        const qint64 blocks = (qint64(full.width()) + 7) / 8 * ((qint64(full.height()) + 7) / 8);
        total += std::min<qint64>(blocks * std::max(1, jpegComponents(bytes)) * 128,
                                  limits::jpegWorkingMemory);
    }
    return total;
}

} // namespace

qint64 decodeMemoryEstimate(const QByteArray& bytes, const DecodeRequest& request)
{
    ImageInfo info;
    try {
        info = probeData(bytes);
    } catch (const ImageError&) {
        return 0;
    }
    const qint64 pixels = qint64(info.pixelSize.width()) * info.pixelSize.height();
    switch (info.format) {
    case ImageFormat::Jpeg:
        return jpegEstimate(info, bytes, request);
    case ImageFormat::Pdf: {
        // A page is drawn at the size asked for, or at the default resolution.
        const QSize page = request.atLeast.isEmpty() ? info.pixelSize : request.atLeast;
        return limits::imageBytes(page.width(), page.height(), 32);
    }
    case ImageFormat::Unknown:
        return 0;
    default:
        // Beyond the pixel limits the decoder refuses the picture itself, saying so.
        if (!limits::fitsDecodeLimits(info.pixelSize.width(), info.pixelSize.height(), 32))
            return 0;
        return pixels * readerBytesPerPixel;
    }
}

} // namespace pagula::imaging
