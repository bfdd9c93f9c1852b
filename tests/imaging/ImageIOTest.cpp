#include "Fixtures.h"

#include "imaging/DecodeStop.h"
#include "imaging/ImageIO.h"
#include "imaging/JpegDecoder.h"
#include "imaging/Limits.h"
#include "imaging/MemoryBudget.h"
#include "support/PageFixtures.h"

#include <QDir>
#include <QFile>
#include <QTransform>
#include <QtEndian>

#include "support/TestSupport.h"
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pagula::imaging
{
namespace
{

using namespace test;

TEST(ImageIO, ChoosesTheDecoderByContentNotByName)
{
    QTemporaryDir dir;
    struct Case {
        const char* name;
        QByteArray bytes;
        ImageFormat format;
    };
    const Case cases[] = {
        {"pcx named.bmp", writePcx(quadrants(), 8, 3), ImageFormat::Pcx},
        {"jpeg named.tif", writeJpeg(quadrants()), ImageFormat::Jpeg},
        {"png named.jpg", encoded(quadrants(), "PNG"), ImageFormat::Png},
        {"bmp named.pcx", encoded(quadrants(), "BMP"), ImageFormat::Bmp},
        {"tiff named.gif", encoded(quadrants(), "TIFF"), ImageFormat::Tiff},
        {"no extension", encoded(quadrants(), "ICO"), ImageFormat::Ico},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        writeFile(path, c.bytes);
        EXPECT_EQ(probeFile(path).format, c.format);
        const QImage image = decodeFile(path);
        EXPECT_EQ(image.size(), QSize(64, 48));
        EXPECT_TRUE(near(image.pixel(10, 10), quadrantColour(0, 0)));
    }
}

// PNG with an eXIf chunk after its header; the chunk's CRC as PNG computes it.
QByteArray pngWithExif(const QImage& stored, int orientation)
{
    const QByteArray tiff = exifBlock(orientation).mid(6);
    QByteArray chunk = "eXIf" + tiff;
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : chunk) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    char field[4];
    qToBigEndian(quint32(tiff.size()), field);
    chunk.prepend(field, 4);
    qToBigEndian(~crc, field);
    chunk.append(field, 4);
    return encoded(stored, "PNG").insert(33, chunk);
}

// WebP in the extended layout: a VP8X header announcing EXIF, the picture, the EXIF chunk.
QByteArray webpWithExif(const QImage& stored, int orientation)
{
    const QByteArray simple = encoded(stored, "WEBP", 90);
    const QByteArray tiff = exifBlock(orientation).mid(6);
    Bytes vp8x;
    vp8x.raw("VP8X").u32(10).u32(0x08);
    vp8x.u16(stored.width() - 1).u8(0).u16(stored.height() - 1).u8(0);
    Bytes body;
    body.raw("WEBP").raw(vp8x.data).raw(simple.mid(12)).raw("EXIF").u32(tiff.size()).raw(tiff);
    if (tiff.size() % 2)
        body.u8(0);
    return Bytes().raw("RIFF").u32(body.data.size()).raw(body.data).data;
}

// The new kinds of picture and what damages them: each decodes upright at the size its probe
// tells, or fails with a message naming the file (and the page).
TEST(ImageIO, PagesAndPhotosDecodeUprightAndDamagedOnesAreNamed)
{
    QTemporaryDir dir;
    const QImage upright = quadrants(64, 48);
    const auto turned = [&](int degrees) {
        return upright.transformed(QTransform().rotate(degrees));
    };
    const QByteArray pdf = pagula::test::mixedPdf(4);
    QByteArray hugeHeic = pagula::test::heicPhoto(upright);
    const qsizetype ispe = hugeHeic.lastIndexOf("ispe") + 8; // the shown picture's size
    hugeHeic.replace(ispe, 8, QByteArray("\0\0\xFF\xFF\0\0\xFF\xFF", 8));
    const struct {
        const char* name;
        QByteArray bytes;
        int page; // 0: the file itself
        QSize size;
        QString error; // %1: the file; the start of the message when the library words the rest
    } cases[] = {
        {"PNG, EXIF 6", pngWithExif(turned(270), 6), 0, {64, 48}, {}},
        {"WebP", encoded(upright, "WEBP", 90), 0, {64, 48}, {}},
        {"WebP, EXIF 8", webpWithExif(turned(90), 8), 0, {64, 48}, {}},
        {"HEIC, irot 6", pagula::test::heicPhoto(turned(270), 6), 0, {64, 48}, {}},
        {"HEIC, irot 3", pagula::test::heicPhoto(turned(180), 3), 0, {64, 48}, {}},
        {"PDF page 2", pdf, 2, {1240, 1754}, {}},
        {"PDF landscape page 4", pdf, 4, {1754, 1240}, {}},
        {"PDF file", pdf, 0, {1240, 1754}, {}},
        {"encrypted PDF",
         pagula::test::encryptedPdf(pdf),
         1,
         {},
         "PDF file %1 is encrypted and cannot be opened without its password"},
        {"PDF page not there",
         pagula::test::withPageMissing(pdf, 4),
         4,
         {},
         "Page 4 of %1 is damaged"},
        {"PDF page 99999 points wide",
         pagula::test::withPageHuge(pdf, 3),
         3,
         {},
         "Page 3 of %1 has an absurd size (99999 x 842 points)"},
        {"PDF page beyond the last", pdf, 9, {}, "Page 9 of %1 does not exist (it has 4 pages)"},
        {"PDF cut in half", pdf.left(pdf.size() / 2), 1, {}, "Damaged PDF file %1"},
        {"page of a PNG",
         encoded(upright, "PNG"),
         2,
         {},
         "File %1 is not a PDF document, so it has no page 2"},
        {"HEIC cut short",
         pagula::test::heicPhoto(upright).left(300),
         0,
         {},
         "Cannot decode HEIF picture: "},
        {"HEIC of 65535 x 65535",
         hugeHeic,
         0,
         {},
         "Picture %1 is too large (65535 x 65535 pixels)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = dir.filePath(QString::fromLatin1(c.name));
        writeFile(file, c.bytes);
        const QString address = c.page ? QStringLiteral("<page %1>%2").arg(c.page).arg(file) : file;
        if (!c.error.isEmpty()) {
            const QString error = pagula::test::errorOf<ImageError>([&] {
                probeFile(address);
                decodeFile(address);
            });
            const QString want =
                c.error.contains(QLatin1String("%1")) ? c.error.arg(file) : c.error;
            EXPECT_TRUE(error.startsWith(want)) << error.toStdString();
            continue;
        }
        const ImageInfo info = probeFile(address);
        const QImage image = decodeFile(address);
        EXPECT_EQ(info.orientedSize(), c.size);
        EXPECT_EQ(image.size(), c.size);
        if (info.format == ImageFormat::Pdf) {
            // A4 in points; its top band in the page's colour; a small cell gets a small page.
            EXPECT_NEAR(info.sizeInPoints().height(), c.size.height() > c.size.width() ? 842 : 595,
                        0.5);
            EXPECT_TRUE(near(image.pixel(image.width() / 2, 10),
                             pagula::test::pageColour(std::max(1, c.page)).rgb()));
            DecodeRequest cell;
            cell.atLeast = QSize(120, 170).transposed();
            const QImage small = decodeFile(address, cell);
            EXPECT_GE(small.width(), 170);
            EXPECT_LE(small.width(), 260);
        } else {
            EXPECT_TRUE(near(image.pixel(8, 8), quadrantColour(0, 0), 40));
            EXPECT_TRUE(near(image.pixel(56, 40), quadrantColour(1, 1), 40));
        }
    }
}

TEST(ImageIO, FilesThatCannotBeOpenedNeverHang)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString unreadable = dir.filePath(QStringLiteral("locked.jpg"));
    writeFile(unreadable, writeJpeg(quadrants()));
    ::chmod(QFile::encodeName(unreadable).constData(), 0);
    const bool root = ::geteuid() == 0; // root reads it anyway
    // Each with its reason.
    const std::pair<QString, const char*> cases[] = {
        {dir.filePath(QStringLiteral("missing.jpg")), "No such file or directory"},
        {dir.path(), "it is a folder"},
        {fifo, "it is not a regular file"},
        {QStringLiteral("/dev/zero"), "it is not a regular file"},
        {QString(), "No such file or directory"},
    };
    for (const auto& [path, reason] : cases) {
        SCOPED_TRACE(path.toStdString());
        const QString want = QStringLiteral("Cannot open file %1: %2").arg(path, reason);
        EXPECT_EQ(pagula::test::errorOf<ImageError>([&] { decodeFile(path); }), want);
        EXPECT_EQ(pagula::test::errorOf<ImageError>([&] { probeFile(path); }), want);
    }
    if (!root) {
        EXPECT_EQ(pagula::test::errorOf<ImageError>([&] { decodeFile(unreadable); }),
                  QStringLiteral("Cannot open file %1: Permission denied").arg(unreadable));
    }
}

TEST(ImageIO, OversizedFilesAndPicturesNameTheFile)
{
    QTemporaryDir dir;
    // A sparse file larger than any picture file read; it is refused without being read.
    const QString huge = dir.filePath(QStringLiteral("huge.jpg"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xFF\xD8\xFF", 3);
        ASSERT_TRUE(f.resize(300LL * 1024 * 1024));
    }
    EXPECT_EQ(pagula::test::errorOf<ImageError>([&] { decodeFile(huge); }),
              QStringLiteral("Picture file %1 is too large (314572800 bytes)").arg(huge));

    // A picture beyond the pixel limits.
    QByteArray jpeg = writeJpeg(quadrants(16, 16));
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    jpeg.replace(sof + 5, 4, QByteArray("\xC0\x00\xC0\x00", 4)); // 49152 x 49152
    const QString big = dir.filePath(QStringLiteral("big.jpg"));
    writeFile(big, jpeg);
    EXPECT_EQ(pagula::test::errorOf<ImageError>([&] { decodeFile(big); }),
              QStringLiteral("Picture %1 is too large (49152 x 49152 pixels)").arg(big));
    EXPECT_EQ(probeFile(big).pixelSize, QSize(49152, 49152));

    const QString empty = dir.filePath(QStringLiteral("empty.jpg"));
    writeFile(empty, {});
    EXPECT_EQ(pagula::test::errorOf<ImageError>([&] { decodeFile(empty); }),
              QStringLiteral("Unknown picture format"));
}

TEST(ImageIO, DecodesShareOneBudgetAndAPictureBeyondItIsRefused)
{
    constexpr qint64 MiB = 1024 * 1024;
    MemoryBudget budget(100 * MiB);
    EXPECT_EQ(pagula::test::errorOf<ImageError>([&] { budget.reserve(101 * MiB, "big.tif"); }),
              QStringLiteral("Picture big.tif needs 101 MiB to decode, more than the 100 MiB "
                             "that all pictures decoded at once may take"));
    EXPECT_EQ(budget.inUse(), 0);

    auto first = budget.reserve(60 * MiB, "a.tif");
    std::atomic<bool> secondStarted{false};
    std::thread second([&] {
        const auto held = budget.reserve(60 * MiB, "b.tif");
        secondStarted = true;
    });
    // The second decode waits while the first holds its share...
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(secondStarted);
    EXPECT_EQ(budget.inUse(), 60 * MiB);
    // ...and starts once it is given back.
    first = {};
    second.join();
    EXPECT_TRUE(secondStarted);
    EXPECT_EQ(budget.inUse(), 0);
    // The process's budget follows the machine: a quarter of it, at most 1 GiB.
    EXPECT_GT(MemoryBudget::defaultBytes(), 0);
    EXPECT_LE(MemoryBudget::defaultBytes(), 1024 * MiB);
}

TEST(ImageIO, ARequestToStopEndsAJpegDecode)
{
    // The request holds for the whole process, so it is made in a child.
    const QByteArray jpeg = writeJpeg(quadrants(64, 64));
    EXPECT_EXIT(
        {
            stopDecoding();
            try {
                decodeJpeg(jpeg);
            } catch (const ImageError& e) {
                std::exit(e.message() == QStringLiteral("Decoding stopped") ? 0 : 1);
            }
            std::exit(2);
        },
        testing::ExitedWithCode(0), "");
}

TEST(ImageIO, SmallCellsGetDctScaledDecodes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("scan.jpg"));
    writeFile(path, writeJpeg(quadrants(2000, 1500)));
    DecodeRequest request;
    request.atLeast = QSize(250, 180);
    EXPECT_EQ(decodeFile(path, request).size(), QSize(250, 188));
    request.atLeast = QSize(600, 400);
    EXPECT_EQ(decodeFile(path, request).size(), QSize(1000, 750)); // 4/8 decodes faster than 3/8
}

// Deterministic damage: cut the file, flip bytes, or scribble over its header.
QByteArray damaged(const QByteArray& sound, quint32& seed)
{
    const auto next = [&seed](quint32 bound) {
        seed = seed * 1664525u + 1013904223u;
        return bound ? (seed >> 8) % bound : 0;
    };
    QByteArray bytes = sound;
    switch (next(3)) {
    case 0:
        bytes.truncate(next(quint32(bytes.size())));
        break;
    case 1:
        for (quint32 n = next(8) + 1; n > 0; --n)
            bytes[next(quint32(bytes.size()))] = char(next(256));
        break;
    default:
        for (quint32 n = next(8) + 1; n > 0; --n)
            bytes[next(qMin<quint32>(64, quint32(bytes.size())))] = char(next(256));
        break;
    }
    return bytes;
}

TEST(ImageIO, AThousandDamagedFilesFailCleanly)
{
    JpegWriteOptions progressive;
    progressive.progressive = true;
    const QImage q = quadrants(24, 16);
    const QByteArray sound[] = {
        writeJpeg(q),
        writeJpeg(q, progressive),
        writeJpeg(q.convertToFormat(QImage::Format_Grayscale8)),
        writeCmykJpeg(16, 8, {10, 200, 30, 40}, true),
        encoded(q, "PNG"),
        encoded(q, "BMP"),
        encoded(q.convertToFormat(QImage::Format_Indexed8), "BMP"),
        encoded(q, "TIFF"),
        encoded(q, "ICO"),
        writePcx(q, 8, 1),
        writePcx(q, 8, 3),
        writePcx(q, 1, 1),
        tiff({}),
    };
    quint32 seed = 2024;
    int decoded = 0, refused = 0;
    for (int i = 0; i < 1000; ++i) {
        const QByteArray bytes = damaged(sound[i % std::size(sound)], seed);
        try {
            const QImage image = decodeData(bytes);
            EXPECT_FALSE(image.isNull());
            ++decoded;
        } catch (const ImageError&) {
            ++refused;
        }
        try {
            probeData(bytes);
        } catch (const ImageError&) {
        }
    }
    EXPECT_GT(decoded, 100);
    EXPECT_GT(refused, 100);
}

} // namespace
} // namespace pagula::imaging
