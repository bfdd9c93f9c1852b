#include "cli/ComposeOptions.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace pagula::cli;

namespace
{
ParseResult parse(QStringList args)
{
    args.prepend(QStringLiteral("pagula-compose"));
    return parseComposeArguments(args);
}
} // namespace

TEST(ComposeOptions, DefaultsAreTheProgramsStartValues)
{
    const ParseResult r = parse({"list.txt", "out.pdf"});
    ASSERT_TRUE(r.options.has_value()) << r.text.toStdString();
    const ComposeOptions& o = *r.options;
    EXPECT_EQ(o.columns, 3);
    EXPECT_EQ(o.rows, 3);
    EXPECT_EQ(o.marginLeft, 7);
    EXPECT_EQ(o.marginRight, 10);
    EXPECT_EQ(o.marginTop, 7);
    EXPECT_EQ(o.marginBottom, 20);
    EXPECT_EQ(o.gutterSize, 6);
    EXPECT_EQ(o.gutterSide, pagula::layout::GutterSide::Left);
    EXPECT_EQ(o.brightness, 50);
    EXPECT_EQ(o.contrast, 50);
    EXPECT_EQ(o.colorType, pagula::document::ColorType::Greyscale);
    EXPECT_TRUE(o.frame);
    EXPECT_FALSE(o.preparation.any());
    EXPECT_FALSE(o.keepProportions);
    EXPECT_FALSE(o.twoSided);
    EXPECT_DOUBLE_EQ(o.pictureDpi, 300.0);
    EXPECT_DOUBLE_EQ(chosenCellWidth(o), 64.3);
    EXPECT_DOUBLE_EQ(chosenCellHeight(o), 90.0);
    EXPECT_EQ(o.backOutputPath, QStringLiteral("out-back.pdf"));
}

TEST(ComposeOptions, CellSizesClampAsTheLayoutDoes)
{
    const struct {
        QStringList args;
        double width, height;
    } cases[] = {
        {{"-c", "4"}, 48.25, 90.0},           // 48.3 is above 48.25: exact maximum
        {{"--cell-width", "70"}, 64.3, 90.0}, // typed above the maximum
        {{"--cell-width", "50.25", "--cell-height", "40"}, 50.25, 40.0}, // below: kept
        {{"--margin-left", "100", "--margin-right", "110"}, 0.0, 90.0},
        {{"-r", "4"}, 64.3, 67.5},
        {{"--cell-width", "-5"}, -5.0, 90.0}, // no lower bound, as in the window
    };
    for (const auto& c : cases) {
        QStringList args = c.args;
        args << "l.txt"
             << "o.pdf";
        const ParseResult r = parse(args);
        ASSERT_TRUE(r.options.has_value()) << r.text.toStdString();
        EXPECT_DOUBLE_EQ(chosenCellWidth(*r.options), c.width) << c.args.join(' ').toStdString();
        EXPECT_DOUBLE_EQ(chosenCellHeight(*r.options), c.height) << c.args.join(' ').toStdString();
    }
}

TEST(ComposeOptions, EverySettingIsRead)
{
    const ParseResult r = parse({"--columns",    "2",       "--rows",        "5",
                                 "--gutter",     "0",       "--gutter-side", "TOP",
                                 "--crop1",      "1,2,3,4", "--crop2",       "5, 6, 7, 8",
                                 "--brightness", "0",       "--contrast",    "100",
                                 "--color",      "bw",      "--no-frame",    "--two-sided",
                                 "--back",       "b.pdf",   "--dpi",         "150",
                                 "-q",           "l.txt",   "o.pdf"});
    ASSERT_TRUE(r.options.has_value()) << r.text.toStdString();
    const ComposeOptions& o = *r.options;
    EXPECT_EQ(o.columns, 2);
    EXPECT_EQ(o.rows, 5);
    EXPECT_EQ(o.gutterSize, 0);
    EXPECT_EQ(o.gutterSide, pagula::layout::GutterSide::Top);
    EXPECT_EQ(o.profile1.left, 1);
    EXPECT_EQ(o.profile1.bottom, 4);
    EXPECT_EQ(o.profile2.right, 6);
    EXPECT_EQ(o.profile2.top, 7);
    EXPECT_EQ(o.brightness, 0);
    EXPECT_EQ(o.contrast, 100);
    EXPECT_EQ(o.colorType, pagula::document::ColorType::BlackAndWhite);
    EXPECT_FALSE(o.frame);
    EXPECT_TRUE(o.twoSided);
    EXPECT_EQ(o.backOutputPath, QStringLiteral("b.pdf"));
    EXPECT_DOUBLE_EQ(o.pictureDpi, 150.0);
    EXPECT_TRUE(o.quiet);

    // Each preparation flag sets its own part; --prepare sets all three.
    const struct {
        std::vector<const char*> flags;
        bool findPage, straighten, evenBackground, keepProportions;
    } preparations[] = {
        {{"--find-page"}, true, false, false, false},
        {{"--straighten"}, false, true, false, false},
        {{"--even-background", "--keep-proportions"}, false, false, true, true},
        {{"--prepare"}, true, true, true, false},
    };
    for (const auto& c : preparations) {
        QStringList args;
        for (const char* flag : c.flags)
            args << QString::fromLatin1(flag);
        const ParseResult p = parse(args << "l.txt"
                                         << "o.pdf");
        ASSERT_TRUE(p.options.has_value()) << c.flags.front();
        EXPECT_EQ(p.options->preparation.findPage, c.findPage) << c.flags.front();
        EXPECT_EQ(p.options->preparation.straighten, c.straighten) << c.flags.front();
        EXPECT_EQ(p.options->preparation.evenBackground, c.evenBackground) << c.flags.front();
        EXPECT_EQ(p.options->keepProportions, c.keepProportions) << c.flags.front();
    }
}

TEST(ComposeOptions, WrongArgumentsExplainThemselves)
{
    const struct {
        QStringList args;
        const char* says;
    } cases[] = {
        {{"l.txt"}, "needs a job list file and an output file"},
        {{"-c", "16", "l", "o.pdf"}, "--columns must be between 1 and 15"},
        {{"-c", "0", "l", "o.pdf"}, "--columns must be between 1 and 15"},
        {{"--gutter", "31", "l", "o.pdf"}, "--gutter must be between 0 and 30"},
        {{"--gutter-side", "middle", "l", "o.pdf"}, "--gutter-side is left, right, top or bottom"},
        {{"--crop1", "1,2,3", "l", "o.pdf"}, "--crop1 takes four percentages"},
        {{"--crop2", "1,2,3,101", "l", "o.pdf"}, "between 0 and 100"},
        {{"--cell-width", "64,5", "l", "o.pdf"}, "'64,5' is not a valid floating point value"},
        {{"--rows", "x", "l", "o.pdf"}, "'x' is not a valid integer value"},
        {{"--color", "sepia", "l", "o.pdf"}, "--color is auto, grey or bw"},
        {{"--dpi", "5", "l", "o.pdf"}, "--dpi must be between 30 and 1200"},
        {{"--bogus", "l", "o.pdf"}, "bogus"},
    };
    for (const auto& c : cases) {
        const ParseResult r = parse(c.args);
        EXPECT_FALSE(r.options.has_value()) << c.says;
        EXPECT_EQ(r.exitCode, 2) << c.says;
        EXPECT_TRUE(r.text.contains(QString::fromUtf8(c.says))) << r.text.toStdString();
    }
    const ParseResult help = parse({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--columns",
                               "--rows",
                               "--margin-left",
                               "--margin-bottom",
                               "--cell-width",
                               "--cell-height",
                               "--gutter ",
                               "--gutter-side",
                               "--crop1",
                               "--crop2",
                               "--brightness",
                               "--contrast",
                               "--color",
                               "--no-frame",
                               "--find-page",
                               "--straighten",
                               "--even-background",
                               "--prepare",
                               "--keep-proportions",
                               "--two-sided",
                               "--back",
                               "--dpi",
                               "--quiet"})
        EXPECT_TRUE(help.text.contains(QString::fromLatin1(option))) << option;
}

TEST(ComposeOptions, BackOutputNextToTheFront)
{
    EXPECT_EQ(defaultBackOutputPath("/a/b/out.pdf"), QStringLiteral("/a/b/out-back.pdf"));
    EXPECT_EQ(defaultBackOutputPath("out"), QStringLiteral("out-back"));
    EXPECT_EQ(defaultBackOutputPath("/x.y/sheet.v2.pdf"), QStringLiteral("/x.y/sheet.v2-back.pdf"));
}

TEST(ComposeOptions, DuplexAndBackOffset)
{
    const ParseResult r =
        parse({"--two-sided", "--duplex", "--back-offset", "1.5,-2", "l.txt", "o.pdf"});
    ASSERT_TRUE(r.options.has_value()) << r.text.toStdString();
    EXPECT_TRUE(r.options->duplex);
    EXPECT_EQ(r.options->backOffset, QPointF(1.5, -2.0));
    EXPECT_EQ(parse({"l.txt", "o.pdf"}).options->backOffset, QPointF(0, 0));

    const struct {
        QStringList args;
        const char* says;
    } cases[] = {
        {{"--duplex", "l", "o.pdf"}, "--duplex needs --two-sided"},
        {{"--two-sided", "--duplex", "--back", "b.pdf", "l", "o.pdf"}, "--back does not go"},
        {{"--back-offset", "1", "l", "o.pdf"}, "two lengths in mm: X,Y"},
        {{"--back-offset", "1,2,3", "l", "o.pdf"}, "two lengths in mm: X,Y"},
        {{"--back-offset", "31,0", "l", "o.pdf"}, "between -30 and 30 mm"},
        {{"--back-offset", "0,nan", "l", "o.pdf"}, "between -30 and 30 mm"},
        {{"--back-offset", "a,b", "l", "o.pdf"}, "between -30 and 30 mm"},
    };
    for (const auto& c : cases) {
        const ParseResult bad = parse(c.args);
        EXPECT_FALSE(bad.options.has_value()) << c.says;
        EXPECT_EQ(bad.exitCode, 2) << c.says;
        EXPECT_TRUE(bad.text.contains(QString::fromUtf8(c.says))) << bad.text.toStdString();
    }
    const QString help = parse({"--help"}).text;
    EXPECT_TRUE(help.contains(QStringLiteral("--duplex")));
    EXPECT_TRUE(help.contains(QStringLiteral("--back-offset X,Y")));
}
