#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace pagula::imaging
{

struct JpegDecodeOptions {
    // Smallest acceptable result in the stored orientation; empty for the full size.
    QSize atLeast;
    // See DecodeRequest::shrinkToFitLimit.
    bool shrinkToFitLimit = false;
    // See DecodeRequest::luminanceOnly.
    bool luminanceOnly = false;
};

struct JpegDecoded {
    QImage image;     // Format_RGB32, or Format_Grayscale8 for a greyscale file
    QSize fullSize;   // the picture's size at scale 1
    int eighths = 8;  // the picture was decoded at eighths/8
    int warnings = 0; // libjpeg warnings: damaged or missing data, filled in grey
};

// Decodes JPEG bytes with libjpeg-turbo (baseline, progressive, greyscale, RGB, CMYK and
// YCCK including Adobe's inverted CMYK), at the smallest DCT scale M/8 (M from 1 to 8) that
// satisfies the request.
// Throws ImageError "JPEG error #N: text" with libjpeg's message number and text when libjpeg
// fails, PictureTooLargeError (without a path) when no allowed scale fits the limits or when
// the scans would take too long to decode (judged before decoding), and ImageError for a file
// with too many scans or far too little data for its size.
JpegDecoded decodeJpeg(const QByteArray& bytes, const JpegDecodeOptions& options = {});

} // namespace pagula::imaging
