#include "Fixtures.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <cstdio>
#include <gtest/gtest.h>
#include <jpeglib.h>

namespace pagula::imaging::test
{

QImage quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, quadrantColour((x + 0.5) / width, (y + 0.5) / height));
    }
    return image;
}

QImage noisyQuadrants(int width, int height)
{
    QImage image = quadrants(width, height);
    quint32 seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int d = int(seed >> 28); // 0..15
            const QRgb c = line[x];
            line[x] = qRgb(qMax(0, qRed(c) - d), qMax(0, qGreen(c) - d), qMax(0, qBlue(c) - d));
        }
    }
    return image;
}

QRgb quadrantColour(double fx, double fy)
{
    if (fy < 0.5)
        return fx < 0.5 ? qRgb(220, 30, 30) : qRgb(30, 200, 40);
    return fx < 0.5 ? qRgb(30, 40, 210) : qRgb(250, 250, 250);
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

namespace
{

struct Compressor {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    unsigned char* out = nullptr;
    unsigned long size = 0;

    Compressor()
    {
        c.err = jpeg_std_error(&err);
        jpeg_create_compress(&c);
        jpeg_mem_dest(&c, &out, &size);
    }
    ~Compressor()
    {
        jpeg_destroy_compress(&c);
        std::free(out);
    }
    QByteArray bytes() const
    {
        return QByteArray(reinterpret_cast<const char*>(out), qsizetype(size));
    }
};

} // namespace

QByteArray writeJpeg(const QImage& source, const JpegWriteOptions& o)
{
    const bool grey = source.format() == QImage::Format_Grayscale8;
    const QImage image = grey ? source : source.convertToFormat(QImage::Format_RGB888);
    Compressor k;
    k.c.image_width = JDIMENSION(image.width());
    k.c.image_height = JDIMENSION(image.height());
    k.c.input_components = grey ? 1 : 3;
    k.c.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&k.c);
    jpeg_set_quality(&k.c, o.quality, TRUE);
    k.c.write_JFIF_header = o.jfif;
    k.c.density_unit = UINT8(o.densityUnit);
    k.c.X_density = UINT16(o.xDensity);
    k.c.Y_density = UINT16(o.yDensity);
    std::vector<jpeg_scan_info> scans;
    if (!o.scans.empty()) {
        for (const JpegScan& s : o.scans) {
            jpeg_scan_info info{};
            if (s.component < 0) {
                info.comps_in_scan = k.c.input_components;
                for (int i = 0; i < info.comps_in_scan; ++i)
                    info.component_index[i] = i;
            } else {
                info.comps_in_scan = 1;
                info.component_index[0] = s.component;
            }
            info.Ss = s.ss;
            info.Se = s.se;
            info.Ah = s.ah;
            info.Al = s.al;
            scans.push_back(info);
        }
        k.c.scan_info = scans.data();
        k.c.num_scans = int(scans.size());
    } else if (o.progressive) {
        jpeg_simple_progression(&k.c);
    }
    jpeg_start_compress(&k.c, TRUE);
    if (!o.app1.isEmpty())
        jpeg_write_marker(&k.c, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(o.app1.constData()),
                          unsigned(o.app1.size()));
    while (k.c.next_scanline < k.c.image_height) {
        JSAMPROW row = const_cast<uchar*>(image.constScanLine(int(k.c.next_scanline)));
        jpeg_write_scanlines(&k.c, &row, 1);
    }
    jpeg_finish_compress(&k.c);
    return k.bytes();
}

QByteArray writeCmykJpeg(int width, int height, std::array<quint8, 4> cmyk, bool adobeInverted)
{
    Compressor k;
    k.c.image_width = JDIMENSION(width);
    k.c.image_height = JDIMENSION(height);
    k.c.input_components = 4;
    k.c.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&k.c);
    jpeg_set_quality(&k.c, 95, TRUE);
    jpeg_set_colorspace(&k.c, JCS_CMYK); // also asks for the Adobe marker
    k.c.write_Adobe_marker = adobeInverted;
    std::vector<JSAMPLE> row(size_t(width) * 4);
    for (int x = 0; x < width; ++x) {
        for (int i = 0; i < 4; ++i)
            row[size_t(x) * 4 + i] = JSAMPLE(adobeInverted ? 255 - cmyk[i] : cmyk[i]);
    }
    jpeg_start_compress(&k.c, TRUE);
    while (k.c.next_scanline < k.c.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&k.c, &r, 1);
    }
    jpeg_finish_compress(&k.c);
    return k.bytes();
}

QByteArray exifBlock(int orientation, double xResolution, double yResolution, int unit,
                     bool bigEndian)
{
    QByteArray tiff;
    const auto u16 = [&](quint16 v) {
        char b[2];
        bigEndian ? qToBigEndian(v, b) : qToLittleEndian(v, b);
        tiff.append(b, 2);
    };
    const auto u32 = [&](quint32 v) {
        char b[4];
        bigEndian ? qToBigEndian(v, b) : qToLittleEndian(v, b);
        tiff.append(b, 4);
    };
    const bool resolution = xResolution > 0;
    const int entries = resolution ? 4 : 1;
    tiff.append(bigEndian ? "MM" : "II");
    u16(42);
    u32(8);
    u16(quint16(entries));
    const quint32 values = 8 + 2 + 12 * entries + 4;
    u16(274), u16(3), u32(1), u16(quint16(orientation)), u16(0);
    if (resolution) {
        u16(282), u16(5), u32(1), u32(values);
        u16(283), u16(5), u32(1), u32(values + 8);
        u16(296), u16(3), u32(1), u16(quint16(unit)), u16(0);
    }
    u32(0); // no next directory
    if (resolution) {
        u32(quint32(xResolution * 1000)), u32(1000);
        u32(quint32(yResolution * 1000)), u32(1000);
    }
    return QByteArray("Exif\0\0", 6) + tiff;
}

namespace
{

void appendRun(QByteArray& out, quint8 value, int count)
{
    if (count > 1 || (value & 0xC0) == 0xC0)
        out.append(char(0xC0 | count));
    out.append(char(value));
}

void encodeRuns(QByteArray& out, const char* data, qsizetype size)
{
    qsizetype i = 0;
    while (i < size) {
        int run = 1;
        while (i + run < size && run < 63 && data[i + run] == data[i])
            ++run;
        appendRun(out, quint8(data[i]), run);
        i += run;
    }
}

} // namespace

QByteArray writePcx(const PcxFields& s)
{
    QByteArray out(128, '\0');
    const auto u16 = [&out](int offset, int v) {
        qToLittleEndian(quint16(v), out.data() + offset);
    };
    out[0] = 0x0A;
    out[1] = char(s.version);
    out[2] = char(s.encoding);
    out[3] = char(s.bitsPerPixel);
    u16(4, s.xMin);
    u16(6, s.yMin);
    u16(8, s.xMax);
    u16(10, s.yMax);
    u16(12, s.hDpi);
    u16(14, s.vDpi);
    if (!s.ega.isEmpty())
        out.replace(16, 48, s.ega.left(48));
    out[65] = char(s.planes);
    u16(66, s.bytesPerLine);
    u16(68, 1);
    const qsizetype lineBytes = qsizetype(s.bytesPerLine) * s.planes;
    if (s.encoding != 1) {
        out += s.lines;
    } else if (s.runsCrossLines || lineBytes == 0) {
        encodeRuns(out, s.lines.constData(), s.lines.size());
    } else {
        for (qsizetype at = 0; at < s.lines.size(); at += lineBytes)
            encodeRuns(out, s.lines.constData() + at, qMin(lineBytes, s.lines.size() - at));
    }
    if (!s.palette.isEmpty()) {
        out.append(char(s.marker));
        out += s.palette;
    }
    return out;
}

QByteArray writePcx(const QImage& source, int bitsPerPixel, int planes)
{
    PcxFields s;
    s.bitsPerPixel = bitsPerPixel;
    s.planes = planes;
    s.xMax = source.width() - 1;
    s.yMax = source.height() - 1;
    const int bytes = (source.width() * bitsPerPixel + 7) / 8;
    s.bytesPerLine = bytes + (bytes & 1); // lines are an even number of bytes
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> colours;
    if (bitsPerPixel == 1 && planes == 4) {
        for (int i = 0; i < 16; ++i) // the EGA colours, in the header
            colours.append(qRgb((i & 4) ? 170 : 0, (i & 2) ? 170 : 0, (i & 1) ? 170 : 0) |
                           ((i & 8) ? 0xFF555555 : 0));
        for (QRgb c : colours)
            s.ega.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    const auto indexOf = [&colours](QRgb c) {
        qsizetype i = colours.indexOf(c);
        if (i < 0) {
            colours.append(c);
            i = colours.size() - 1;
        }
        return int(i);
    };
    for (int y = 0; y < image.height(); ++y) {
        QByteArray line(qsizetype(s.bytesPerLine) * planes, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (bitsPerPixel == 8 && planes == 3) {
                line[x] = char(qRed(c));
                line[s.bytesPerLine + x] = char(qGreen(c));
                line[2 * s.bytesPerLine + x] = char(qBlue(c));
            } else if (bitsPerPixel == 8) {
                line[x] = char(indexOf(c));
            } else {
                const int index = planes == 1 ? (qGray(c) >= 128 ? 1 : 0) : indexOf(c);
                for (int p = 0; p < planes; ++p) {
                    if (index & (1 << p))
                        line[p * s.bytesPerLine + x / 8] =
                            char(line[p * s.bytesPerLine + x / 8] | (0x80 >> (x % 8)));
                }
            }
        }
        s.lines += line;
    }
    if (bitsPerPixel == 8 && planes == 1) {
        s.palette = QByteArray(768, '\0');
        for (int i = 0; i < colours.size() && i < 256; ++i) {
            s.palette[i * 3] = char(qRed(colours[i]));
            s.palette[i * 3 + 1] = char(qGreen(colours[i]));
            s.palette[i * 3 + 2] = char(qBlue(colours[i]));
        }
    }
    return writePcx(s);
}

Bytes& Bytes::u8(int v)
{
    data.append(char(v));
    return *this;
}

Bytes& Bytes::u16(int v)
{
    char b[2];
    qToLittleEndian(quint16(v), b);
    data.append(b, 2);
    return *this;
}

Bytes& Bytes::u32(qint64 v)
{
    char b[4];
    qToLittleEndian(quint32(v), b);
    data.append(b, 4);
    return *this;
}

Bytes& Bytes::raw(const QByteArray& b)
{
    data += b;
    return *this;
}

QByteArray bmp(int width, int height, int bits, int compression, const QByteArray& extra,
               const QByteArray& pixels, int pixelsPerMetre)
{
    const int offset = 14 + 40 + int(extra.size());
    const int colours = bits <= 8 ? int(extra.size() / 4) : 0;
    Bytes b;
    b.raw("BM").u32(offset + pixels.size()).u32(0).u32(offset);
    b.u32(40).u32(width).u32(height).u16(1).u16(bits).u32(compression).u32(pixels.size());
    b.u32(pixelsPerMetre).u32(pixelsPerMetre).u32(colours).u32(0);
    return b.raw(extra).raw(pixels).data;
}

QByteArray bmpPalette(std::initializer_list<QRgb> colours)
{
    Bytes b;
    for (QRgb c : colours)
        b.u8(qBlue(c)).u8(qGreen(c)).u8(qRed(c)).u8(0);
    return b.data;
}

QByteArray tiff(const TiffFields& s)
{
    struct Entry {
        int tag, type;
        qint64 value;
    };
    std::vector<Entry> entries = {{256, 3, s.width}, {257, 3, s.height}, {258, 3, 8},
                                  {259, 3, 1},       {262, 3, 1},        {273, 4, 0}};
    if (s.orientation)
        entries.push_back({274, 3, s.orientation});
    entries.insert(entries.end(), {{277, 3, 1}, {278, 3, s.height}, {279, 4, 0}});
    if (s.xResolution > 0)
        entries.insert(entries.end(), {{282, 5, 0}, {283, 5, 0}});
    if (s.resolutionUnit)
        entries.push_back({296, 3, s.resolutionUnit});
    for (int i = 0; i < s.bogusTags; ++i)
        entries.push_back({40000 + i, 3, i});

    QByteArray pixels(qsizetype(s.width) * s.height, '\0');
    for (int i = 0; i < pixels.size(); ++i)
        pixels[i] = char(i * 7);
    const qint64 directorySize = 2 + 12 * qint64(entries.size()) + 4;
    const qint64 directory = s.directoryLast ? 8 + pixels.size() : 8;
    const qint64 pixelsAt = s.directoryLast ? 8 : 8 + directorySize;
    const qint64 rationals = directory + directorySize;

    Bytes b;
    b.raw("II").u16(42).u32(directory);
    if (s.directoryLast)
        b.raw(pixels);
    b.u16(int(entries.size()));
    for (const Entry& e : entries) {
        qint64 v = e.value;
        if (e.tag == 273)
            v = s.stripOffset >= 0 ? s.stripOffset : pixelsAt;
        else if (e.tag == 279)
            v = s.stripBytes >= 0 ? s.stripBytes : pixels.size();
        else if (e.tag == 282 || e.tag == 283)
            v = rationals + (e.tag - 282) * 8;
        b.u16(e.tag).u16(e.type).u32(1);
        if (e.type == 3)
            b.u16(int(v)).u16(0);
        else
            b.u32(v);
    }
    b.u32(0);
    if (s.xResolution > 0) {
        b.u32(qint64(s.xResolution * 100)).u32(100);
        b.u32(qint64(s.yResolution * 100)).u32(100);
    }
    if (!s.directoryLast)
        b.raw(pixels);
    return b.data;
}

bool haveTool(const QString& name)
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}

bool runTool(const QString& name, const QStringList& args, QString* error)
{
    QProcess p;
    p.start(name, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error)
            *error = name + QLatin1Char(' ') + args.join(QLatin1Char(' ')) + QStringLiteral(": ") +
                     QString::fromLocal8Bit(p.readAllStandardError());
        return false;
    }
    return true;
}

QByteArray encoded(const QImage& image, const char* format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    EXPECT_TRUE(buffer.open(QIODevice::WriteOnly));
    EXPECT_TRUE(image.save(&buffer, format, quality)) << format;
    return bytes;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

} // namespace pagula::imaging::test
