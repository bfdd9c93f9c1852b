// The calibration sheet as printed: saved as PDF, rendered by poppler, and read as a user reads
// it against the light: where the front's cross lines fall on the back's scales.
#include "document/CalibrationSheet.h"
#include "document/FlowLayout.h"
#include "document/PdfExport.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using namespace pagula::document;
using namespace pagula::document::calibration;

namespace
{

constexpr int Dpi = 300;
constexpr double PxPerMm = Dpi / 25.4;

QImage renderedPage(const QString& pdf, int page, const QString& folder)
{
    const QString prefix = folder + QStringLiteral("/p%1").arg(page);
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(Dpi),
                  QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                  QString::number(page), QStringLiteral("-singlefile"), pdf, prefix});
    render.waitForFinished(120000);
    return QImage(prefix + QStringLiteral(".pgm"));
}

bool dark(const QImage& img, int x, int y)
{
    return x >= 0 && y >= 0 && x < img.width() && y < img.height() && qGray(img.pixel(x, y)) < 128;
}

// Dark pixels in a row or column segment, from `from` for `length` pixels.
int darkRun(const QImage& img, int x, int y, int dx, int dy, int length)
{
    int n = 0;
    for (int k = 0; k < length; ++k)
        n += dark(img, x + k * dx, y + k * dy) ? 1 : 0;
    return n;
}

// The centre (pixels) of the longest line crossing a search band: columns (vertical lines)
// or rows (horizontal lines) over [from, to), counting dark pixels along `span`.
std::optional<double> lineCentre(const QImage& img, bool vertical, int from, int to, int along,
                                 int span, int minimum)
{
    int best = 0;
    double sum = 0;
    int count = 0;
    for (int p = from; p < to; ++p) {
        const int run =
            vertical ? darkRun(img, p, along, 0, 1, span) : darkRun(img, along, p, 1, 0, span);
        if (run > best + 2) {
            best = run;
            sum = p;
            count = 1;
        } else if (std::abs(run - best) <= 2 && run >= minimum) {
            sum += p;
            ++count;
        }
    }
    if (best < minimum)
        return std::nullopt;
    return sum / count;
}

} // namespace

TEST(CalibrationSheet, TheScalesReadTheOffsetThatPutsTheBackBehindTheFront)
{
    // How far a printer puts the back off (mm, as the back is seen), and what the user reads.
    const struct {
        QPointF printerError;
        QPointF reading;
    } cases[] = {{{0.0, 0.0}, {0.0, 0.0}}, {{1.5, -1.0}, {-1.5, 1.0}}, {{-3.0, 2.5}, {3.0, -2.5}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(
            QStringLiteral("%1,%2").arg(c.printerError.x()).arg(c.printerError.y()).toStdString());
        QTemporaryDir dir;
        const auto sheet = makeCalibrationSheet(dir.path(), c.printerError);
        ASSERT_EQ(layoutDocument(*sheet).pages.size(), 2);
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        savePdf(*sheet, pdf);
        const QImage front = renderedPage(pdf, 1, dir.path());
        const QImage back = renderedPage(pdf, 2, dir.path());
        ASSERT_FALSE(front.isNull());
        ASSERT_FALSE(back.isNull());

        // The front's cross, found on the page: its vertical line and its horizontal line.
        const int crossX = int(FrontCross.x() * PxPerMm);
        const int crossY = int(FrontCross.y() * PxPerMm);
        const auto frontX =
            lineCentre(front, true, crossX - 60, crossX + 60, crossY - int(55 * PxPerMm),
                       int(40 * PxPerMm), int(35 * PxPerMm));
        const auto frontY =
            lineCentre(front, false, crossY - 60, crossY + 60, crossX + int(10 * PxPerMm),
                       int(35 * PxPerMm), int(30 * PxPerMm));
        ASSERT_TRUE(frontX && frontY);
        // Seen from the back against the light, x turns into page width - x.
        const double behindX = front.width() - 1 - *frontX;

        // The back's zero ticks: the longest ticks of each scale.
        const double baseY = (BackZero.y() - XScaleAboveMm + c.printerError.y()) * PxPerMm;
        const double baseX = (BackZero.x() + YScaleBesideMm + c.printerError.x()) * PxPerMm;
        const int zoneX = int((BackZero.x() + c.printerError.x()) * PxPerMm);
        const int zoneY = int((BackZero.y() + c.printerError.y()) * PxPerMm);
        const auto zeroX =
            lineCentre(back, true, zoneX - 150, zoneX + 150, int(baseY - 7.5 * PxPerMm),
                       int(7 * PxPerMm), int(6 * PxPerMm));
        const auto zeroY =
            lineCentre(back, false, zoneY - 150, zoneY + 150, int(baseX + 0.5 * PxPerMm),
                       int(7 * PxPerMm), int(6 * PxPerMm));
        ASSERT_TRUE(zeroX && zeroY);

        // Read to the scale's step, as a user does.
        auto read = [](double px) { return std::round(px / PxPerMm / ScaleStepMm) * ScaleStepMm; };
        EXPECT_DOUBLE_EQ(read(behindX - *zeroX), c.reading.x());
        EXPECT_DOUBLE_EQ(read(*frontY - *zeroY), c.reading.y());
    }
}
