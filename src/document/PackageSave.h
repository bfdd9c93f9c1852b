#pragma once

#include "document/ExportResult.h"
#include "document/PackagePictures.h"
#include "document/ZipPackageWriter.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

namespace pagula::document
{

// One entry of a package: data made in memory, or a file copied as it is.
struct PackageEntry {
    QString name;
    QByteArray data;
    QString sourcePath; // when set, the entry is this file's bytes
    ZipPackageWriter::Compression compression = ZipPackageWriter::Compression::Deflate;
};

// Writes the entries, in order, as a zip package through a temporary file that replaces `path`
// only when everything succeeded: after an error or a cancel the previous file is unchanged and
// no temporary file remains. progress(stepCount, stepCount) is asked before writing and again
// now and then while files are copied. Returns false when cancelled; throws pagula::common::Error
// ("Cannot create file ...", "Cannot write file ...: reason", or a picture's own failure).
bool savePackage(const QString& path, const QList<PackageEntry>& entries,
                 const ProgressCallback& progress, int stepCount);

// The entries of the stored pictures, uncompressed: they are compressed already.
QList<PackageEntry> storedPictureEntries(const PackagePictures& pictures);

// Saves a word processor's package of the document: refuses a page the word processor cannot
// show before any picture is read, prepares the pictures (one progress step each, stored under
// pictureFolder) and writes the entries that `entries` lists for them through savePackage.
using PackageEntries = std::function<QList<PackageEntry>(const PackagePictures&)>;
ExportResult savePicturePackage(const Document& document, const QString& path,
                                const PackageOptions& options, const QString& pictureFolder,
                                const ProgressCallback& progress, const PackageEntries& entries);

} // namespace pagula::document
