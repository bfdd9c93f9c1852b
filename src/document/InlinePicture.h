#pragma once

#include "document/PictureFormat.h"
#include "imaging/Adjustments.h"
#include "imaging/PagePreparation.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>

namespace pagula::document
{

// One border edge of a picture: no line (style 0) or a single line of a width code.
struct BorderLine {
    int style = 0;     // 0 none, LineStyleSingle
    int widthCode = 0; // the word processor's width code, in eighths of a point

    bool isVisible() const { return style != 0; }
    double widthPoints() const { return widthCode / 8.0; }
    bool operator==(const BorderLine& other) const
    {
        return style == other.style && widthCode == other.widthCode;
    }
};

// Amounts cut off each side, in points of the picture at 100 %.
struct Crop {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

// An inline picture as a word processor keeps it: a file it links to, its own size, the crop,
// the displayed size and the picture format (brightness, contrast, colour type, borders).
//
// The displayed size is the state; the scale is derived from it (displayed / cropped size).
// A crop keeps the scale, so at 100 % the displayed size shrinks by the amount cut off.
// Setters check their values and throw pagula::common::Error for values out of range.
class InlinePicture
{
public:
    // ownSize: the picture's size in points at 100 % (pixels and resolution, upright).
    InlinePicture(QString path, QSizeF ownSize, bool linkToFile, bool saveWithDocument);

    const QString& path() const { return path_; }
    bool linkToFile() const { return linkToFile_; }
    bool saveWithDocument() const { return saveWithDocument_; }
    QSizeF ownSize() const { return ownSize_; }

    // --- size
    QSizeF size() const { return size_; }
    double width() const { return size_.width(); }
    double height() const { return size_.height(); }
    void setWidth(double points);
    void setHeight(double points);
    // Per cent of the cropped picture; 100 gives the own size less the crop.
    double scaleWidth() const;
    double scaleHeight() const;
    void setScaleWidth(double percent);
    void setScaleHeight(double percent);
    // Shrinks the picture, aspect kept, to fit an area (as it comes in on insertion).
    void fitInto(QSizeF area);

    // --- crop
    const Crop& crop() const { return crop_; }
    // Cuts a side off; the amount is limited to what the opposite side leaves.
    void setCrop(CropSide side, double points);
    QSizeF croppedSize() const;
    // The part of the picture that remains, as a share of the whole (unit square).
    QRectF visibleShare() const;

    // --- picture format
    double brightness() const { return brightness_; }
    double contrast() const { return contrast_; }
    ColorType colorType() const { return colorType_; }
    void setBrightness(double value);
    void setContrast(double value);
    void setColorType(ColorType type);
    imaging::Adjustments adjustments() const;

    // --- page preparation, done to the picture before the crop; with keepProportions the
    // picture is fitted into its box keeping its proportions, centred on white
    const imaging::PreparationOptions& preparation() const { return preparation_; }
    bool keepsProportions() const { return keepProportions_; }
    void setPreparation(const imaging::PreparationOptions& options) { preparation_ = options; }
    void setKeepProportions(bool keep) { keepProportions_ = keep; }

    // --- borders
    BorderLine border(BorderEdge edge) const;
    void setBorder(BorderEdge edge, int lineStyle, int widthCode);

private:
    QString path_;
    bool linkToFile_;
    bool saveWithDocument_;
    QSizeF ownSize_;
    QSizeF size_;
    Crop crop_;
    double brightness_ = 0.5;
    double contrast_ = 0.5;
    ColorType colorType_ = ColorType::Automatic;
    imaging::PreparationOptions preparation_;
    bool keepProportions_ = false;
    std::array<BorderLine, 4> borders_{};
};

} // namespace pagula::document
