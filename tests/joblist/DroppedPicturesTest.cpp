#include "joblist/DroppedPictures.h"
#include "joblist/JobListModel.h"
#include "joblist/JobListTestUtil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pagula::joblist;

namespace
{
const QStringList kJpegMasks{QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")};
const QStringList kPictureMasks{QStringLiteral("*.jpg"),  QStringLiteral("*.jpeg"),
                                QStringLiteral("*.bmp"),  QStringLiteral("*.tif"),
                                QStringLiteral("*.tiff"), QStringLiteral("*.gif"),
                                QStringLiteral("*.pcx")};

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}
} // namespace

TEST(DroppedPictures, FoldersBringTheirFilterPicturesInNameOrderFilesTheirPicturesOnly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir root(dir.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("scans/inner")));
    ASSERT_TRUE(root.mkpath(QStringLiteral("other")));
    for (const char* name : {"c3.jpg", "B2.JPG", "a.jpeg", "c.bmp", ".hidden.jpg", "d.txt"})
        touch(root.filePath(QStringLiteral("scans/") + QString::fromLatin1(name)));
    touch(root.filePath(QStringLiteral("scans/inner/deep.jpg")));
    for (const char* name : {"x.TIF", "notes.txt", "y.jpg"})
        touch(root.filePath(QStringLiteral("other/") + QString::fromLatin1(name)));
    const auto local = [&root](const char* rel) {
        return QUrl::fromLocalFile(root.filePath(QString::fromLatin1(rel)));
    };

    const DroppedPictures drop = sortOutDrop(
        {local("other/y.jpg"), local("scans"), local("other/x.TIF"), local("other/notes.txt"),
         QUrl(QStringLiteral("https://example.org/a.jpg")), local("other/missing.jpg")},
        kJpegMasks, kPictureMasks);
    // Case ignored, as the file list sorts; no subfolders, no hidden files.
    EXPECT_EQ(drop.paths, (QStringList{root.filePath(QStringLiteral("other/y.jpg")),
                                       root.filePath(QStringLiteral("scans/a.jpeg")),
                                       root.filePath(QStringLiteral("scans/B2.JPG")),
                                       root.filePath(QStringLiteral("scans/c3.jpg")),
                                       root.filePath(QStringLiteral("other/x.TIF"))}));
    EXPECT_EQ(drop.ignored,
              (QStringList{QStringLiteral("notes.txt"), QStringLiteral("https://example.org/a.jpg"),
                           QStringLiteral("missing.jpg")}));

    // Another filter chosen: the folder brings other pictures.
    const DroppedPictures bmp =
        sortOutDrop({local("scans")}, {QStringLiteral("*.bmp")}, kPictureMasks);
    EXPECT_EQ(bmp.paths, QStringList{root.filePath(QStringLiteral("scans/c.bmp"))});
    EXPECT_TRUE(bmp.ignored.isEmpty());
}

TEST(DroppedPictures, AppendedTickedWithoutCropAndUnstorableNamesRefused)
{
    JobListModel model;
    const QString broken = QStringLiteral("/b/line\nbreak.jpg");
    const QStringList refused =
        appendPictures(model, {QStringLiteral("/a/1.jpg"), QStringLiteral("/a/2.jpg"), broken,
                               QStringLiteral("/c/3.jpg"), QStringLiteral("/a/4.jpg")});
    EXPECT_EQ(refused, QStringList{broken});
    ASSERT_EQ(model.size(), 4);
    const QStringList expected{"/a/1.jpg0", "/a/2.jpg0", "/c/3.jpg0", "/a/4.jpg0"};
    for (int row = 0; row < model.size(); ++row)
        EXPECT_EQ(model.entry(row).text(), expected[row]);
    EXPECT_EQ(model.tickedCount(), 4);
}

TEST(DroppedPictures, StatusSaysWhatWasAddedAndWhatIgnored)
{
    const struct {
        int added;
        QStringList ignored;
        bool other;
        QString text;
    } cases[] = {
        {3, {}, false, QStringLiteral("Добавлено рисунков: 3.")},
        {0,
         {},
         true,
         QStringLiteral("Добавлено рисунков: 0. Перетащенное не добавлено: это не рисунки и не "
                        "папки.")},
        {1,
         {QStringLiteral("a.txt")},
         false,
         QStringLiteral("Добавлено рисунков: 1. Не рисунки и не папки, не добавлены: a.txt.")},
        {0,
         {"a", "b", "c", "d", "e"},
         false,
         QStringLiteral("Добавлено рисунков: 0. Не рисунки и не папки, не добавлены: a, b, c, "
                        "ещё 2.")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dropStatusText(c.added, c.ignored, c.other), c.text);
}
