#include "imaging/JpegEncoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>

#include <jpeglib.h>

// As in the decoder: every libjpeg call is in encodeGuarded(), whose locals are trivially
// destructible; what changes after setjmp lives in EncodeState; no exception crosses libjpeg.

namespace pagula::imaging
{

namespace
{

struct EncodeState {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errorManager;
    std::jmp_buf jump;
    unsigned char* output = nullptr; // malloc'ed by libjpeg's memory destination
    unsigned long size = 0;
};

[[noreturn]] void onError(j_common_ptr cinfo)
{
    std::longjmp(static_cast<EncodeState*>(cinfo->client_data)->jump, 1);
}

void onMessage(j_common_ptr, int) {}

bool encodeGuarded(EncodeState* s, const QImage* picture, int quality)
{
    j_compress_ptr cinfo = &s->cinfo;
    cinfo->err = jpeg_std_error(&s->errorManager);
    cinfo->client_data = s;
    s->errorManager.error_exit = onError;
    s->errorManager.emit_message = onMessage;

    if (setjmp(s->jump)) {
        jpeg_destroy_compress(cinfo);
        return false;
    }
    jpeg_create_compress(cinfo);
    jpeg_mem_dest(cinfo, &s->output, &s->size);
    const bool grey = picture->format() == QImage::Format_Grayscale8;
    cinfo->image_width = JDIMENSION(picture->width());
    cinfo->image_height = JDIMENSION(picture->height());
    cinfo->input_components = grey ? 1 : 4;
    cinfo->in_color_space =
        grey ? JCS_GRAYSCALE : (Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB);
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        // libjpeg only reads the rows it is given.
        JSAMPROW row = const_cast<JSAMPROW>(picture->constScanLine(int(cinfo->next_scanline)));
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    jpeg_destroy_compress(cinfo);
    return true;
}

} // namespace

QByteArray encodeJpeg(const QImage& picture, int quality)
{
    if (picture.isNull() ||
        (picture.format() != QImage::Format_Grayscale8 && picture.format() != QImage::Format_RGB32))
        return {};
    EncodeState state;
    const bool done = encodeGuarded(&state, &picture, std::clamp(quality, 1, 100));
    QByteArray bytes;
    if (done && state.output)
        bytes = QByteArray(reinterpret_cast<const char*>(state.output), qsizetype(state.size));
    std::free(state.output);
    return bytes;
}

} // namespace pagula::imaging
