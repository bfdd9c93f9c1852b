#pragma once

#include "compose/CompositionSettings.h"

#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>

namespace pagula::cli
{

// Everything pagula-compose can be told; the defaults are the program's start values.
struct ComposeOptions {
    QString jobListPath;
    QString outputPath;
    QString backOutputPath; // two-sided: where the back side goes
    bool backOutputGiven = false;

    int columns = 3;
    int rows = 3;
    int marginLeft = 7;
    int marginRight = 10;
    int marginTop = 7;
    int marginBottom = 20;
    std::optional<double> cellWidth;  // mm; the largest that fits when not given
    std::optional<double> cellHeight; // mm
    int gutterSize = 6;
    layout::GutterSide gutterSide = layout::GutterSide::Left;
    compose::CropProfile profile1;
    compose::CropProfile profile2;
    int brightness = 50;
    int contrast = 50;
    document::ColorType colorType = document::ColorType::Greyscale;
    bool frame = true;
    imaging::PreparationOptions preparation;
    bool keepProportions = false;
    bool twoSided = false;
    bool duplex = false; // two-sided: one PDF, front and back pages interleaved
    QPointF backOffset;  // mm, X right and Y down as the back page is seen
    bool backOffsetGiven = false;
    double pictureDpi = 300.0;
    bool dpiGiven = false;
    bool embedPictures = false; // ODT and DOCX: store the pictures instead of linking to them
    bool quiet = false;
};

// The outcome of reading the command line: options, or the text to print and the exit code
// (help: 0, usage error: 2).
struct ParseResult {
    std::optional<ComposeOptions> options;
    QString text;
    int exitCode = 0;
};

ParseResult parseComposeArguments(const QStringList& arguments);

// The value of --lang among the arguments, read before they are parsed so that the parser's
// own messages speak the chosen language; empty when not given.
QString requestedLanguage(const QStringList& arguments);

// The cell sizes the layout settings would hold for the options: at most the largest cell that
// fits (the clamp keeps the one-decimal value of the maximum when that is not above it).
double chosenCellWidth(const ComposeOptions& options);
double chosenCellHeight(const ComposeOptions& options);

// "out.pdf" -> "out-back.pdf"
QString defaultBackOutputPath(const QString& outputPath);

} // namespace pagula::cli
