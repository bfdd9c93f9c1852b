// Decoding figures for realistic A4 scans: 2480 x 3508 JPEG pages (300 dpi) with lines of
// text and scanner noise, 1 to 2 MB each. Prints the time of a full-size decode, of the
// DCT-scaled decodes at 1/2, 1/4 and 1/8, of libjpeg-turbo alone at the same scales (the
// floor any decoder built on it can reach), of probing, of the picture adjustments, and the
// processor time of making the picture of a 3 x 3 cell at 300 dpi at each scale M/8 that
// covers it (the luminance decoded, reduced to the cell and encoded as a PDF stores it).
//   bench_decode [pages] [repetitions]

#include "common/Scans.h"
#include "imaging/Adjustments.h"
#include "imaging/GreyReduction.h"
#include "imaging/ImageIO.h"
#include "imaging/JpegEncoder.h"
#include "imaging/JpegScale.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <time.h>
#include <vector>

#include <jpeglib.h>

using namespace pagula::imaging;

namespace
{

constexpr int pageWidth = 2480;
constexpr int pageHeight = 3508;

double millisecondsOf(const std::function<void()>& f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// Median of several runs of f over every page.
double medianMs(int repetitions, const std::function<void()>& f)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i)
        times.push_back(millisecondsOf(f));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Processor time of this thread, in milliseconds.
double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// libjpeg-turbo with nothing around it: the same output format, into a new buffer (as any
// decoder must hand out a new picture).
void decodeWithLibjpegOnly(const QByteArray& bytes, int denominator)
{
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGRA;
    cinfo.scale_num = 1;
    cinfo.scale_denom = unsigned(denominator);
    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t(cinfo.output_width) * 4;
    std::unique_ptr<uchar[]> buffer(new uchar[stride * cinfo.output_height]);
    JSAMPROW rows[16];
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION n = std::min<JDIMENSION>(16, cinfo.output_height - cinfo.output_scanline);
        for (JDIMENSION i = 0; i < n; ++i)
            rows[i] = buffer.get() + (cinfo.output_scanline + i) * stride;
        jpeg_read_scanlines(&cinfo, rows, n);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int pages = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    const int repetitions = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir dir;
    QStringList files;
    std::vector<QByteArray> contents;
    std::printf("Making %d A4 scans (%d x %d, JPEG quality 85):", pages, pageWidth, pageHeight);
    for (int i = 0; i < pages; ++i) {
        const QString path = dir.filePath(QStringLiteral("page%1.jpg").arg(i));
        if (!pagula::bench::makeScan(i).save(path, "JPEG", 85)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        contents.push_back(f.readAll());
        files << path;
        std::printf(" %.2f MB", contents.back().size() / 1048576.0);
    }
    std::printf("\n%d repetitions, median, per page\n\n", repetitions);
    std::printf("%-6s %11s %14s %14s %16s %6s\n", "scale", "size", "decodeFile ms", "decodeData ms",
                "libjpeg only ms", "ratio");

    for (int denominator : {1, 2, 4, 8}) {
        DecodeRequest request;
        if (denominator > 1)
            request.atLeast = QSize(pageWidth / denominator, pageHeight / denominator);
        QSize size;
        const auto fromFiles = [&] {
            for (const QString& f : files)
                size = decodeFile(f, request).size();
        };
        const auto fromMemory = [&] {
            for (const QByteArray& c : contents)
                decodeData(c, request);
        };
        const auto libjpegOnly = [&] {
            for (const QByteArray& c : contents)
                decodeWithLibjpegOnly(c, denominator);
        };
        const double ours = medianMs(repetitions, fromFiles) / pages;
        const double inMemory = medianMs(repetitions, fromMemory) / pages;
        const double floor = medianMs(repetitions, libjpegOnly) / pages;
        std::printf("1/%-4d %4d x %-4d %14.1f %14.1f %16.1f %6.2f\n", denominator, size.width(),
                    size.height(), ours, inMemory, floor, ours / floor);
    }

    const int probes = 200;
    const double probeMs = medianMs(repetitions, [&] {
        for (int i = 0; i < probes; ++i)
            probeFile(files[i % files.size()]);
    });
    std::printf("\nprobeFile: %.1f us per file\n", probeMs * 1000.0 / probes);

    // The picture cell of the start layout (3 x 3, 58.3 x 90 mm) at 300 dpi.
    const QSize cell(689, 1063);
    std::printf("\nA %d x %d cell at 300 dpi, processor time per page, best of %d:\n", cell.width(),
                cell.height(), repetitions);
    std::printf("%-6s %11s %10s %10s %10s %10s\n", "scale", "decoded", "decode ms", "reduce ms",
                "encode ms", "total ms");
    for (int eighths = 1; eighths <= JpegFullScale; ++eighths) {
        const QSize decoded = jpegScaledSize(QSize(pageWidth, pageHeight), eighths);
        if (decoded.width() < cell.width() || decoded.height() < cell.height())
            continue;
        DecodeRequest request;
        request.atLeast = decoded;
        request.luminanceOnly = true;
        double decodeMs = 1e9, reduceMs = 1e9, encodeMs = 1e9;
        for (int r = 0; r < repetitions; ++r) {
            double d = 0, p = 0, e = 0;
            for (const QByteArray& c : contents) {
                const double t0 = threadCpuMs();
                const QImage picture = decodeData(c, request);
                const double t1 = threadCpuMs();
                const QImage reduced = reduceGrey(picture, cell);
                const double t2 = threadCpuMs();
                encodeJpeg(reduced, 90);
                e += threadCpuMs() - t2;
                p += t2 - t1;
                d += t1 - t0;
            }
            decodeMs = std::min(decodeMs, d / pages);
            reduceMs = std::min(reduceMs, p / pages);
            encodeMs = std::min(encodeMs, e / pages);
        }
        std::printf("%d/8    %4d x %-4d %10.1f %10.1f %10.1f %10.1f\n", eighths, decoded.width(),
                    decoded.height(), decodeMs, reduceMs, encodeMs, decodeMs + reduceMs + encodeMs);
    }

    const QImage half = decodeFile(files[0], {QSize(pageWidth / 2, pageHeight / 2)});
    std::printf("\nAdjustments on a %d x %d picture (1/2 scale page):\n", half.width(),
                half.height());
    const struct {
        const char* name;
        Adjustments settings;
    } adjustments[] = {
        {"brightness 0.6, contrast 0.7", {0.6, 0.7, ColorMode::Automatic}},
        {"greyscale", {0.5, 0.5, ColorMode::Greyscale}},
        {"black and white", {0.5, 0.5, ColorMode::BlackAndWhite}},
    };
    for (const auto& a : adjustments) {
        const double ms = medianMs(repetitions, [&] { applyAdjustments(half, a.settings); });
        std::printf("  %-30s %8.1f ms\n", a.name, ms);
    }
    return 0;
}
