#pragma once

#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

namespace pagula::docwindow
{

enum class ZoomMode { FitWidth, WholePage, Percent };

// How large the document view shows its pages: following the window (page width, whole
// page) or at a fixed percentage, 100 % being the page's real size on the screen.
struct Zoom {
    ZoomMode mode = ZoomMode::Percent;
    double percent = 100.0; // for ZoomMode::Percent

    bool operator==(const Zoom& other) const
    {
        return mode == other.mode && (mode != ZoomMode::Percent || percent == other.percent);
    }
    bool operator!=(const Zoom& other) const { return !(*this == other); }
};

// Beyond these a page is either a smudge or one strip takes more memory than it is worth.
constexpr double MinZoomPercent = 10.0;
constexpr double MaxZoomPercent = 400.0;

// The entries of the zoom list, in order: "По ширине", "Страница целиком", 50 % to 200 %.
QStringList zoomChoiceTexts();
Zoom zoomChoice(int index);

// What the zoom field shows: a list entry's text or a percentage such as "125%".
QString zoomText(const Zoom& zoom);
// Reads a typed zoom: a list entry's text, or a percentage with or without '%' ("80", "80 %",
// "87.5%"); nothing for text that is neither or a percentage out of range.
std::optional<Zoom> parseZoom(const QString& text);

// Logical pixels per point for a zoom: the percentage at the screen's resolution, or what
// makes a page (plus `gap` on each side) fit the viewport; always within the percent limits.
double zoomScale(const Zoom& zoom, QSizeF pagePoints, QSize viewport, double screenDpi, int gap);
double percentForScale(double scale, double screenDpi);

// The next percentage up or down the zoom steps (10, 25, ... 400), as ctrl+wheel and
// ctrl+plus/minus move.
double zoomedIn(double percent);
double zoomedOut(double percent);

} // namespace pagula::docwindow
