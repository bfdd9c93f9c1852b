#include "document/PicturePreparation.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace pagula::document {

namespace {

constexpr int MaxRequestSide = 32768;

int clampedCeil(double value)
{
    if (!(value > 1.0))
        return 1;
    return static_cast<int>(std::min(std::ceil(value - 1e-9), double(MaxRequestSide)));
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
        return image.isGrayscale(); // looks at the colour table only
    default:
        return false;
    }
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

QImage preparePicture(const QImage& decoded, QRectF visibleShare, QSize target,
                      const imaging::Adjustments& adjustments)
{
    const QRect source = sourceRect(decoded.size(), visibleShare);
    if (source.isEmpty() || target.isEmpty())
        return {};

    const bool whole = source == decoded.rect();
    QImage picture = toWorkingFormat(whole ? decoded : decoded.copy(source));
    const QSize scaled(std::min(target.width(), picture.width()),
                       std::min(target.height(), picture.height()));
    if (scaled != picture.size()) {
        // Qt scales 32-bit pictures fastest, greyscale ones included.
        const QImage::Format format = picture.format();
        picture = picture.convertToFormat(QImage::Format_RGB32)
                      .scaled(scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(format);
    }
    if (!adjustments.isNeutral())
        picture = imaging::applyAdjustments(picture, adjustments);
    return picture;
}

} // namespace pagula::document
