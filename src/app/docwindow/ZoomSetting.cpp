#include "app/docwindow/ZoomSetting.h"

#include "common/Conversions.h"
#include "common/Error.h"

#include <QLocale>

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <cmath>

namespace pagula::docwindow
{

namespace
{

constexpr std::array<double, 5> ListedPercents{50.0, 75.0, 100.0, 150.0, 200.0};
constexpr std::array<double, 12> StepPercents{10.0,  25.0,  33.0,  50.0,  67.0,  75.0,
                                              100.0, 125.0, 150.0, 200.0, 300.0, 400.0};
// A percentage this close to a step counts as standing on it.
constexpr double StepTolerance = 0.5;

QString fitWidthText()
{
    return QCoreApplication::translate("ZoomSetting", "По ширине");
}

QString wholePageText()
{
    return QCoreApplication::translate("ZoomSetting", "Страница целиком");
}

QString percentText(double percent)
{
    return QStringLiteral("%1%").arg(std::lround(percent));
}

} // namespace

QStringList zoomChoiceTexts()
{
    QStringList texts{fitWidthText(), wholePageText()};
    for (double percent : ListedPercents)
        texts.append(percentText(percent));
    return texts;
}

Zoom zoomChoice(int index)
{
    if (index == 0)
        return {ZoomMode::FitWidth, 100.0};
    if (index == 1)
        return {ZoomMode::WholePage, 100.0};
    const int listed = std::clamp(index - 2, 0, static_cast<int>(ListedPercents.size()) - 1);
    return {ZoomMode::Percent, ListedPercents[static_cast<size_t>(listed)]};
}

QString zoomText(const Zoom& zoom)
{
    switch (zoom.mode) {
    case ZoomMode::FitWidth:
        return fitWidthText();
    case ZoomMode::WholePage:
        return wholePageText();
    case ZoomMode::Percent:
        break;
    }
    return percentText(zoom.percent);
}

std::optional<Zoom> parseZoom(const QString& text)
{
    QString trimmed = text.trimmed();
    if (trimmed.compare(fitWidthText(), Qt::CaseInsensitive) == 0)
        return Zoom{ZoomMode::FitWidth, 100.0};
    if (trimmed.compare(wholePageText(), Qt::CaseInsensitive) == 0)
        return Zoom{ZoomMode::WholePage, 100.0};
    if (trimmed.endsWith(QLatin1Char('%')))
        trimmed = trimmed.chopped(1).trimmed();
    double percent = 0;
    try {
        percent = common::parseTypedDecimal(trimmed);
    } catch (const common::Error&) {
        return std::nullopt;
    }
    if (percent < MinZoomPercent || percent > MaxZoomPercent)
        return std::nullopt;
    return Zoom{ZoomMode::Percent, percent};
}

double zoomScale(const Zoom& zoom, QSizeF pagePoints, QSize viewport, double screenDpi, int gap)
{
    const double minScale = MinZoomPercent / 100.0 * screenDpi / 72.0;
    const double maxScale = MaxZoomPercent / 100.0 * screenDpi / 72.0;
    double scale = zoom.percent / 100.0 * screenDpi / 72.0;
    if (zoom.mode != ZoomMode::Percent && pagePoints.width() > 0 && pagePoints.height() > 0) {
        scale = (viewport.width() - 2.0 * gap) / pagePoints.width();
        if (zoom.mode == ZoomMode::WholePage)
            scale = std::min(scale, (viewport.height() - 2.0 * gap) / pagePoints.height());
    }
    if (!std::isfinite(scale))
        return screenDpi / 72.0;
    return std::clamp(scale, minScale, maxScale);
}

double percentForScale(double scale, double screenDpi)
{
    return scale * 72.0 / screenDpi * 100.0;
}

double zoomedIn(double percent)
{
    for (double step : StepPercents) {
        if (step > percent + StepTolerance)
            return step;
    }
    return MaxZoomPercent;
}

double zoomedOut(double percent)
{
    for (auto it = StepPercents.rbegin(); it != StepPercents.rend(); ++it) {
        if (*it < percent - StepTolerance)
            return *it;
    }
    return MinZoomPercent;
}

} // namespace pagula::docwindow
