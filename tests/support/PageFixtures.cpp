#include "support/PageFixtures.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <libheif/heif.h>

#include <gtest/gtest.h>

namespace pagula::test
{

QColor pageColour(int page)
{
    return QColor::fromHsv((page * 53) % 360, 220, 220);
}

QByteArray mixedPdf(int pages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF());
    QImage quadrants(40, 30, QImage::Format_RGB32);
    quadrants.fill(Qt::white);
    QPainter(&quadrants).fillRect(0, 0, 20, 15, Qt::red);
    QPainter painter;
    for (int k = 1; k <= pages; ++k) {
        writer.setPageOrientation(k % 4 == 0 ? QPageLayout::Landscape : QPageLayout::Portrait);
        if (k == 1)
            painter.begin(&writer);
        else
            writer.newPage();
        const QRect page = writer.pageLayout().fullRectPixels(writer.resolution());
        painter.fillRect(QRect(0, 0, page.width(), page.height() / 3), pageColour(k));
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 40));
        painter.drawText(QRect(0, page.height() / 2, page.width(), 80), Qt::AlignCenter,
                         QStringLiteral("Страница %1").arg(k));
        if (k % 3 == 0)
            painter.drawImage(QRect(40, page.height() * 2 / 3, 160, 120), quadrants);
    }
    painter.end();
    return bytes;
}

namespace
{
// Where the n-th (from 1) `needle` after `from` starts; QPdfWriter writes pages in order.
qsizetype nth(const QByteArray& pdf, const char* from, const char* needle, int n)
{
    qsizetype at = pdf.indexOf(from);
    for (int k = 0; k < n && at >= 0; ++k)
        at = pdf.indexOf(needle, at + 1);
    EXPECT_GE(at, 0) << needle << " " << n;
    return at;
}
} // namespace

QByteArray withPageMissing(const QByteArray& pdf, int page)
{
    // The page tree's reference gets a generation its object does not have.
    QByteArray out = pdf;
    out[nth(pdf, "/Kids", " 0 R", page) + 1] = '9';
    return out;
}

QByteArray withPageHuge(const QByteArray& pdf, int page)
{
    const qsizetype at = nth(pdf, "%PDF", "/MediaBox [0 0 ", page) + 15;
    QByteArray out = pdf;
    out.replace(at, 10, "99999.0000"); // the width, "595.000000" or "842.000000"
    return out;
}

QByteArray encryptedPdf(const QByteArray& pdf)
{
    // The standard security handler with an owner and a user key that the empty password does
    // not open; the trailer follows the cross-reference table, so no offset moves.
    QByteArray out = pdf;
    const qsizetype trailer = out.lastIndexOf("trailer");
    out.insert(out.indexOf("<<", trailer) + 2,
               "/Encrypt << /Filter /Standard /V 1 /R 2 /O <" + QByteArray(64, '1') + "> /U <" +
                   QByteArray(64, '2') + "> /P -4 >> /ID [<00ff> <00ff>]\n");
    return out;
}

QByteArray heicPhoto(const QImage& stored, int orientation)
{
    const QImage rgb = stored.convertToFormat(QImage::Format_RGB888);
    heif_image* image = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                      &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y)
        std::copy_n(rgb.constScanLine(y), rgb.width() * 3, plane + y * stride);

    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
    heif_encoder_set_lossy_quality(encoder, 90);
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation(orientation);
    const heif_error encoded = heif_context_encode_image(context, image, encoder, options, nullptr);
    EXPECT_EQ(encoded.code, heif_error_Ok) << encoded.message;

    static QByteArray written;
    heif_writer writer{};
    writer.writer_api_version = 1;
    writer.write = [](heif_context*, const void* data, size_t size, void*) {
        written = QByteArray(static_cast<const char*>(data), qsizetype(size));
        return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
    };
    heif_context_write(context, &writer, nullptr);
    heif_encoding_options_free(options);
    heif_encoder_release(encoder);
    heif_context_free(context);
    heif_image_release(image);
    return written;
}

} // namespace pagula::test
