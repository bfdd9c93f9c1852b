#include "document/DocxExport.h"

#include "document/DocxParts.h"
#include "document/PackagePage.h"
#include "document/PackageSave.h"

namespace pagula::document
{

ExportResult saveDocx(const Document& document, const QString& path, const DocxOptions& options,
                      const ProgressCallback& progress)
{
    using Compression = ZipPackageWriter::Compression;
    // A page the word processor cannot show is refused before any picture is read.
    packagePage(document);
    ExportResult result;
    PackagePictures pictures(document, options, QStringLiteral("word/media/"));
    const int steps = pictures.fileCount() + 1;
    if (!pictures.prepare(progress, steps)) {
        result.cancelled = true;
        return result;
    }
    result.failures = pictures.failures();

    const docx::Relationships relationships(document, pictures.references());
    QList<PackageEntry> entries{
        {QStringLiteral("[Content_Types].xml"),
         docx::contentTypesXml(pictures.stored()),
         {},
         Compression::Deflate},
        {QStringLiteral("_rels/.rels"), docx::packageRelationshipsXml(), {}, Compression::Deflate},
        {QStringLiteral("word/document.xml"),
         docx::documentXml(document, relationships),
         {},
         Compression::Deflate},
        {QStringLiteral("word/_rels/document.xml.rels"),
         docx::documentRelationshipsXml(relationships),
         {},
         Compression::Deflate},
        {QStringLiteral("word/styles.xml"), docx::stylesXml(), {}, Compression::Deflate},
        {QStringLiteral("word/settings.xml"), docx::settingsXml(), {}, Compression::Deflate},
    };
    // Pictures are compressed already.
    for (const PictureReference& ref : pictures.stored())
        entries.append({ref.entryName, {}, ref.sourcePath, Compression::Store});

    result.cancelled = !savePackage(path, entries, progress, steps);
    return result;
}

} // namespace pagula::document
