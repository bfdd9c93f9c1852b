#include "document/InlinePicture.h"

#include "common/Error.h"
#include "document/PageGeometry.h"

#include <algorithm>
#include <cmath>

namespace pagula::document
{

namespace
{

QString number(double value)
{
    return QString::number(value, 'g', 8);
}

void checkLength(const char* what, double points)
{
    if (!std::isfinite(points) || points < 0.0 || points > MaxLengthPoints)
        throw common::Error(QStringLiteral("Picture %1 %2 is out of range (0 to %3 points)")
                                .arg(QLatin1String(what), number(points), number(MaxLengthPoints)));
}

void checkUnit(const char* what, double value)
{
    if (!std::isfinite(value) || value < 0.0 || value > 1.0)
        throw common::Error(QStringLiteral("Picture %1 %2 is out of range (0 to 1)")
                                .arg(QLatin1String(what), number(value)));
}

// Displayed length for a scale of the cropped length, checked like a directly set length.
double scaledLength(const char* what, double percent, double cropped)
{
    if (!std::isfinite(percent) || percent <= 0.0)
        throw common::Error(QStringLiteral("Picture scale %1 %2 is out of range")
                                .arg(QLatin1String(what), number(percent)));
    const double length = cropped * percent / 100.0;
    checkLength(what, length);
    return length;
}

// A new crop keeps the scale: the displayed length follows the remaining length. A length
// that was cut away completely comes back at 100 %.
double rescaled(double displayed, double oldCropped, double newCropped)
{
    return oldCropped > 0.0 ? displayed * newCropped / oldCropped : newCropped;
}

// Word's border width codes: 1/4, 1/2, 3/4, 1, 1 1/2, 2 1/4, 3, 4 1/2 and 6 points.
bool isKnownWidthCode(int code)
{
    static constexpr int codes[] = {2, 4, 6, 8, 12, 18, 24, 36, 48};
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

} // namespace

InlinePicture::InlinePicture(QString path, QSizeF ownSize, bool linkToFile, bool saveWithDocument)
    : path_(std::move(path)), linkToFile_(linkToFile), saveWithDocument_(saveWithDocument),
      ownSize_(ownSize), size_(ownSize)
{
    if (!std::isfinite(ownSize.width()) || !std::isfinite(ownSize.height()) ||
        ownSize.width() <= 0.0 || ownSize.height() <= 0.0)
        throw common::Error(QStringLiteral("Picture %1 has no size").arg(path_));
}

void InlinePicture::setWidth(double points)
{
    checkLength("width", points);
    size_.setWidth(points);
}

void InlinePicture::setHeight(double points)
{
    checkLength("height", points);
    size_.setHeight(points);
}

double InlinePicture::scaleWidth() const
{
    const double cropped = croppedSize().width();
    return cropped > 0.0 ? size_.width() / cropped * 100.0 : 100.0;
}

double InlinePicture::scaleHeight() const
{
    const double cropped = croppedSize().height();
    return cropped > 0.0 ? size_.height() / cropped * 100.0 : 100.0;
}

void InlinePicture::setScaleWidth(double percent)
{
    size_.setWidth(scaledLength("width", percent, croppedSize().width()));
}

void InlinePicture::setScaleHeight(double percent)
{
    size_.setHeight(scaledLength("height", percent, croppedSize().height()));
}

void InlinePicture::fitInto(QSizeF area)
{
    // A text area of no size (margins larger than the page) leaves the picture as it is.
    if (!(area.width() > 0.0) || !(area.height() > 0.0))
        return;
    if (size_.width() <= area.width() + LengthTolerance &&
        size_.height() <= area.height() + LengthTolerance)
        return;
    const double factor = std::min(area.width() / size_.width(), area.height() / size_.height());
    size_ *= factor;
}

void InlinePicture::setCrop(CropSide side, double points)
{
    if (!std::isfinite(points))
        throw common::Error(QStringLiteral("Picture crop %1 is out of range").arg(number(points)));
    const QSizeF before = croppedSize();
    const bool horizontal = side == CropSide::Left || side == CropSide::Right;
    double& amount = side == CropSide::Left    ? crop_.left
                     : side == CropSide::Right ? crop_.right
                     : side == CropSide::Top   ? crop_.top
                                               : crop_.bottom;
    const double opposite = side == CropSide::Left    ? crop_.right
                            : side == CropSide::Right ? crop_.left
                            : side == CropSide::Top   ? crop_.bottom
                                                      : crop_.top;
    const double whole = horizontal ? ownSize_.width() : ownSize_.height();
    // Never more than the opposite side leaves, so the remaining picture is never negative.
    amount = std::clamp(points, 0.0, std::max(0.0, whole - opposite));

    const QSizeF after = croppedSize();
    if (horizontal)
        size_.setWidth(rescaled(size_.width(), before.width(), after.width()));
    else
        size_.setHeight(rescaled(size_.height(), before.height(), after.height()));
}

QSizeF InlinePicture::croppedSize() const
{
    return {std::max(0.0, ownSize_.width() - crop_.left - crop_.right),
            std::max(0.0, ownSize_.height() - crop_.top - crop_.bottom)};
}

QRectF InlinePicture::visibleShare() const
{
    const double w = ownSize_.width();
    const double h = ownSize_.height();
    const QSizeF rest = croppedSize();
    return {crop_.left / w, crop_.top / h, rest.width() / w, rest.height() / h};
}

void InlinePicture::setBrightness(double value)
{
    checkUnit("brightness", value);
    brightness_ = value;
}

void InlinePicture::setContrast(double value)
{
    checkUnit("contrast", value);
    contrast_ = value;
}

void InlinePicture::setColorType(ColorType type)
{
    if (type != ColorType::Automatic && type != ColorType::Greyscale &&
        type != ColorType::BlackAndWhite)
        throw common::Error(
            QStringLiteral("Picture colour type %1 is out of range").arg(static_cast<int>(type)));
    colorType_ = type;
}

imaging::Adjustments InlinePicture::adjustments() const
{
    imaging::Adjustments a;
    a.brightness = brightness_;
    a.contrast = contrast_;
    a.colorMode = colorType_ == ColorType::Greyscale       ? imaging::ColorMode::Greyscale
                  : colorType_ == ColorType::BlackAndWhite ? imaging::ColorMode::BlackAndWhite
                                                           : imaging::ColorMode::Automatic;
    return a;
}

namespace
{
int edgeIndex(BorderEdge edge)
{
    const int n = static_cast<int>(edge);
    if (n < 1 || n > 4)
        throw common::Error(QStringLiteral("Border item %1 does not exist").arg(n));
    return n - 1;
}
} // namespace

BorderLine InlinePicture::border(BorderEdge edge) const
{
    return borders_[edgeIndex(edge)];
}

void InlinePicture::setBorder(BorderEdge edge, int lineStyle, int widthCode)
{
    const int index = edgeIndex(edge);
    if (lineStyle == 0) {
        borders_[index] = {};
        return;
    }
    if (lineStyle != LineStyleSingle)
        throw common::Error(QStringLiteral("Border line style %1 is not supported").arg(lineStyle));
    if (!isKnownWidthCode(widthCode))
        throw common::Error(QStringLiteral("Border line width %1 is out of range").arg(widthCode));
    borders_[index] = {lineStyle, widthCode};
}

} // namespace pagula::document
