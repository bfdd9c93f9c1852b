#include "cli/ComposeOptions.h"

#include "cli/TerminalText.h"
#include "common/Conversions.h"
#include "common/Error.h"
#include "compose/BackPlacement.h"
#include "layout/CellLimits.h"
#include "layout/LayoutSettings.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cmath>

namespace pagula::cli
{

namespace
{

QString helpText()
{
    return QStringLiteral(
        "Usage: pagula-compose [options] JOBLIST OUTPUT\n"
        "\n"
        "Lays out every entry of the job list file JOBLIST (one picture path per line, followed\n"
        "by its crop code 0, 1 or 2, as the program saves it) as a grid of cells on A4 pages\n"
        "and writes the document to OUTPUT: a PDF, or an OpenDocument (.odt) or Word (.docx)\n"
        "document, by its extension. A picture is a JPEG, PNG, WebP, HEIC/HEIF, BMP, TIFF, GIF\n"
        "or PCX file, or a page of a PDF, written \"<page N>\" before the PDF's path; a PDF's\n"
        "path alone stands for all its pages. Defaults are the program's start values.\n"
        "\n"
        "Grid:\n"
        "  -c, --columns N          cells per row, 1 to 15 (3)\n"
        "  -r, --rows N             rows per page, 1 to 15 (3)\n"
        "  --margin-left MM         page margins in whole millimetres (7)\n"
        "  --margin-right MM        (10)\n"
        "  --margin-top MM          (7)\n"
        "  --margin-bottom MM       (20)\n"
        "  --cell-width MM          cell width; larger values come down to the largest cell\n"
        "                           that fits (default: the largest)\n"
        "  --cell-height MM         cell height, likewise\n"
        "  --gutter MM              binding strip inside each cell, 0 to 30 (6)\n"
        "  --gutter-side SIDE       left, right, top or bottom (left)\n"
        "\n"
        "Pictures:\n"
        "  --crop1 L,R,T,B          crop profile 1 (entries ending in 1): percentages of the\n"
        "                           picture cut off left, right, top, bottom, 0 to 100 (0,0,0,0)\n"
        "  --crop2 L,R,T,B          crop profile 2 (entries ending in 2)\n"
        "  --brightness N           0 to 100, 50 unchanged (50)\n"
        "  --contrast N             0 to 100, 50 unchanged (50)\n"
        "  --color TYPE             auto, grey or bw (grey)\n"
        "  --no-frame               no frame lines around the cells\n"
        "\n"
        "Page preparation (before the crop profile; all off by default):\n"
        "  --find-page              keep only the page: the sheet in a photo, the print\n"
        "                           inside the white margins of a scan; it keeps its\n"
        "                           proportions in the cell\n"
        "  --straighten             level the lines of a turned scan; a photographed sheet\n"
        "                           becomes a rectangle\n"
        "  --even-background        paper evenly white (shadows, grey or yellow paper); with\n"
        "                           --color bw the threshold is local, at the printed size\n"
        "  --prepare                all three above\n"
        "  --keep-proportions       fit each picture into its cell keeping its proportions,\n"
        "                           centred\n"
        "\n"
        "Output:\n"
        "  --two-sided              front side with the 1st, 3rd, 5th... entries to OUTPUT,\n"
        "                           back side with the 2nd, 4th... in mirrored rows\n"
        "  --back FILE              where the back side goes (OUTPUT with \"-back\" added)\n"
        "  --duplex                 with --two-sided: one PDF OUTPUT, front and back pages\n"
        "                           interleaved (front 1, back 1, front 2...), for printing\n"
        "                           two-sided, turned over the long edge; no back file\n"
        "  --back-offset X,Y        printer offset of the back side in mm, X to the right and\n"
        "                           Y down as the back page is seen, -30 to 30 (0,0)\n"
        "  --dpi N                  resolution of the pictures in the PDF, 30 to 1200 (300)\n"
        "  --embed                  store the pictures in an .odt or .docx, for a file that\n"
        "                           can be moved to another computer (they are linked)\n"
        "  -q, --quiet              no progress on the terminal\n"
        "  -h, --help               this text\n"
        "\n"
        "Settings that cannot make a page, and outputs that are the job list, one of its\n"
        "pictures or each other, are refused before any work. A two-sided run replaces both\n"
        "files or neither.\n"
        "Pictures are decoded several at once within one memory budget: a quarter of the\n"
        "computer's memory, at most 1 GiB; a picture that needs more is refused.\n"
        "Ctrl+C stops after the picture in progress and writes what was placed; Ctrl+C while\n"
        "writing, SIGTERM, SIGHUP and SIGPIPE (the reader of the messages gone) stop within a\n"
        "second without changing any output file.\n"
        "Temporary files go to a folder of the program's own; a later run removes those that\n"
        "a killed run left.\n"
        "Exit status: 0 done, 1 failed, 2 wrong arguments, 3 interrupted.\n");
}

int wholeNumber(const QCommandLineParser& p, const QString& name, int lo, int hi, int fallback)
{
    if (!p.isSet(name))
        return fallback;
    const int v = common::parseInteger(p.value(name));
    if (v < lo || v > hi)
        throw common::Error(
            QStringLiteral("--%1 must be between %2 and %3").arg(name).arg(lo).arg(hi));
    return v;
}

compose::CropProfile profile(const QCommandLineParser& p, const QString& name)
{
    if (!p.isSet(name))
        return {};
    const QStringList parts = p.value(name).split(QLatin1Char(','));
    if (parts.size() != 4)
        throw common::Error(QStringLiteral("--%1 takes four percentages: L,R,T,B").arg(name));
    int v[4];
    for (int k = 0; k < 4; ++k) {
        v[k] = common::parseInteger(parts[k].trimmed());
        if (v[k] < 0 || v[k] > 100)
            throw common::Error(
                QStringLiteral("--%1 percentages must be between 0 and 100").arg(name));
    }
    return {v[0], v[1], v[2], v[3]};
}

QPointF backOffset(const QCommandLineParser& p)
{
    const QString name = QStringLiteral("back-offset");
    if (!p.isSet(name))
        return {};
    const QStringList parts = p.value(name).split(QLatin1Char(','));
    if (parts.size() != 2)
        throw common::Error(QStringLiteral("--back-offset takes two lengths in mm: X,Y"));
    double v[2];
    for (int k = 0; k < 2; ++k) {
        bool ok = false;
        v[k] = parts[k].trimmed().toDouble(&ok);
        if (!ok || !(std::abs(v[k]) <= compose::MaxBackOffsetMm))
            throw common::Error(QStringLiteral("--back-offset lengths must be between %1 and %2 mm")
                                    .arg(-compose::MaxBackOffsetMm)
                                    .arg(compose::MaxBackOffsetMm));
    }
    return {v[0], v[1]};
}

double chosen(std::optional<double> requested, double maximum)
{
    double size = requested.value_or(maximum + 1.0);
    if (layout::clampToMaximum(size, maximum)) {
        // The edit then shows the maximum as one-decimal text and is read back; a re-read
        // above the maximum is clamped once more to the exact value.
        const double shown = common::parseDecimal(common::formatOneDecimal(maximum));
        size = shown > maximum ? maximum : shown;
    }
    return size;
}

} // namespace

ParseResult parseComposeArguments(const QStringList& arguments)
{
    QCommandLineParser p;
    p.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QStringList valued{
        "columns",    "rows",        "margin-left", "margin-right", "margin-top", "margin-bottom",
        "cell-width", "cell-height", "gutter",      "gutter-side",  "crop1",      "crop2",
        "brightness", "contrast",    "color",       "back",         "dpi",        "back-offset"};
    for (const QString& name : valued) {
        QStringList names{name};
        if (name == QLatin1String("columns"))
            names.prepend(QStringLiteral("c"));
        if (name == QLatin1String("rows"))
            names.prepend(QStringLiteral("r"));
        p.addOption(QCommandLineOption(names, QString(), QStringLiteral("value")));
    }
    p.addOption(QCommandLineOption(QStringList{"no-frame"}));
    p.addOption(QCommandLineOption(QStringList{"two-sided"}));
    p.addOption(QCommandLineOption(QStringList{"duplex"}));
    p.addOption(QCommandLineOption(QStringList{"embed"}));
    for (const char* flag :
         {"find-page", "straighten", "even-background", "prepare", "keep-proportions"})
        p.addOption(QCommandLineOption(QStringList{QString::fromLatin1(flag)}));
    p.addOption(QCommandLineOption(QStringList{"q", "quiet"}));
    p.addOption(QCommandLineOption(QStringList{"h", "help"}));

    ParseResult result;
    if (!p.parse(arguments)) {
        // What was typed is made safe before it joins the lines of the message.
        result.text =
            terminalSafe(p.errorText()) + QStringLiteral("\nTry pagula-compose --help.\n");
        result.exitCode = 2;
        return result;
    }
    if (p.isSet(QStringLiteral("help"))) {
        result.text = helpText();
        return result;
    }
    if (p.positionalArguments().size() != 2) {
        result.text = QStringLiteral("pagula-compose needs a job list file and an output file.\n"
                                     "Try pagula-compose --help.\n");
        result.exitCode = 2;
        return result;
    }

    try {
        ComposeOptions o;
        o.jobListPath = p.positionalArguments().at(0);
        o.outputPath = p.positionalArguments().at(1);
        o.columns = wholeNumber(p, QStringLiteral("columns"), 1, 15, o.columns);
        o.rows = wholeNumber(p, QStringLiteral("rows"), 1, 15, o.rows);
        const int big = 1000000;
        o.marginLeft = wholeNumber(p, QStringLiteral("margin-left"), -big, big, o.marginLeft);
        o.marginRight = wholeNumber(p, QStringLiteral("margin-right"), -big, big, o.marginRight);
        o.marginTop = wholeNumber(p, QStringLiteral("margin-top"), -big, big, o.marginTop);
        o.marginBottom = wholeNumber(p, QStringLiteral("margin-bottom"), -big, big, o.marginBottom);
        if (p.isSet(QStringLiteral("cell-width")))
            o.cellWidth = common::parseDecimal(p.value(QStringLiteral("cell-width")));
        if (p.isSet(QStringLiteral("cell-height")))
            o.cellHeight = common::parseDecimal(p.value(QStringLiteral("cell-height")));
        o.gutterSize = wholeNumber(p, QStringLiteral("gutter"), 0, 30, o.gutterSize);
        if (p.isSet(QStringLiteral("gutter-side"))) {
            const QStringList sides{"left", "right", "top", "bottom"};
            const auto side = sides.indexOf(p.value(QStringLiteral("gutter-side")).toLower());
            if (side < 0)
                throw common::Error(QStringLiteral("--gutter-side is left, right, top or bottom"));
            o.gutterSide = layout::gutterSideFromIndex(int(side));
        }
        o.profile1 = profile(p, QStringLiteral("crop1"));
        o.profile2 = profile(p, QStringLiteral("crop2"));
        o.brightness = wholeNumber(p, QStringLiteral("brightness"), 0, 100, o.brightness);
        o.contrast = wholeNumber(p, QStringLiteral("contrast"), 0, 100, o.contrast);
        if (p.isSet(QStringLiteral("color"))) {
            const QStringList types{"auto", "grey", "bw"};
            const auto type = types.indexOf(p.value(QStringLiteral("color")).toLower());
            if (type < 0)
                throw common::Error(QStringLiteral("--color is auto, grey or bw"));
            o.colorType = document::ColorType(type + 1); // listed in the colour types' order
        }
        o.frame = !p.isSet(QStringLiteral("no-frame"));
        const bool all = p.isSet(QStringLiteral("prepare"));
        o.preparation.findPage = all || p.isSet(QStringLiteral("find-page"));
        o.preparation.straighten = all || p.isSet(QStringLiteral("straighten"));
        o.preparation.evenBackground = all || p.isSet(QStringLiteral("even-background"));
        o.keepProportions = p.isSet(QStringLiteral("keep-proportions"));
        o.twoSided = p.isSet(QStringLiteral("two-sided"));
        o.duplex = p.isSet(QStringLiteral("duplex"));
        if (o.duplex && !o.twoSided)
            throw common::Error(QStringLiteral("--duplex needs --two-sided"));
        if (o.duplex && p.isSet(QStringLiteral("back")))
            throw common::Error(
                QStringLiteral("--duplex writes one file; --back does not go with it"));
        o.backOffset = backOffset(p);
        o.backOffsetGiven = p.isSet(QStringLiteral("back-offset"));
        o.backOutputGiven = p.isSet(QStringLiteral("back"));
        o.backOutputPath = p.isSet(QStringLiteral("back")) ? p.value(QStringLiteral("back"))
                                                           : defaultBackOutputPath(o.outputPath);
        o.dpiGiven = p.isSet(QStringLiteral("dpi"));
        if (o.dpiGiven) {
            o.pictureDpi = common::parseDecimal(p.value(QStringLiteral("dpi")));
            if (o.pictureDpi < 30 || o.pictureDpi > 1200)
                throw common::Error(QStringLiteral("--dpi must be between 30 and 1200"));
        }
        o.embedPictures = p.isSet(QStringLiteral("embed"));
        o.quiet = p.isSet(QStringLiteral("quiet"));
        result.options = o;
    } catch (const common::Error& e) {
        result.text = terminalSafe(e.message()) + QStringLiteral("\nTry pagula-compose --help.\n");
        result.exitCode = 2;
    }
    return result;
}

double chosenCellWidth(const ComposeOptions& o)
{
    return chosen(o.cellWidth, layout::maxCellSize(layout::kPageWidthMm, o.marginLeft,
                                                   o.marginRight, o.columns));
}

double chosenCellHeight(const ComposeOptions& o)
{
    return chosen(o.cellHeight,
                  layout::maxCellSize(layout::kPageHeightMm, o.marginTop, o.marginBottom, o.rows));
}

QString defaultBackOutputPath(const QString& outputPath)
{
    const QFileInfo info(outputPath);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? outputPath : outputPath.chopped(suffix.size() + 1);
    return suffix.isEmpty() ? base + QStringLiteral("-back")
                            : base + QStringLiteral("-back.") + suffix;
}

} // namespace pagula::cli
