#include "app/docwindow/SaveFormats.h"
#include "app/docwindow/SuggestedNames.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace pagula::docwindow;

namespace
{

QList<SaveFormat> threeFormats()
{
    return documentSaveFormats();
}

TEST(SaveFormats, TheDocumentIsSavedAsPdfOdtOrDocxAndPagesAsPng)
{
    const QList<SaveFormat> formats = documentSaveFormats();
    EXPECT_EQ(
        saveFilters(formats),
        (QStringList{QStringLiteral("Документ PDF (*.pdf)"), QStringLiteral("Документ ODF (*.odt)"),
                     QStringLiteral("Документ ODF со встроенными рисунками (*.odt)"),
                     QStringLiteral("Документ Word (*.docx)"),
                     QStringLiteral("Документ Word со встроенными рисунками (*.docx)")}));
    const char* suffixes[] = {"pdf", "odt", "odt", "docx", "docx"};
    ASSERT_EQ(formats.size(), 5);
    for (int i = 0; i < formats.size(); ++i) {
        EXPECT_EQ(formats[i].suffix, QLatin1String(suffixes[i]));
        EXPECT_TRUE(formats[i].write);
        // A PDF is written page by page; ODT and DOCX picture file by picture file.
        EXPECT_EQ(formats[i].progressUnit,
                  i == 0 ? QStringLiteral("страница") : QStringLiteral("шаг"));
    }
    ASSERT_EQ(pageImageFormats().size(), 1);
    EXPECT_EQ(pageImageFormats()[0].suffix, QStringLiteral("png"));
    EXPECT_TRUE(pageImageFormats()[0].write);
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
                                           TargetCase{"/d/sheet", 3, "/d/sheet.docx", "docx"},
                                           TargetCase{"/d/sheet.PDF", 1, "/d/sheet.PDF", "pdf"},
                                           TargetCase{"/d/sheet.odt", 0, "/d/sheet.odt", "odt"},
                                           TargetCase{"/d/лист 1.v2", 0, "/d/лист 1.v2.pdf", "pdf"},
                                           TargetCase{"/d/sheet.", 1, "/d/sheet.odt", "odt"},
                                           TargetCase{"/d.x/sheet", 0, "/d.x/sheet.pdf", "pdf"}));

TEST(SaveFormats, FormatsSharingASuffixFollowTheSelectedFilter)
{
    const QList<SaveFormat> formats = documentSaveFormats();
    const struct {
        const char* chosen;
        int selected;
        int format;
    } cases[] = {
        {"/d/a.odt", 2, 2},                      // the stored-pictures ODT, as selected
        {"/d/a.odt", 1, 1},  {"/d/a.odt", 4, 1}, // a DOCX filter with an ODT name: the first ODT
        {"/d/a.docx", 4, 4}, {"/d/a", 4, 4},
    };
    for (const auto& c : cases) {
        const auto target =
            resolveSaveTarget(QString::fromUtf8(c.chosen), formats[c.selected].filter, formats);
        ASSERT_TRUE(target.has_value());
        EXPECT_EQ(target->format.filter, formats[c.format].filter) << c.chosen << ' ' << c.selected;
    }
}

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

// A document's files are offered in its pictures' folder under that folder's name; the
// program's own pictures (the white filler of blank cells and strips) do not count.
TEST(SuggestedNames, FromTheFolderOfTheFirstPictureOutsideTheProgramsFolder)
{
    using pagula::document::Document;
    using pagula::document::InlinePicture;
    const auto document = [](const QStringList& pictures) {
        Document doc;
        for (const QString& path : pictures)
            doc.insertPicture(doc.itemCount(), InlinePicture(path, {10, 10}, true, false));
        return doc;
    };
    const QString own = QStringLiteral("/home/u/.local/share/Pagula");
    const QString filler = own + QStringLiteral("/Pagula-tmp.bmp");
    struct Case {
        QStringList pictures;
        QString label;
        QString folder;
        QString base;
    };
    const Case cases[] = {
        {{filler, "/scans/Билеты/p1.jpg", "/other/p2.jpg"},
         "лицевая сторона",
         "/scans/Билеты",
         "Билеты - лицевая сторона"},
        {{"/scans/Билеты/p1.jpg"}, {}, "/scans/Билеты", "Билеты"},
        {{filler, filler}, "лист калибровки", {}, "Pagula - лист калибровки"},
        {{}, {}, {}, "Pagula"},
        {{"/p.jpg"}, {}, "/", "Pagula"},
    };
    for (const Case& c : cases) {
        const QString folder = pictureFolder(document(c.pictures), own);
        EXPECT_EQ(folder, c.folder) << c.pictures.join(' ').toStdString();
        EXPECT_EQ(suggestedBaseName(folder, c.label), c.base);
    }
}
