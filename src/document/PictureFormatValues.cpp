#include "document/PictureFormatValues.h"

#include <algorithm>
#include <cmath>

namespace pagula::document
{

namespace
{
constexpr double Pi = 3.14159265358979323846;
// LibreOffice's contrast slope reaches its limit of 128 at 100 %.
constexpr double SlopeLimit = 128.0;
// 128 / 1.27: the percentage scale of LibreOffice's contrast slope.
constexpr double PercentScale = 128.0 / 1.27;

double unit(double v)
{
    return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.5;
}
} // namespace

double luminancePercent(double brightness)
{
    return (unit(brightness) - 0.5) * 200.0;
}

double contrastSlope(double contrast)
{
    const double c = unit(contrast);
    return c >= 1.0 ? SlopeLimit : std::min(std::tan(c * Pi / 2.0), SlopeLimit);
}

double contrastPercent(double contrast)
{
    const double slope = contrastSlope(contrast);
    const double p =
        slope >= 1.0 ? PercentScale * (1.0 - 1.0 / slope) : PercentScale * (slope - 1.0);
    return std::clamp(p, -100.0, 100.0);
}

int drawingMlBrightness(double brightness, double contrast)
{
    const double shift = 2.0 * luminancePercent(brightness) / (contrastSlope(contrast) + 1.0);
    return static_cast<int>(std::lround(std::clamp(shift, -100.0, 100.0) * 1000.0));
}

int drawingMlContrast(double contrast)
{
    return static_cast<int>(std::lround(contrastPercent(contrast) * 1000.0));
}

QString odfPoints(double points)
{
    QString text = QString::number(points, 'f', 4);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text + QStringLiteral("pt");
}

qint64 emu(double points)
{
    return std::llround(points * 12700.0);
}

int twips(double points)
{
    return static_cast<int>(std::lround(points * 20.0));
}

QString odfClip(const Crop& crop)
{
    return QStringLiteral("rect(%1, %2, %3, %4)")
        .arg(odfPoints(crop.top), odfPoints(crop.right), odfPoints(crop.bottom),
             odfPoints(crop.left));
}

CropShares cropShares(const InlinePicture& picture)
{
    const QSizeF own = picture.ownSize();
    const Crop& crop = picture.crop();
    const auto share = [](double amount, double whole) {
        return static_cast<int>(std::lround(amount / whole * 100000.0));
    };
    return {share(crop.left, own.width()), share(crop.top, own.height()),
            share(crop.right, own.width()), share(crop.bottom, own.height())};
}

} // namespace pagula::document
