#include "document/OdtExport.h"

#include "document/OdtParts.h"
#include "document/PackagePage.h"
#include "document/PackageSave.h"

namespace pagula::document
{

ExportResult saveOdt(const Document& document, const QString& path, const OdtOptions& options,
                     const ProgressCallback& progress)
{
    using Compression = ZipPackageWriter::Compression;
    // A page the word processor cannot show is refused before any picture is read.
    packagePage(document);
    ExportResult result;
    PackagePictures pictures(document, options, QStringLiteral("Pictures/"));
    const int steps = pictures.fileCount() + 1;
    if (!pictures.prepare(progress, steps)) {
        result.cancelled = true;
        return result;
    }
    result.failures = pictures.failures();

    // The mimetype comes first and uncompressed, so that its name can be read at a fixed place.
    QList<PackageEntry> entries{
        {QStringLiteral("mimetype"), QByteArray(odt::MimeType), {}, Compression::Store},
        {QStringLiteral("content.xml"),
         odt::contentXml(document, pictures.references()),
         {},
         Compression::Deflate},
        {QStringLiteral("styles.xml"), odt::stylesXml(document), {}, Compression::Deflate},
        {QStringLiteral("meta.xml"), odt::metaXml(), {}, Compression::Deflate},
    };
    // Pictures are compressed already.
    for (const PictureReference& ref : pictures.stored())
        entries.append({ref.entryName, {}, ref.sourcePath, Compression::Store});
    entries.append({QStringLiteral("META-INF/manifest.xml"),
                    odt::manifestXml(pictures.stored()),
                    {},
                    Compression::Deflate});

    result.cancelled = !savePackage(path, entries, progress, steps);
    return result;
}

} // namespace pagula::document
