#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace pagula::test
{

QString sourceDir()
{
    const QString fromEnv = qEnvironmentVariable("PAGULA_SOURCE_DIR");
    return fromEnv.isEmpty() ? QStringLiteral(PAGULA_SOURCE_DIR_DEFAULT) : fromEnv;
}

void savePicture(const QImage& image, const QString& path, const char* format, int quality)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(image.save(path, format, quality)) << path.toStdString();
}

void writeFlatJpeg(const QString& path, QSize size, QRgb colour)
{
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    ASSERT_NE(file, nullptr) << path.toStdString();
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr); // a failure here ends the test run, which is what we want
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = JDIMENSION(size.width());
    cinfo.image_height = JDIMENSION(size.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 75, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(size.width()) * 3);
    for (std::size_t i = 0; i < row.size(); i += 3) {
        row[i] = JSAMPLE(qRed(colour));
        row[i + 1] = JSAMPLE(qGreen(colour));
        row[i + 2] = JSAMPLE(qBlue(colour));
    }
    JSAMPROW rows[1] = {row.data()};
    while (cinfo.next_scanline < cinfo.image_height)
        jpeg_write_scanlines(&cinfo, rows, 1);
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    ASSERT_EQ(std::fclose(file), 0);
}

} // namespace pagula::test
