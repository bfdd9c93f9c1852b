#include "preview/PictureLoading.h"
#include "imaging/ImageIO.h"
#include "preview/CorruptJpeg.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pagula;
using namespace pagula::preview;

namespace
{
QString failureOf(const QString& path)
{
    try {
        loadPreviewPicture(path);
    } catch (const imaging::ImageError& e) {
        return e.message();
    }
    return QStringLiteral("(no failure)");
}
} // namespace

TEST(PictureLoading, ExtensionIsWhatFollowsTheLastDotOfTheFileName)
{
    const struct {
        const char* path;
        const char* ext;
    } cases[] = {
        {"/a/b.JPG", "JPG"},       {"/a.b/c", ""},           {"/a/b.", ""}, {"/a/b.tar.gz", "gz"},
        {"(пустая страница)", ""}, {"/a/.hidden", "hidden"}, {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pictureExtension(QString::fromUtf8(c.path)), QString::fromUtf8(c.ext)) << c.path;
}

TEST(PictureLoading, ShowsTheBrowserFormatsWhateverTheCase)
{
    for (const char* ext : {"jpg", "JPG", "Jpeg", "bmp", "ico", "tif", "TIFF", "gif", "pcx", "PCX",
                            "png", "WebP", "heic", "HEIF", "pdf"})
        EXPECT_TRUE(isPreviewableExtension(QString::fromLatin1(ext))) << ext;
    for (const char* ext : {"tga", "txt", "", "jpg ", "jp"})
        EXPECT_FALSE(isPreviewableExtension(QString::fromLatin1(ext))) << ext;
    const bool wmfReader = QImageReader::supportedImageFormats().contains("wmf");
    EXPECT_EQ(isPreviewableExtension(QStringLiteral("WMF")), wmfReader);
}

TEST(PictureLoading, FailuresCarryTheReportedTexts)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("missing.jpg"));
    EXPECT_EQ(failureOf(missing),
              QStringLiteral("Cannot open file %1: No such file or directory").arg(missing));

    // The extension is judged before the file is opened.
    EXPECT_EQ(failureOf(dir.filePath(QStringLiteral("nothing.txt"))),
              QStringLiteral("Unknown picture file extension (.txt)"));
    EXPECT_EQ(failureOf(dir.filePath(QStringLiteral("noext"))),
              QStringLiteral("Unknown picture file extension (.)"));
    const QString tga = dir.filePath(QStringLiteral("real.tga"));
    test::savePicture(QImage(8, 8, QImage::Format_RGB32), tga, "PNG");
    EXPECT_EQ(failureOf(tga), QStringLiteral("Unknown picture file extension (.tga)"));

    // A JPEG that the decoder refuses reports the decoder's own text.
    const QString corrupt = dir.filePath(QStringLiteral("corrupt.jpg"));
    const QString decoderText = test::writeCorruptJpeg(corrupt);
    ASSERT_FALSE(decoderText.isEmpty());
    EXPECT_EQ(failureOf(corrupt), decoderText);
}

TEST(PictureLoading, LoadsByContentOnceTheExtensionIsAccepted)
{
    QTemporaryDir dir;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    // A BMP named .gif and an upper-case .BMP both load.
    for (const char* name : {"mislabelled.gif", "upper.BMP"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        test::savePicture(picture, path, "BMP");
        const PreviewPicture loadedPicture = loadPreviewPicture(path);
        EXPECT_EQ(loadedPicture.realSize, QSize(40, 30)) << name;
        EXPECT_FALSE(loadedPicture.isReduced());
        const QImage& loaded = loadedPicture.source;
        EXPECT_EQ(loaded.format(), QImage::Format_RGB32);
        EXPECT_EQ(loaded.pixel(5, 5), qRgb(10, 20, 30));
    }
}

TEST(PictureLoading, TransparentPartsAreLaidOverWhite)
{
    QImage argb(4, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(0, 0, 0, 0));
    argb.setPixel(1, 0, qRgba(255, 0, 0, 255));
    argb.setPixel(2, 0, qRgba(0, 0, 0, 255));
    argb.setPixel(3, 0, qRgba(0, 0, 0, 0));
    const QImage out = toPreviewSource(argb);
    EXPECT_EQ(out.format(), QImage::Format_RGB32);
    EXPECT_EQ(out.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(out.pixel(2, 0), qRgb(0, 0, 0));

    QImage mono(3, 1, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(1);
    mono.setPixel(1, 0, 0);
    const QImage fromMono = toPreviewSource(mono);
    EXPECT_EQ(fromMono.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(fromMono.pixel(1, 0), qRgb(0, 0, 0));
}
