#include "document/PngExport.h"

#include "common/Error.h"
#include "document/FlowLayout.h"
#include "document/PageRenderer.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryFile>

#include <cstdio>
#include <memory>
#include <vector>

namespace pagula::document
{

QStringList pngPagePaths(const QString& path, int pageCount)
{
    if (pageCount == 1)
        return {path};
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    const int digits = static_cast<int>(QString::number(pageCount).size());
    QStringList paths;
    for (int i = 1; i <= pageCount; ++i) {
        QString name =
            stem + QLatin1Char('-') + QStringLiteral("%1").arg(i, digits, 10, QLatin1Char('0'));
        if (!suffix.isEmpty())
            name += QLatin1Char('.') + suffix;
        paths.append(name);
    }
    return paths;
}

namespace
{

// A temporary file beside its target, removed unless it has replaced the target.
std::unique_ptr<QTemporaryFile> writePageFile(const QImage& page, const QString& target)
{
    auto file = std::make_unique<QTemporaryFile>(target + QStringLiteral(".XXXXXX"));
    if (!file->open())
        throw common::Error(QStringLiteral("Cannot create file %1").arg(target));
    QImageWriter writer(file.get(), "png");
    if (!writer.write(page) || !file->flush())
        throw common::Error(QStringLiteral("Cannot write file %1: %2")
                                .arg(target, writer.error() == QImageWriter::DeviceError
                                                 ? file->errorString()
                                                 : writer.errorString()));
    file->close();
    if (file->error() != QFileDevice::NoError)
        throw common::Error(
            QStringLiteral("Cannot write file %1: %2").arg(target, file->errorString()));
    // A temporary file is private to its owner; a saved picture is for everyone to read.
    const QFileInfo existing(target);
    file->setPermissions(existing.exists() ? existing.permissions()
                                           : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ReadGroup | QFileDevice::ReadOther);
    return file;
}

} // namespace

ExportResult savePngPages(const Document& document, const QString& path, const PngOptions& options,
                          const ProgressCallback& progress)
{
    const DocumentLayout layout = layoutDocument(document);
    const int count = static_cast<int>(layout.pages.size());
    const QStringList targets = pngPagePaths(path, count);

    ExportResult result;
    std::vector<std::unique_ptr<QTemporaryFile>> written;
    for (int i = 0; i < count; ++i) {
        if (progress && !progress(i + 1, count)) {
            result.cancelled = true;
            return result; // the temporary files go with `written`
        }
        QList<PictureFailure> failures;
        const QImage page = renderPageImage(document, layout.pages[i], options.dpi, &failures);
        if (!failures.isEmpty() && options.brokenPicture == BrokenPicture::Fail) {
            const PictureFailure& f = failures.first();
            throw common::Error(QStringLiteral("Cannot draw picture %1: %2").arg(f.path, f.reason));
        }
        result.failures += failures;
        written.push_back(writePageFile(page, targets[i]));
    }
    // rename() replaces each target in one step; only a failure here can leave the earlier
    // pages replaced and the later ones not.
    for (int i = 0; i < count; ++i) {
        const QByteArray from = QFile::encodeName(written[size_t(i)]->fileName());
        const QByteArray to = QFile::encodeName(targets[i]);
        if (std::rename(from.constData(), to.constData()) != 0)
            throw common::Error(QStringLiteral("Cannot create file %1").arg(targets[i]));
        written[size_t(i)]->setAutoRemove(false);
        ++result.pagesWritten;
    }
    return result;
}

} // namespace pagula::document
