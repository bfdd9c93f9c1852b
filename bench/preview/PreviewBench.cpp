// Times what the user waits for with a large scan in the preview: showEntry of a 6000 × 4000
// JPEG (read, decode, first paint of the window) and a zoom change (re-render, paint), beside
// a plain libjpeg-turbo decode of the same file in the same run.
//   bench_preview [runs]
#include "imaging/ImageIO.h"
#include "preview/ui/PreviewWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

using namespace pagula::preview;

namespace
{

// Smooth shading with edges and fine grain, so the JPEG has the entropy of a photograph.
QImage photoLike(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    std::vector<int> byX(width), byY(height);
    for (int x = 0; x < width; ++x)
        byX[x] = int(60 * std::sin(x / 310.0) + 25 * std::sin(x / 37.0));
    for (int y = 0; y < height; ++y)
        byY[y] = int(50 * std::cos(y / 270.0) + 20 * std::sin(y / 23.0));
    quint32 seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed ^= seed << 13;
            seed ^= seed >> 17;
            seed ^= seed << 5;
            const int grain = int(seed % 25) - 12;
            const int edge = ((x / 400 + y / 300) % 2) ? 30 : -30;
            const int base = 128 + byX[x] + byY[y] + edge + grain;
            line[x] = qRgb(std::clamp(base + 20, 0, 255), std::clamp(base, 0, 255),
                           std::clamp(base - 25 + (x * 64 / width), 0, 255));
        }
    }
    return img;
}

struct PlainError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

void plainErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<PlainError*>(cinfo->err)->jump, 1);
}

// libjpeg-turbo with its defaults: RGB output, full size, every scanline into one buffer.
bool plainDecode(const char* path, std::vector<unsigned char>& pixels)
{
    FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    jpeg_decompress_struct cinfo;
    PlainError err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = plainErrorExit;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::fclose(file);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t(cinfo.output_width) * cinfo.output_components;
    pixels.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels.data() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double medianMs(int runs, const std::function<void()>& body,
                const std::function<void()>& untimedBefore = {})
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (untimedBefore)
            untimedBefore();
        QElapsedTimer timer;
        timer.start();
        body();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("scan.jpg"));
    {
        QImageWriter writer(path, "jpg");
        writer.setQuality(90);
        if (!writer.write(photoLike(6000, 4000))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    std::printf("picture: 6000 x 4000 JPEG, quality 90, %lld bytes; median of %d runs\n",
                static_cast<long long>(QFileInfo(path).size()), runs);

    const QByteArray nativePath = QFile::encodeName(path);
    PreviewWindow form;
    form.resize(543, 768);
    form.show();
    QApplication::processEvents();
    auto* zoom = form.findChild<QComboBox*>(QStringLiteral("zoomBox"));
    QWidget* viewport = form.findChild<QScrollArea*>(QStringLiteral("scrollArea"))->viewport();
    // A paint of the visible area, as the window would do next.
    const auto paint = [&] { (void)viewport->grab(); };
    const pagula::joblist::JobEntry entry{path, 0};
    const auto label = [&](int item) {
        return item == 0 ? QByteArray("fit to window") : zoom->itemText(item).toLatin1();
    };

    // The machine is shared, so the figures that are compared are taken turn about.
    const auto plainOnce = [&] {
        std::vector<unsigned char> pixels; // a fresh buffer each time, as a viewer would have
        if (!plainDecode(nativePath.constData(), pixels))
            std::abort();
    };
    std::vector<double> plainTimes, decodeTimes;
    std::vector<std::vector<double>> showTimes(3);
    const int items[] = {0, 3, 10};
    for (int run = 0; run < runs; ++run) {
        plainTimes.push_back(medianMs(1, plainOnce));
        decodeTimes.push_back(medianMs(1, [&] { (void)pagula::imaging::decodeFile(path); }));
        for (int i = 0; i < 3; ++i) {
            zoom->setCurrentIndex(items[i]);
            showTimes[i].push_back(medianMs(1, [&] {
                form.showEntry(entry);
                paint();
            }));
        }
    }
    const double plain = median(plainTimes);
    std::printf("%-44s %9.1f ms\n", "plain libjpeg-turbo decode (RGB, full size)", plain);
    std::printf("%-44s %9.1f ms  (%.2f x plain decode)\n", "imaging::decodeFile alone",
                median(decodeTimes), median(decodeTimes) / plain);
    double show = 0;
    for (int i = 0; i < 3; ++i) {
        const double t = median(showTimes[i]);
        if (items[i] == 0)
            show = t;
        std::printf("showEntry + paint at %-23s %9.1f ms  (%.2f x plain decode)\n",
                    label(items[i]).constData(), t, t / plain);
    }

    zoom->setCurrentIndex(0);
    form.showEntry(entry);
    for (const int item : {1, 3, 5, 9, 10, 0}) {
        // Step away without rendering, so that each timed step is a real change of zoom.
        const auto stepAway = [&] {
            const QSignalBlocker quiet(zoom);
            zoom->setCurrentIndex(item == 5 ? 6 : 5);
        };
        const double change = medianMs(
            runs,
            [&] {
                zoom->setCurrentIndex(item);
                paint();
            },
            stepAway);
        std::printf("zoom change to %-29s %9.1f ms  (%.2f x showEntry at fit)\n",
                    label(item).constData(), change, change / show);
    }
    return 0;
}
