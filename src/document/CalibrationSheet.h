#pragma once

#include "document/Document.h"
#include "document/SheetPages.h"

#include <QPointF>
#include <QString>

#include <memory>

namespace pagula::document
{

// Where the calibration sheet draws its marks, in mm from the top left corner of each side
// as that side is seen. The front's cross stands at FrontCross; turned over the long edge,
// it lies behind BackZero on the back, where the back's scales read 0.
namespace calibration
{
constexpr double PageWidthMm = sheets::PageWidthMm;
constexpr double PageHeightMm = sheets::PageHeightMm;
constexpr QPointF FrontCross{70.0, 150.0};
constexpr QPointF BackZero{PageWidthMm - 70.0, 150.0};
constexpr double ScaleRangeMm = 10.0; // the back's scales read -10 to +10 mm
constexpr double ScaleStepMm = 0.5;
// The back's X scale runs across the front's vertical line this far above the cross; its Y
// scale across the front's horizontal line this far right of BackZero (as the back is seen).
constexpr double XScaleAboveMm = 40.0;
constexpr double YScaleBesideMm = 30.0;
constexpr int PictureDpi = sheets::PictureDpi;
} // namespace calibration

// "Лист калибровки двусторонней печати": a two-page document. The front has a cross with mm
// ticks; the back has an X and a Y scale in 0.5 mm steps whose zero lies behind the cross.
// Printed two-sided and held against the light, the front's lines fall on the back's scales
// at the offset to type in: X right and Y down as the back is seen, the amount that brings
// the back's content behind the front's. Russian instructions on both sides say so.
//
// misregistrationMm moves the back's marks as a printer that is off would print them (for a
// test); the sheet a user prints has none. The two page pictures are written into `folder`
// as PNG files. Throws pagula::common::Error when they cannot be written.
std::shared_ptr<Document> makeCalibrationSheet(const QString& folder,
                                               QPointF misregistrationMm = {});

} // namespace pagula::document
