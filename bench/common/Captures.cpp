#include "common/Captures.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace pagula::bench
{

namespace
{

constexpr double scanDpi = 300.0;
constexpr double mmPerInch = 25.4;

int clamp255(double v)
{
    return std::clamp(int(std::lround(v)), 0, 255);
}

// The grey page (255 paper, 0 ink) as paper and ink colours.
QImage tinted(const QImage& grey, QRgb paper, QRgb ink)
{
    QImage out(grey.size(), QImage::Format_RGB32);
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* in = grey.constScanLine(y);
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const double t = in[x] / 255.0;
            line[x] = qRgb(clamp255(qRed(ink) + (qRed(paper) - qRed(ink)) * t),
                           clamp255(qGreen(ink) + (qGreen(paper) - qGreen(ink)) * t),
                           clamp255(qBlue(ink) + (qBlue(paper) - qBlue(ink)) * t));
        }
    }
    return out;
}

// Multiplies every pixel by light(x, y) and adds sensor noise of the given spread.
template <typename Light> void expose(QImage& image, Light light, int noise, quint32 seed)
{
    QRandomGenerator random(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double f = light(x, y);
            const int n = noise > 0 ? int(random.bounded(2 * noise + 1)) - noise : 0;
            line[x] = qRgb(clamp255(qRed(line[x]) * f + n), clamp255(qGreen(line[x]) * f + n),
                           clamp255(qBlue(line[x]) * f + n));
        }
    }
}

// A light 3 x 3 blur, as a phone's lens and processing leave it.
QImage soften(const QImage& image)
{
    QImage out(image.size(), QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    for (int y = 0; y < h; ++y) {
        const QRgb* rows[3];
        for (int k = 0; k < 3; ++k)
            rows[k] =
                reinterpret_cast<const QRgb*>(image.constScanLine(std::clamp(y + k - 1, 0, h - 1)));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int r = 0, g = 0, b = 0, weight = 0;
            for (int k = 0; k < 3; ++k) {
                for (int d = -1; d <= 1; ++d) {
                    const QRgb c = rows[k][std::clamp(x + d, 0, w - 1)];
                    const int wgt = (k == 1 ? 2 : 1) * (d == 0 ? 2 : 1);
                    r += qRed(c) * wgt;
                    g += qGreen(c) * wgt;
                    b += qBlue(c) * wgt;
                    weight += wgt;
                }
            }
            line[x] = qRgb(r / weight, g / weight, b / weight);
        }
    }
    return out;
}

QPolygonF rectCorners(const QRectF& r)
{
    return QPolygonF({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()});
}

CapturedPage cleanScan(int number)
{
    const BookPage page = makeBookPage(number, scanDpi);
    QImage image = tinted(page.image, qRgb(246, 245, 241), qRgb(28, 28, 30));
    expose(
        image, [](int, int) { return 1.0; }, 3, quint32(number));
    return {image, page.text, rectCorners(QRectF(QPointF(0, 0), QSizeF(image.size())))};
}

CapturedPage bookScan(int number)
{
    const double pxPerMm = scanDpi / mmPerInch;
    const BookPage page = makeBookPage(number, scanDpi);
    const bool gutterLeft = number % 2 == 1;
    // The page with its gutter: a dark strip where the paper bends into the binding, and the
    // paper darkening towards it.
    const int strip = int(9 * pxPerMm);
    QImage sheet = tinted(page.image, qRgb(238, 233, 216), qRgb(34, 32, 30));
    QImage book(sheet.width() + strip, sheet.height(), QImage::Format_RGB32);
    book.fill(qRgb(238, 233, 216));
    {
        QPainter p(&book);
        p.drawImage(gutterLeft ? strip : 0, 0, sheet);
    }
    const int fold = gutterLeft ? 0 : book.width() - 1;
    expose(
        book,
        [&](int x, int) {
            const double d = std::abs(x - fold) / pxPerMm; // mm from the fold
            if (d < 9.0)
                return 0.15 + 0.55 * std::pow(d / 9.0, 2.0);
            return d < 25.0 ? 0.70 + 0.30 * std::sqrt((d - 9.0) / 16.0) : 1.0;
        },
        0, 0);

    const QSize bed(int(166 * pxPerMm), int(230 * pxPerMm));
    QImage image(bed, QImage::Format_RGB32);
    image.fill(qRgb(250, 250, 250));
    const double turn = (number % 2 ? 1.0 : -1.0) * (0.8 + 0.35 * (number % 4));
    QTransform placement;
    placement.translate(gutterLeft ? 0 : bed.width() - book.width(), 10 * pxPerMm);
    placement.translate(book.width() / 2.0, book.height() / 2.0);
    placement.rotate(turn);
    placement.translate(-book.width() / 2.0, -book.height() / 2.0);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setTransform(placement);
        p.drawImage(0, 0, book);
    }
    expose(
        image, [](int, int) { return 1.0; }, 3, quint32(number));
    const QRectF onSheet(gutterLeft ? strip : 0, 0, sheet.width(), sheet.height());
    return {image, page.text, placement.map(rectCorners(onSheet))};
}

CapturedPage phonePhoto(int number)
{
    const int width = 3000, height = 4000;
    QRandomGenerator random(quint32(7000 + number));
    // A wooden table: brown with grain and slow changes of tone.
    QImage image(width, height, QImage::Format_RGB32);
    const double grain = 0.01 + 0.004 * (number % 3);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double g = 0.85 + 0.1 * std::sin(x * grain + 6.0 * std::sin(y * 0.002)) +
                             0.05 * std::sin(y * 0.0009 + x * 0.0004);
            line[x] = qRgb(clamp255(104 * g), clamp255(78 * g), clamp255(56 * g));
        }
    }

    const BookPage page = makeBookPage(number, scanDpi);
    const QImage sheet = tinted(page.image, qRgb(241, 239, 233), qRgb(38, 38, 42));
    // The sheet at about 72 % of the picture's height, turned, the far edge narrower.
    const double tall = 0.72 * height;
    const double wide = tall * bookPageWidthMm / bookPageHeightMm;
    const double narrowing = 0.035 + 0.01 * (number % 3);
    QPolygonF quad({QPointF(-wide / 2 * (1 - narrowing), -tall / 2 * 0.985),
                    QPointF(wide / 2 * (1 - narrowing), -tall / 2 * 0.985),
                    QPointF(wide / 2, tall / 2), QPointF(-wide / 2, tall / 2)});
    const double turn = (number % 2 ? 1.0 : -1.0) * (2.5 + 0.7 * (number % 4));
    QTransform place;
    place.translate(width / 2.0 + random.bounded(120) - 60,
                    height / 2.0 + random.bounded(120) - 60);
    place.rotate(turn);
    quad = place.map(quad);
    QTransform sheetToPhoto;
    QTransform::quadToQuad(rectCorners(QRectF(QPointF(0, 0), QSizeF(sheet.size()))), quad,
                           sheetToPhoto);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(sheetToPhoto);
        p.drawImage(0, 0, sheet);
    }

    // Light falling off across the picture, and a soft shadow over the corner at the bottom
    // right (or left), cutting a third of both sides there.
    const bool shadowRight = number % 2 == 0;
    const QPointF a = quad[2] + (quad[1] - quad[2]) * 0.33;
    const QPointF b = quad[2] + (quad[3] - quad[2]) * 0.33;
    const QPointF a2 = quad[3] + (quad[0] - quad[3]) * 0.33;
    const QPointF b2 = quad[3] + (quad[2] - quad[3]) * 0.33;
    const QPointF p1 = shadowRight ? a : a2, p2 = shadowRight ? b : b2;
    const QPointF corner = shadowRight ? quad[2] : quad[3];
    const QPointF n(p2.y() - p1.y(), p1.x() - p2.x());
    const double nl = std::hypot(n.x(), n.y());
    const double cornerSide = (corner - p1).x() * n.x() + (corner - p1).y() * n.y();
    const double sign = cornerSide > 0 ? 1.0 : -1.0;
    expose(
        image,
        [&](int x, int y) {
            const double light = 0.80 + 0.20 * (double(x) / width * 0.4 + double(y) / height * 0.6);
            const double d = sign * ((x - p1.x()) * n.x() + (y - p1.y()) * n.y()) / nl;
            const double shade = d <= -30 ? 1.0 : (d >= 30 ? 0.5 : 1.0 - 0.5 * (d + 30) / 60.0);
            return light * shade;
        },
        0, 0);
    image = soften(image);
    expose(
        image, [](int, int) { return 1.0; }, 4, quint32(number));
    return {image, page.text, quad};
}

} // namespace

const char* captureName(Capture capture)
{
    switch (capture) {
    case Capture::CleanScan:
        return "clean scan";
    case Capture::BookScan:
        return "book scan";
    case Capture::PhonePhoto:
        return "phone photo";
    }
    return "";
}

CapturedPage capturePage(Capture capture, int number)
{
    switch (capture) {
    case Capture::CleanScan:
        return cleanScan(number);
    case Capture::BookScan:
        return bookScan(number);
    case Capture::PhonePhoto:
        return phonePhoto(number);
    }
    return {};
}

} // namespace pagula::bench
