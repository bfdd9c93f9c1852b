#include "imaging/LeptonicaImage.h"

#include <leptonica/allheaders.h>

#include <cstring>
#include <mutex>

namespace pagula::imaging
{

namespace
{

// Leptonica reports failures on stderr; ours are returned as null results and handled.
void silenceLeptonica()
{
    static std::once_flag once;
    std::call_once(once, [] { setMsgSeverity(L_SEVERITY_NONE); });
}

// Copies byte rows between a QImage and a Leptonica picture of the same byte layout; the
// word byte order is put right by the caller.
void copyRows(uchar* to, qsizetype toStride, const uchar* from, qsizetype fromStride, int rows,
              qsizetype bytes)
{
    for (int y = 0; y < rows; ++y)
        std::memcpy(to + y * toStride, from + y * fromStride, size_t(bytes));
}

} // namespace

void PixDeleter::operator()(Pix* pix) const
{
    pixDestroy(&pix);
}

PixPtr toPix(const QImage& image)
{
    silenceLeptonica();
    if (image.isNull())
        return {};
    const bool grey = image.format() == QImage::Format_Grayscale8;
    const QImage source = grey || image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(image.allGray() ? QImage::Format_Grayscale8
                                                                      : QImage::Format_RGB32);
    const int depth = source.format() == QImage::Format_Grayscale8 ? 8 : 32;
    PixPtr pix(pixCreateNoInit(source.width(), source.height(), depth));
    if (!pix)
        return {};
    auto* data = reinterpret_cast<uchar*>(pixGetData(pix.get()));
    const qsizetype stride = qsizetype(pixGetWpl(pix.get())) * 4;
    if (depth == 8) {
        copyRows(data, stride, source.constBits(), source.bytesPerLine(), source.height(),
                 source.width());
        pixEndianByteSwap(pix.get());
        return pix;
    }
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<l_uint32*>(data + y * stride);
        for (int x = 0; x < source.width(); ++x)
            out[x] = l_uint32(in[x]) << 8;
    }
    return pix;
}

QImage fromPix(const Pix* constPix)
{
    auto* pix = const_cast<Pix*>(constPix); // Leptonica's getters take non-const pointers
    if (!pix)
        return {};
    const int width = pixGetWidth(pix);
    const int height = pixGetHeight(pix);
    const int depth = pixGetDepth(pix);
    const qsizetype stride = qsizetype(pixGetWpl(pix)) * 4;
    if (depth == 32) {
        QImage out(width, height, QImage::Format_RGB32);
        if (out.isNull())
            return {};
        const auto* data = reinterpret_cast<const uchar*>(pixGetData(pix));
        for (int y = 0; y < height; ++y) {
            const auto* in = reinterpret_cast<const l_uint32*>(data + y * stride);
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < width; ++x)
                line[x] = 0xff000000u | (in[x] >> 8);
        }
        return out;
    }
    if (depth != 1 && depth != 8)
        return {};
    PixPtr swapped(pixEndianByteSwapNew(pix));
    if (!swapped)
        return {};
    const auto* data = reinterpret_cast<const uchar*>(pixGetData(swapped.get()));
    if (depth == 8) {
        QImage out(width, height, QImage::Format_Grayscale8);
        if (out.isNull())
            return {};
        copyRows(out.bits(), out.bytesPerLine(), data, stride, height, width);
        return out;
    }
    QImage out(width, height, QImage::Format_Mono);
    if (out.isNull())
        return {};
    out.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    // Leptonica's 1 is black, QImage's bit 1 here is white.
    const qsizetype bytes = (width + 7) / 8;
    for (int y = 0; y < height; ++y) {
        const uchar* in = data + y * stride;
        uchar* line = out.scanLine(y);
        for (qsizetype i = 0; i < bytes; ++i)
            line[i] = uchar(~in[i]);
    }
    return out;
}

} // namespace pagula::imaging
