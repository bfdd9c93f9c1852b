#include "document/PicturePreparation.h"

#include "imaging/GreyReduction.h"
#include "imaging/PrintThreshold.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <new>

namespace pagula::document
{

namespace
{

constexpr int MaxRequestSide = 32768;

int clampedCeil(double value)
{
    if (!(value > 1.0))
        return 1;
    return static_cast<int>(std::min(std::ceil(value - 1e-9), double(MaxRequestSide)));
}

bool hasGreyPalette(const QImage& image)
{
    const QList<QRgb> palette = image.colorTable();
    return !palette.isEmpty() && std::all_of(palette.begin(), palette.end(), [](QRgb c) {
        return qRed(c) == qGreen(c) && qGreen(c) == qBlue(c) && qAlpha(c) == 255;
    });
}

bool isGreySource(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_Grayscale8:
    case QImage::Format_Grayscale16:
        return true;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
        return hasGreyPalette(image);
    default:
        return false;
    }
}

bool isOneBitBlackAndWhite(const QImage& image)
{
    if (image.depth() != 1 || image.colorCount() != 2)
        return false;
    const QRgb a = image.color(0) | 0xff000000u;
    const QRgb b = image.color(1) | 0xff000000u;
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    return (a == black && b == white) || (a == white && b == black);
}

// One of two working formats: Grayscale8 for grey sources, RGB32 for everything else, with
// transparent parts laid on white.
QImage toWorkingFormat(const QImage& image)
{
    if (isGreySource(image))
        return image.convertToFormat(QImage::Format_Grayscale8);
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage onWhite(image.size(), QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    QPainter painter(&onWhite);
    painter.drawImage(0, 0, image);
    painter.end();
    return onWhite;
}

} // namespace

QSize boxPixels(QSizeF boxPoints, double dpi)
{
    const auto pixels = [dpi](double points) {
        const double v = std::round(points * dpi / 72.0);
        return v >= 1.0 ? static_cast<int>(std::min(v, double(MaxRequestSide))) : 1;
    };
    return {pixels(boxPoints.width()), pixels(boxPoints.height())};
}

QSize decodeSizeFor(QSize target, QRectF visibleShare)
{
    const double w = visibleShare.width() > 0.0 ? target.width() / visibleShare.width() : 1.0;
    const double h = visibleShare.height() > 0.0 ? target.height() / visibleShare.height() : 1.0;
    return {clampedCeil(w), clampedCeil(h)};
}

QRect sourceRect(QSize decoded, QRectF visibleShare)
{
    const auto at = [](double share, int length) {
        return std::clamp(static_cast<int>(std::lround(share * length)), 0, length);
    };
    const int x0 = at(visibleShare.left(), decoded.width());
    const int x1 = at(visibleShare.right(), decoded.width());
    const int y0 = at(visibleShare.top(), decoded.height());
    const int y1 = at(visibleShare.bottom(), decoded.height());
    if (x1 <= x0 || y1 <= y0)
        return {};
    return QRect(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
}

FittedSize fittedSize(QSize picture, QSize box)
{
    if (picture.isEmpty() || box.isEmpty())
        return {picture, box};
    const double scale =
        std::min(double(box.width()) / picture.width(), double(box.height()) / picture.height());
    const auto at = [](double v) { return std::max(1, int(std::lround(v))); };
    if (scale <= 1.0)
        return {QSize(at(picture.width() * scale), at(picture.height() * scale)), box};
    // Never enlarged here: the box shrinks by the same scale instead.
    return {picture, QSize(std::max(picture.width(), at(box.width() / scale)),
                           std::max(picture.height(), at(box.height() / scale)))};
}

namespace
{

QImage centredOnWhite(const QImage& picture, QSize box)
{
    if (picture.size() == box)
        return picture;
    QImage canvas(box, picture.format() == QImage::Format_Grayscale8 ? QImage::Format_Grayscale8
                                                                     : QImage::Format_RGB32);
    if (canvas.isNull())
        throw std::bad_alloc();
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage((box.width() - picture.width()) / 2, (box.height() - picture.height()) / 2,
                      picture);
    painter.end();
    return canvas;
}

} // namespace

QImage preparePicture(const QImage& decoded, QRectF visibleShare, QSize target,
                      const imaging::Adjustments& adjustments, PictureFinish finish)
{
    const QRect source = sourceRect(decoded.size(), visibleShare);
    if (source.isEmpty() || target.isEmpty())
        return {};

    const bool whole = source == decoded.rect();
    QSize scaled(std::min(target.width(), source.width()),
                 std::min(target.height(), source.height()));
    QSize box = scaled;
    if (finish.keepProportions) {
        const FittedSize fitted = fittedSize(source.size(), target);
        scaled = fitted.picture;
        box = fitted.box;
    }
    // A black and white picture shown at its own pixels or larger stays one bit deep.
    if (isOneBitBlackAndWhite(decoded) && scaled == source.size() && box == scaled &&
        adjustments.isNeutral())
        return (whole ? decoded : decoded.copy(source)).convertToFormat(QImage::Format_Mono);

    QImage picture = toWorkingFormat(whole ? decoded : decoded.copy(source));
    if (scaled != picture.size() && picture.format() == QImage::Format_Grayscale8) {
        picture = imaging::reduceGrey(picture, scaled);
        if (picture.isNull())
            throw std::bad_alloc();
    } else if (scaled != picture.size()) {
        // Qt scales 32-bit pictures fastest.
        const QImage::Format format = picture.format();
        picture = picture.convertToFormat(QImage::Format_RGB32)
                      .scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(format);
    }
    const bool local =
        finish.localThreshold && adjustments.colorMode == imaging::ColorMode::BlackAndWhite;
    if (local) {
        imaging::Adjustments grey = adjustments;
        grey.colorMode = imaging::ColorMode::Greyscale;
        picture = imaging::applyAdjustments(picture, grey);
    } else if (!adjustments.isNeutral()) {
        picture = imaging::applyAdjustments(picture, adjustments);
    }
    if (box != picture.size()) {
        const bool mono = picture.format() == QImage::Format_Mono;
        picture = centredOnWhite(picture, box);
        if (mono)
            picture = picture.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    }
    // At the target's pixels: a smaller picture is enlarged first, never thresholded smaller.
    if (local)
        return imaging::thresholdForPrint(picture, target);
    // Colour files that hold only grey (many scans) are stored as grey.
    if (picture.format() == QImage::Format_RGB32 && picture.allGray())
        picture = picture.convertToFormat(QImage::Format_Grayscale8);
    return picture;
}

} // namespace pagula::document
