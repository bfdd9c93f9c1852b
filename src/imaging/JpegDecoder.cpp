#include "imaging/JpegDecoder.h"

#include "imaging/DecodeStop.h"
#include "imaging/ImageIO.h"
#include "imaging/JpegScale.h"
#include "imaging/Limits.h"
#include "imaging/Probe.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstring>
#include <memory>

#include <jerror.h>
#include <jpeglib.h>

// libjpeg reports fatal errors through error_exit, which must not return. It longjmps back into
// decodeGuarded(), the one function that calls libjpeg. Rules that keep this sound in C++:
// every libjpeg call is in decodeGuarded(); its locals are trivially destructible; everything
// that changes after setjmp lives in DecodeState, reached through a pointer; and failures
// become C++ exceptions only after decodeGuarded() has returned, so no exception ever
// crosses libjpeg's C frames.

namespace pagula::imaging
{

namespace
{

enum class Failure {
    None,
    LibJpeg,
    TooManyScans,
    TooLarge,
    TooSlow,
    TooLittleData,
    OutOfMemory,
    Stopped
};

struct DecodeState {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errorManager;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;

    // Input.
    const unsigned char* data = nullptr;
    unsigned long size = 0;
    JpegDecodeOptions options;

    // Output.
    Failure failure = Failure::None;
    int messageCode = 0;
    char messageText[JMSG_LENGTH_MAX] = {};
    int warnings = 0;
    QSize fullSize;
    int scans = 0;
    int eighths = JpegFullScale;
    QImage image;
};

// What decoding the picture will cost, judged from its header and its markers before any
// coded data is decoded; Failure::None when it is within the limits.
Failure judgeCost(DecodeState* s)
{
    const jpeg_decompress_struct* cinfo = &s->cinfo;
    // A Huffman-coded block takes at least one bit, and an arithmetic-coded one little less in
    // any real picture; a few bytes claiming gigapixels are a lying header.
    const qint64 lumaBlocks =
        (qint64(cinfo->image_width) + 7) / 8 * ((qint64(cinfo->image_height) + 7) / 8);
    if (qint64(s->size) * 8 * limits::jpegMinDataShare < lumaBlocks)
        return Failure::TooLittleData;

    const JpegScans scans =
        countJpegScans(QByteArrayView(reinterpret_cast<const char*>(s->data), qsizetype(s->size)),
                       limits::jpegMaxScans);
    s->scans = scans.count;
    if (scans.count > limits::jpegMaxScans)
        return Failure::TooManyScans;
    // Every scan passes over the blocks of the components it holds; a file of several scans
    // keeps all coefficients (64 of 2 bytes a block) until the last one.
    qint64 blocks = 0;
    qint64 passes = 0;
    qint64 bandBlocks = 0;
    for (int c = 0; c < cinfo->num_components; ++c) {
        const jpeg_component_info& component = cinfo->comp_info[c];
        const qint64 n = qint64(component.width_in_blocks) * component.height_in_blocks;
        const size_t id = size_t(component.component_id & 0xFF);
        blocks += n;
        passes += n * std::max(1, scans.perComponent[id]);
        bandBlocks += n * std::max(64, scans.coefficientsPerComponent[id]);
    }
    // Restarts every few blocks make a pass cost up to three times as much.
    if (scans.restarts)
        passes *= 3;
    // Huffman-coded data costs what it holds: where it has run out, libjpeg skips the blocks.
    // Arithmetic coding decodes every coefficient of the band whatever the data holds.
    if (passes > limits::jpegMaxBlockPasses ||
        (cinfo->arith_code && bandBlocks > limits::jpegMaxArithmeticCoefficients))
        return Failure::TooSlow;
    if ((cinfo->progressive_mode || scans.count > 1) &&
        blocks * 64 * qint64(sizeof(JCOEF)) > limits::jpegWorkingMemory)
        return Failure::TooLarge;
    return Failure::None;
}

DecodeState* stateOf(j_common_ptr cinfo)
{
    return static_cast<DecodeState*>(cinfo->client_data);
}

[[noreturn]] void onError(j_common_ptr cinfo)
{
    DecodeState* s = stateOf(cinfo);
    s->failure = Failure::LibJpeg;
    s->messageCode = cinfo->err->msg_code;
    // libjpeg's own words for the failure; the bare number means nothing to a user.
    cinfo->err->format_message(cinfo, s->messageText);
    std::longjmp(s->jump, 1);
}

void onMessage(j_common_ptr cinfo, int level)
{
    // Level -1 is a warning: corrupt or missing data that libjpeg works around (a file cut
    // short is padded). Count it and go on; higher levels are trace output.
    if (level < 0) {
        ++cinfo->err->num_warnings;
        ++stateOf(cinfo)->warnings;
    }
}

void onOutput(j_common_ptr)
{
    // Nothing is printed: the caller decides what the user sees.
}

void onProgress(j_common_ptr cinfo)
{
    // Each scan of a progressive file is a full pass over the coefficients. The scans are
    // counted before decoding; this stops a file whose markers libjpeg reads otherwise.
    // libjpeg calls this for every row of blocks it reads and every batch of rows it hands
    // out, so a request to stop is seen within milliseconds.
    const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    const bool stopped = decodingStopped();
    if (stopped || d->input_scan_number > limits::jpegMaxScans) {
        DecodeState* s = stateOf(cinfo);
        s->failure = stopped ? Failure::Stopped : Failure::TooManyScans;
        std::longjmp(s->jump, 1);
    }
}

// Colour from CMYK where every channel holds the amount of white (Adobe's inverted
// convention): R = C'K' / 255.
void cmykToRgb32(const JSAMPLE* in, quint32* out, JDIMENSION width, bool inverted)
{
    const int flip = inverted ? 0 : 255;
    for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        const int c = in[0] ^ flip;
        const int m = in[1] ^ flip;
        const int y = in[2] ^ flip;
        const int k = in[3] ^ flip;
        out[x] = qRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
    }
}

bool decodeGuarded(DecodeState* s)
{
    j_decompress_ptr cinfo = &s->cinfo;
    cinfo->err = jpeg_std_error(&s->errorManager);
    cinfo->client_data = s; // kept by jpeg_create_decompress, which may fail already
    s->errorManager.error_exit = onError;
    s->errorManager.emit_message = onMessage;
    s->errorManager.output_message = onOutput;
    s->progress.progress_monitor = onProgress;

    if (setjmp(s->jump)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    jpeg_create_decompress(cinfo);
    cinfo->progress = &s->progress;
    cinfo->mem->max_memory_to_use = limits::jpegWorkingMemory;
    jpeg_mem_src(cinfo, s->data, s->size);
    jpeg_read_header(cinfo, TRUE);

    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    // A YCbCr picture's Y plane is its luminance: libjpeg then leaves the colour planes alone.
    const bool luminance = s->options.luminanceOnly && cinfo->jpeg_color_space == JCS_YCbCr;
    const bool grey = cinfo->jpeg_color_space == JCS_GRAYSCALE || luminance;
    if (luminance)
        cinfo->out_color_space = JCS_GRAYSCALE;
    const QImage::Format format = grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32;
    if (cmyk)
        cinfo->out_color_space = JCS_CMYK; // converted below: libjpeg has no CMYK to RGB
    else if (!grey)
        cinfo->out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

    s->fullSize = QSize(int(cinfo->image_width), int(cinfo->image_height));
    s->eighths = chooseJpegScale(s->fullSize, s->options.atLeast, grey ? 8 : 32,
                                 s->options.shrinkToFitLimit);
    if (s->eighths == 0) {
        s->failure = Failure::TooLarge;
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    s->failure = judgeCost(s);
    if (s->failure != Failure::None) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    cinfo->scale_num = unsigned(s->eighths);
    cinfo->scale_denom = JpegFullScale;
    jpeg_calc_output_dimensions(cinfo);
    if (!limits::fitsDecodeLimits(cinfo->output_width, cinfo->output_height, grey ? 8 : 32)) {
        s->failure = Failure::TooLarge;
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    jpeg_start_decompress(cinfo);
    s->image = QImage(int(cinfo->output_width), int(cinfo->output_height), format);
    if (s->image.isNull()) {
        s->failure = Failure::OutOfMemory;
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    uchar* const bits = s->image.bits();
    const qsizetype stride = s->image.bytesPerLine();

    if (cmyk) {
        JSAMPARRAY row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo),
                                                     JPOOL_IMAGE, cinfo->output_width * 4, 1);
        while (cinfo->output_scanline < cinfo->output_height) {
            const JDIMENSION y = cinfo->output_scanline;
            if (jpeg_read_scanlines(cinfo, row, 1) != 1)
                break;
            cmykToRgb32(row[0], reinterpret_cast<quint32*>(bits + y * stride), cinfo->output_width,
                        cinfo->saw_Adobe_marker);
        }
    } else {
        // Several rows per call let libjpeg upsample chroma straight into the picture.
        constexpr int batch = 16;
        JSAMPROW rows[batch];
        while (cinfo->output_scanline < cinfo->output_height) {
            const JDIMENSION y = cinfo->output_scanline;
            const JDIMENSION n = qMin<JDIMENSION>(batch, cinfo->output_height - y);
            for (JDIMENSION i = 0; i < n; ++i)
                rows[i] = bits + (y + i) * stride;
            if (jpeg_read_scanlines(cinfo, rows, n) == 0)
                break;
        }
    }
    // Rows libjpeg could not deliver (it never stops early on a memory source) stay defined.
    const JDIMENSION done = cinfo->output_scanline;
    if (done < cinfo->output_height)
        std::memset(bits + done * stride, 0x80, size_t((cinfo->output_height - done) * stride));

    // The picture is complete; whatever follows it in the file is of no interest, so
    // jpeg_finish_decompress (which would read on to the end marker) is not called.
    jpeg_destroy_decompress(cinfo);
    return true;
}

} // namespace

JpegDecoded decodeJpeg(const QByteArray& bytes, const JpegDecodeOptions& options)
{
    auto state = std::make_unique<DecodeState>();
    state->data = reinterpret_cast<const unsigned char*>(bytes.constData());
    state->size = static_cast<unsigned long>(bytes.size());
    state->options = options;

    if (!decodeGuarded(state.get())) {
        switch (state->failure) {
        case Failure::TooManyScans:
            throw ImageError(
                QStringLiteral("JPEG file has more than %1 scans").arg(limits::jpegMaxScans));
        case Failure::TooLarge:
            throw PictureTooLargeError(QString(), state->fullSize);
        case Failure::TooSlow:
            throw PictureTooLargeError(QString(), state->fullSize, state->scans);
        case Failure::TooLittleData:
            throw ImageError(QStringLiteral("JPEG file is far too short for a %1 x %2 picture")
                                 .arg(state->fullSize.width())
                                 .arg(state->fullSize.height()));
        case Failure::OutOfMemory:
            throw ImageError(QStringLiteral("Not enough memory for a %1 x %2 picture")
                                 .arg(state->fullSize.width())
                                 .arg(state->fullSize.height()));
        case Failure::Stopped:
            throw ImageError(QStringLiteral("Decoding stopped"));
        case Failure::LibJpeg:
        case Failure::None:
            break;
        }
        const QString text = QString::fromLatin1(state->messageText).trimmed();
        throw ImageError(
            text.isEmpty()
                ? QStringLiteral("JPEG error #%1").arg(state->messageCode)
                : QStringLiteral("JPEG error #%1: %2").arg(state->messageCode).arg(text));
    }
    JpegDecoded result;
    result.image = std::move(state->image);
    result.fullSize = state->fullSize;
    result.eighths = state->eighths;
    result.warnings = state->warnings;
    return result;
}

} // namespace pagula::imaging
