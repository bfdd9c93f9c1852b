#include "imaging/HeifDecoder.h"

#include "imaging/ByteSource.h"
#include "imaging/HeifGrids.h"
#include "imaging/Limits.h"
#include "imaging/QtReaderDecoder.h"

#include <libheif/heif.h>

#include <memory>
#include <vector>

namespace pagula::imaging
{

namespace
{

struct ContextFree {
    void operator()(heif_context* c) const { heif_context_free(c); }
};
struct HandleRelease {
    void operator()(heif_image_handle* h) const { heif_image_handle_release(h); }
};
struct ImageRelease {
    void operator()(heif_image* i) const { heif_image_release(i); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* o) const { heif_decoding_options_free(o); }
};
using Context = std::unique_ptr<heif_context, ContextFree>;
using Handle = std::unique_ptr<heif_image_handle, HandleRelease>;

void check(const heif_error& error)
{
    if (error.code != heif_error_Ok)
        throw ImageError(
            QStringLiteral("Cannot decode HEIF picture: %1").arg(QString::fromUtf8(error.message)));
}

Context newContext()
{
    Context context(heif_context_alloc());
    if (!context)
        throw ImageError(QStringLiteral("Cannot decode HEIF picture: out of memory"));
    // libheif's own limit only guards reading the header, which allocates by the file's size:
    // a larger picture is let through to be refused by our limits, with the file named.
    heif_context_set_maximum_image_size_limit(context.get(), int(limits::maxSide * 4));
    // The composition decodes several pictures at once already; one thread each keeps the
    // number of threads bounded.
    heif_context_set_max_decoding_threads(context.get(), 0);
    return context;
}

Handle primaryImage(heif_context* context)
{
    heif_image_handle* handle = nullptr;
    check(heif_context_get_primary_image_handle(context, &handle));
    return Handle(handle);
}

// libheif reads the boxes through this, so probing reads no coded picture data.
struct SourceReader {
    const ByteSource& source;
    qint64 position = 0;

    static int64_t position_(void* self) { return static_cast<SourceReader*>(self)->position; }
    static int read(void* data, size_t size, void* self)
    {
        auto* r = static_cast<SourceReader*>(self);
        const QByteArray bytes = r->source.read(r->position, qint64(size));
        if (bytes.size() != qint64(size))
            return 1;
        std::copy(bytes.begin(), bytes.end(), static_cast<char*>(data));
        r->position += qint64(size);
        return 0;
    }
    static int seek(int64_t position, void* self)
    {
        auto* r = static_cast<SourceReader*>(self);
        if (position < 0 || position > r->source.size())
            return 1;
        r->position = position;
        return 0;
    }
    static heif_reader_grow_status waitForSize(int64_t size, void* self)
    {
        return size <= static_cast<SourceReader*>(self)->source.size()
                   ? heif_reader_grow_status_size_reached
                   : heif_reader_grow_status_size_beyond_eof;
    }
};

QSize checkedSize(const heif_image_handle* handle)
{
    const QSize size(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle));
    if (size.width() <= 0 || size.height() <= 0)
        throw ImageError(QStringLiteral("Damaged HEIF header"));
    if (!limits::fitsDecodeLimits(size.width(), size.height(), 32))
        throw PictureTooLargeError(QString(), size);
    return size;
}

// An alpha plane is decoded with the picture, at its own declared size: one larger than the
// picture is a lie that would cost memory and time.
void checkAuxiliaryImages(const heif_image_handle* handle, QSize size)
{
    const int count = heif_image_handle_get_number_of_auxiliary_images(handle, 0);
    std::vector<heif_item_id> ids(size_t(std::max(count, 0)));
    heif_image_handle_get_list_of_auxiliary_image_IDs(handle, 0, ids.data(), int(ids.size()));
    for (const heif_item_id id : ids) {
        heif_image_handle* raw = nullptr;
        check(heif_image_handle_get_auxiliary_image_handle(handle, id, &raw));
        const Handle auxiliary(raw);
        if (heif_image_handle_get_width(raw) > size.width() ||
            heif_image_handle_get_height(raw) > size.height())
            throw ImageError(QStringLiteral("Damaged HEIF picture: a plane of %1 x %2 pixels "
                                            "belongs to a picture of %3 x %4")
                                 .arg(heif_image_handle_get_width(raw))
                                 .arg(heif_image_handle_get_height(raw))
                                 .arg(size.width())
                                 .arg(size.height()));
    }
}

} // namespace

ImageInfo probeHeif(const ByteSource& source)
{
    SourceReader state{source};
    static heif_reader reader = [] {
        heif_reader r{};
        r.reader_api_version = 1;
        r.get_position = &SourceReader::position_;
        r.read = &SourceReader::read;
        r.seek = &SourceReader::seek;
        r.wait_for_file_size = &SourceReader::waitForSize;
        return r;
    }();
    const Context context = newContext();
    check(heif_context_read_from_reader(context.get(), &reader, &state, nullptr));
    const Handle handle = primaryImage(context.get());
    ImageInfo info;
    info.format = ImageFormat::Heif;
    info.pixelSize = QSize(heif_image_handle_get_width(handle.get()),
                           heif_image_handle_get_height(handle.get()));
    if (info.pixelSize.isEmpty())
        throw ImageError(QStringLiteral("Damaged HEIF header"));
    return info;
}

QImage decodeHeif(const QByteArray& bytes, QSize atLeast)
{
    for (const QSize grid : heifGridSizes(bytes))
        if (!limits::fitsDecodeLimits(grid.width(), grid.height(), 32))
            throw PictureTooLargeError(QString(), grid);
    const Context context = newContext();
    check(heif_context_read_from_memory_without_copy(context.get(), bytes.constData(),
                                                     size_t(bytes.size()), nullptr));
    const Handle handle = primaryImage(context.get());
    const QSize size = checkedSize(handle.get());
    checkAuxiliaryImages(handle.get(), size);
    const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;

    const std::unique_ptr<heif_decoding_options, OptionsFree> options(
        heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    heif_image* decodedRaw = nullptr;
    check(heif_decode_image(handle.get(), &decodedRaw, heif_colorspace_RGB,
                            alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                            options.get()));
    const std::unique_ptr<heif_image, ImageRelease> decoded(decodedRaw);
    int stride = 0;
    const uint8_t* plane =
        heif_image_get_plane_readonly(decoded.get(), heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(decoded.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(decoded.get(), heif_channel_interleaved);
    if (plane == nullptr || width <= 0 || height <= 0 || width > size.width() ||
        height > size.height())
        throw ImageError(QStringLiteral("Cannot decode HEIF picture: no picture data"));

    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull())
        throw ImageError(
            QStringLiteral("Not enough memory for a %1 x %2 picture").arg(width).arg(height));
    const int channels = alpha ? 4 : 3;
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = plane + qsizetype(y) * stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, in += channels)
            out[x] = qRgba(in[0], in[1], in[2], alpha ? in[3] : 255);
    }
    const QSize reduced = reducedDecodeSize(image.size(), atLeast);
    if (reduced.isValid())
        image = image.scaled(reduced, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace pagula::imaging
