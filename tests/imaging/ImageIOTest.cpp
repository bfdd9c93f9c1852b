#include "Fixtures.h"

#include "imaging/ImageIO.h"

#include <QDir>
#include <QFile>

#include "support/TestSupport.h"
#include <functional>

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

TEST(ImageIO, SmallCellsGetDctScaledDecodes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("scan.jpg"));
    writeFile(path, writeJpeg(quadrants(2000, 1500)));
    DecodeRequest request;
    request.atLeast = QSize(250, 180);
    EXPECT_EQ(decodeFile(path, request).size(), QSize(250, 188));
    request.atLeast = QSize(600, 400);
    EXPECT_EQ(decodeFile(path, request).size(), QSize(750, 563));
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
