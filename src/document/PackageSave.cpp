#include "document/PackageSave.h"

#include "common/Error.h"
#include "document/PackagePage.h"

#include <QSaveFile>

namespace pagula::document
{

bool savePackage(const QString& path, const QList<PackageEntry>& entries,
                 const ProgressCallback& progress, int stepCount)
{
    if (progress && !progress(stepCount, stepCount))
        return false;
    // Unbuffered: see common::writeFully.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw common::Error(
            QStringLiteral("Cannot create file %1: %2").arg(path, file.errorString()));
    try {
        ZipPackageWriter zip(file);
        for (const PackageEntry& entry : entries) {
            if (entry.sourcePath.isEmpty())
                zip.addData(entry.name, entry.data, entry.compression);
            else
                zip.addFile(entry.name, entry.sourcePath, entry.compression);
        }
        // A stop asked for after the last bytes went out still keeps the previous file.
        bool stopped = false;
        std::function<bool()> keepGoing;
        if (progress)
            keepGoing = [&] { return !(stopped = stopped || !progress(stepCount, stepCount)); };
        if (!zip.finish(keepGoing) || stopped) {
            file.cancelWriting();
            return false;
        }
    } catch (const PackageWriteError& e) {
        file.cancelWriting();
        throw common::Error(QStringLiteral("Cannot write file %1: %2").arg(path, e.message()));
    } catch (...) {
        file.cancelWriting();
        throw;
    }
    if (!file.commit())
        throw common::Error(
            QStringLiteral("Cannot write file %1: %2").arg(path, file.errorString()));
    return true;
}

QList<PackageEntry> storedPictureEntries(const PackagePictures& pictures)
{
    QList<PackageEntry> entries;
    for (const PictureReference& ref : pictures.stored())
        entries.append({ref.entryName, {}, ref.sourcePath, ZipPackageWriter::Compression::Store});
    return entries;
}

ExportResult savePicturePackage(const Document& document, const QString& path,
                                const PackageOptions& options, const QString& pictureFolder,
                                const ProgressCallback& progress, const PackageEntries& entries)
{
    packagePage(document);
    ExportResult result;
    PackagePictures pictures(document, options, pictureFolder);
    const int steps = pictures.fileCount() + 1;
    if (!pictures.prepare(progress, steps)) {
        result.cancelled = true;
        return result;
    }
    result.failures = pictures.failures();
    result.cancelled = !savePackage(path, entries(pictures), progress, steps);
    return result;
}

} // namespace pagula::document
