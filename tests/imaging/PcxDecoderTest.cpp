#include "Fixtures.h"

#include "imaging/ImageIO.h"
#include "imaging/PcxDecoder.h"

#include <functional>
#include <gtest/gtest.h>

namespace pagula::imaging
{
namespace
{

using namespace test;

// Pixel-exact comparison of colours (PCX is lossless).
void expectSamePixels(const QImage& got, const QImage& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (int y = 0; y < want.height(); ++y) {
        for (int x = 0; x < want.width(); ++x)
            ASSERT_EQ(got.pixel(x, y), want.pixel(x, y)) << "at " << x << "," << y;
    }
}

QImage egaColours(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int i = (x + 3 * y) % 16;
            image.setPixel(x, y,
                           qRgb((i & 4) ? 170 : 0, (i & 2) ? 170 : 0, (i & 1) ? 170 : 0) |
                               ((i & 8) ? 0xFF555555 : 0));
        }
    }
    return image;
}

QImage blackAndWhite(const QImage& image)
{
    QImage out = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, qGray(out.pixel(x, y)) >= 128 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    }
    return out;
}

TEST(PcxDecoder, DecodesEveryLayout)
{
    struct Case {
        const char* name;
        QImage image;
        int bits, planes;
        QImage::Format format;
    };
    const QImage grey = quadrants(13, 7).convertToFormat(QImage::Format_Grayscale8);
    const Case cases[] = {
        {"1 bit", blackAndWhite(quadrants(21, 9)), 1, 1, QImage::Format_Mono},
        {"16 colours", egaColours(19, 5), 1, 4, QImage::Format_RGB32},
        {"256 colours", quadrants(13, 7), 8, 1, QImage::Format_RGB32},
        {"256 greys", grey.convertToFormat(QImage::Format_RGB32), 8, 1, QImage::Format_Grayscale8},
        {"24 bit", quadrants(13, 7), 8, 3, QImage::Format_RGB32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage got = decodePcx(writePcx(c.image, c.bits, c.planes));
        EXPECT_EQ(got.format(), c.format);
        expectSamePixels(got, c.image);
    }
}

TEST(PcxDecoder, AgreesWithImageMagick)
{
    if (!haveTool(QStringLiteral("convert")))
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("q.png"));
    ASSERT_TRUE(quadrants(37, 23).save(png));
    const QStringList variants[] = {
        {},                                                   // 24 bit in 3 planes
        {QStringLiteral("-type"), QStringLiteral("palette")}, // 256 colours
        {QStringLiteral("-colors"), QStringLiteral("2"), QStringLiteral("-type"),
         QStringLiteral("palette")},
        {QStringLiteral("-colorspace"), QStringLiteral("gray")},
    };
    for (const QStringList& options : variants) {
        SCOPED_TRACE(options.join(QLatin1Char(' ')).toStdString());
        const QString pcx = dir.filePath(QStringLiteral("q.pcx"));
        const QString back = dir.filePath(QStringLiteral("back.png"));
        QString error;
        ASSERT_TRUE(runTool(QStringLiteral("convert"),
                            QStringList{png} + options + QStringList{pcx}, &error))
            << error.toStdString();
        // ImageMagick's own reading of the file is the reference.
        ASSERT_TRUE(runTool(QStringLiteral("convert"), {pcx, back}, &error)) << error.toStdString();
        const QImage want = QImage(back).convertToFormat(QImage::Format_RGB32);
        expectSamePixels(decodePcx(readFile(pcx)).convertToFormat(QImage::Format_RGB32), want);
    }
}

// A 24-bit picture's lines, with any number of bytes per line (pixels beyond the width 0).
QByteArray rgbLines(const QImage& image, int bytesPerLine)
{
    QByteArray lines;
    for (int y = 0; y < image.height(); ++y) {
        for (int plane = 0; plane < 3; ++plane) {
            QByteArray line(bytesPerLine, '\0');
            for (int x = 0; x < image.width() && x < bytesPerLine; ++x) {
                const QRgb c = image.pixel(x, y);
                line[x] = char(plane == 0 ? qRed(c) : plane == 1 ? qGreen(c) : qBlue(c));
            }
            lines += line;
        }
    }
    return lines;
}

PcxFields rgbFields(const QImage& image, int bytesPerLine)
{
    PcxFields s;
    s.planes = 3;
    s.xMax = image.width() - 1;
    s.yMax = image.height() - 1;
    s.bytesPerLine = bytesPerLine;
    s.lines = rgbLines(image, bytesPerLine);
    return s;
}

QString outcome(const QByteArray& bytes, const QImage& want)
{
    try {
        const QImage got = decodePcx(bytes);
        if (want.isNull())
            return QStringLiteral("decoded %1 x %2").arg(got.width()).arg(got.height());
        for (int y = 0; y < want.height(); ++y) {
            for (int x = 0; x < want.width(); ++x) {
                if (got.pixel(x, y) != want.pixel(x, y))
                    return QStringLiteral("wrong pixel at %1,%2").arg(x).arg(y);
            }
        }
        return QStringLiteral("decoded");
    } catch (const ImageError& e) {
        return e.message();
    }
}

TEST(PcxDecoder, HostileFiles)
{
    const QImage image = quadrants(6, 4);
    const auto fields = [&](const std::function<void(PcxFields&)>& change) {
        PcxFields s = rgbFields(image, 6);
        change(s);
        return writePcx(s);
    };
    const auto withPalette = [&](int size, quint8 marker) {
        PcxFields s;
        s.xMax = 5;
        s.yMax = 3;
        s.bytesPerLine = 6;
        s.lines = QByteArray(24, '\x07');
        s.palette = QByteArray(size, '\x40');
        s.marker = marker;
        return writePcx(s);
    };
    QByteArray endsInRun = writePcx(rgbFields(image, 6));
    endsInRun.chop(1); // the last value goes; its run count stays
    endsInRun[endsInRun.size() - 1] = char(0xC5);
    QByteArray zeroRun = writePcx(rgbFields(image, 6));
    zeroRun.insert(128, QByteArray("\xC0\x55\xC0\x00", 4));

    struct Case {
        const char* name;
        QByteArray bytes;
        QString outcome;
        QImage want = QImage();
    };
    const QString truncated = QStringLiteral("PCX file is truncated");
    const Case cases[] = {
        {"sound", fields([](PcxFields&) {}), QStringLiteral("decoded"), image},
        {"line too short", fields([](PcxFields& s) { s.bytesPerLine = 5; }),
         QStringLiteral("Damaged PCX file: 5 bytes per line cannot hold 6 pixels")},
        {"line length 0", fields([](PcxFields& s) { s.bytesPerLine = 0; }),
         QStringLiteral("Damaged PCX file: 0 bytes per line cannot hold 6 pixels")},
        {"line far too long", fields([&](PcxFields& s) { s = rgbFields(image, 4000); }),
         QStringLiteral("decoded"), image},
        {"runs across lines", fields([](PcxFields& s) { s.runsCrossLines = true; }),
         QStringLiteral("decoded"), image},
        {"run beyond the picture", fields([](PcxFields& s) { s.lines += QByteArray(50, '\x01'); }),
         QStringLiteral("decoded"), image},
        {"run count 0", zeroRun, QStringLiteral("decoded"), image},
        {"end inside a run", endsInRun, truncated},
        {"data missing", fields([](PcxFields& s) { s.lines.chop(10); }), truncated},
        {"header only", writePcx(rgbFields(image, 6)).left(128), truncated},
        {"short header", writePcx(rgbFields(image, 6)).left(100),
         QStringLiteral("Damaged PCX header")},
        {"Xmax < Xmin", fields([](PcxFields& s) { s.xMin = 10; }),
         QStringLiteral("Damaged PCX file: the picture's end lies before its start")},
        {"Ymax < Ymin", fields([](PcxFields& s) { s.yMin = 10; }),
         QStringLiteral("Damaged PCX file: the picture's end lies before its start")},
        {"65535 x 65535 x 3 in 1 KB", fields([](PcxFields& s) {
             s.xMax = s.yMax = 65534;
             s.bytesPerLine = 65535;
             s.lines = QByteArray(900, '\x11');
         }),
         truncated},
        {"width 65536", fields([](PcxFields& s) {
             s.encoding = 0;
             s.bitsPerPixel = 1;
             s.planes = 1;
             s.xMax = 65535;
             s.yMax = 0;
             s.bytesPerLine = 8192;
             s.lines = QByteArray(8192, '\0');
         }),
         QStringLiteral("Picture is too large (65536 x 1 pixels)")},
        {"256 colours, palette cut short", withPalette(700, 0x0C), QStringLiteral("decoded 6 x 4")},
        {"256 colours, wrong marker", withPalette(768, 0x0D), QStringLiteral("decoded 6 x 4")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(outcome(c.bytes, c.want), c.outcome);
    }

    for (auto [bits, planes] : {std::pair{2, 1}, {4, 1}, {1, 2}, {1, 3}, {8, 2}, {8, 4}}) {
        SCOPED_TRACE(testing::Message() << bits << " bits, " << planes << " planes");
        PcxFields s = rgbFields(image, 6);
        s.bitsPerPixel = bits;
        s.planes = planes;
        EXPECT_EQ(outcome(writePcx(s), {}),
                  QStringLiteral("Unsupported PCX format (%1 bits per pixel, %2 planes)")
                      .arg(bits)
                      .arg(planes));
    }
}

TEST(PcxDecoder, A256ColourFileWithoutPaletteIsGrey)
{
    PcxFields s;
    s.xMax = 3;
    s.yMax = 0;
    s.bytesPerLine = 4;
    s.lines = QByteArray("\x00\x40\x80\xFF", 4);
    const QImage got = decodePcx(writePcx(s));
    EXPECT_EQ(got.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(got.pixel(1, 0), qRgb(0x40, 0x40, 0x40));
    EXPECT_EQ(got.pixel(3, 0), qRgb(0xFF, 0xFF, 0xFF));
}

TEST(PcxDecoder, SixteenColoursWithoutHeaderPaletteUseTheEgaColours)
{
    const QImage image = egaColours(16, 1);
    PcxFields s;
    s.version = 3; // "no palette information"
    s.bitsPerPixel = 1;
    s.planes = 4;
    s.xMax = 15;
    s.bytesPerLine = 2;
    QByteArray line(8, '\0');
    for (int x = 0; x < 16; ++x) {
        for (int p = 0; p < 4; ++p) {
            if (x & (1 << p))
                line[p * 2 + x / 8] = char(line[p * 2 + x / 8] | (0x80 >> (x % 8)));
        }
    }
    s.lines = line;
    const QImage got = decodePcx(writePcx(s));
    EXPECT_EQ(got.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(got.pixel(1, 0), qRgb(0, 0, 0xAA));
    EXPECT_EQ(got.pixel(6, 0), qRgb(0xAA, 0x55, 0));
    EXPECT_EQ(got.pixel(15, 0), qRgb(0xFF, 0xFF, 0xFF));
}

} // namespace
} // namespace pagula::imaging
