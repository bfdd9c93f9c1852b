#pragma once

#include "imaging/ImageIO.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>

namespace pagula::test
{

// Writes a JPEG that ends inside its quantisation table and returns the text the decoder
// refuses it with: what the preview must report for it.
inline QString writeCorruptJpeg(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(QByteArray::fromHex("ffd8ffe000104a46494600010100000100010000ffdb00")) < 0) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return {};
    }
    f.close();
    try {
        imaging::decodeFile(path);
    } catch (const imaging::ImageError& e) {
        return e.message();
    }
    ADD_FAILURE() << "the decoder took " << path.toStdString();
    return {};
}

} // namespace pagula::test
