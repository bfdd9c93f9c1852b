#include "app/docwindow/SaveFormats.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace pagula::docwindow;

namespace
{

// The PDF row and two rows shaped like the writers still to come.
QList<SaveFormat> threeFormats()
{
    QList<SaveFormat> formats = documentSaveFormats();
    formats.append({QStringLiteral("Документ ODF (*.odt)"), QStringLiteral("odt"), {}});
    formats.append({QStringLiteral("Документ Word (*.docx)"), QStringLiteral("docx"), {}});
    return formats;
}

TEST(SaveFormats, TheDocumentIsSavedAsPdfAndPagesAsPng)
{
    const QList<SaveFormat> formats = documentSaveFormats();
    ASSERT_EQ(formats.size(), 1);
    EXPECT_EQ(formats[0].filter, QStringLiteral("Документ PDF (*.pdf)"));
    EXPECT_EQ(formats[0].suffix, QStringLiteral("pdf"));
    EXPECT_TRUE(formats[0].write);
    ASSERT_EQ(pageImageFormats().size(), 1);
    EXPECT_EQ(pageImageFormats()[0].suffix, QStringLiteral("png"));
    EXPECT_TRUE(pageImageFormats()[0].write);
    EXPECT_EQ(saveFilters(threeFormats()), (QStringList{QStringLiteral("Документ PDF (*.pdf)"),
                                                        QStringLiteral("Документ ODF (*.odt)"),
                                                        QStringLiteral("Документ Word (*.docx)")}));
}

struct TargetCase {
    const char* chosen;
    int selectedFilter;
    const char* path;
    const char* suffix;
};

class ResolveSaveTarget : public ::testing::TestWithParam<TargetCase>
{
};

TEST_P(ResolveSaveTarget, TheNamesSuffixWinsOtherwiseTheFiltersIsAdded)
{
    const TargetCase& c = GetParam();
    const QList<SaveFormat> formats = threeFormats();
    const std::optional<SaveTarget> target =
        resolveSaveTarget(QString::fromUtf8(c.chosen), formats[c.selectedFilter].filter, formats);
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->path, QString::fromUtf8(c.path));
    EXPECT_EQ(target->format.suffix, QString::fromUtf8(c.suffix));
}

INSTANTIATE_TEST_SUITE_P(Names, ResolveSaveTarget,
                         ::testing::Values(TargetCase{"/d/sheet.pdf", 0, "/d/sheet.pdf", "pdf"},
                                           TargetCase{"/d/sheet", 0, "/d/sheet.pdf", "pdf"},
                                           TargetCase{"/d/sheet", 2, "/d/sheet.docx", "docx"},
                                           TargetCase{"/d/sheet.PDF", 1, "/d/sheet.PDF", "pdf"},
                                           TargetCase{"/d/sheet.odt", 0, "/d/sheet.odt", "odt"},
                                           TargetCase{"/d/лист 1.v2", 0, "/d/лист 1.v2.pdf", "pdf"},
                                           TargetCase{"/d/sheet.", 1, "/d/sheet.odt", "odt"},
                                           TargetCase{"/d.x/sheet", 0, "/d.x/sheet.pdf", "pdf"}));

TEST(SaveFormats, NothingIsChosenWithoutANameOrAFormat)
{
    EXPECT_FALSE(resolveSaveTarget(QString(), QString(), documentSaveFormats()).has_value());
    EXPECT_FALSE(resolveSaveTarget(QStringLiteral("/d/x.pdf"), QString(), {}).has_value());
    // An unknown filter falls back to the first format.
    const auto target =
        resolveSaveTarget(QStringLiteral("/d/x"), QStringLiteral("bogus"), threeFormats());
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->path, QStringLiteral("/d/x.pdf"));
}

} // namespace
