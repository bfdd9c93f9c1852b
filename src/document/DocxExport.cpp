#include "document/DocxExport.h"

#include "document/DocxParts.h"
#include "document/PackageSave.h"

namespace pagula::document
{

ExportResult saveDocx(const Document& document, const QString& path, const DocxOptions& options,
                      const ProgressCallback& progress)
{
    return savePicturePackage(
        document, path, options, QStringLiteral("word/media/"), progress,
        [&](const PackagePictures& pictures) {
            using Compression = ZipPackageWriter::Compression;
            const docx::Relationships relationships(document, pictures.references());
            QList<PackageEntry> entries{
                {QStringLiteral("[Content_Types].xml"),
                 docx::contentTypesXml(pictures.stored()),
                 {},
                 Compression::Deflate},
                {QStringLiteral("_rels/.rels"),
                 docx::packageRelationshipsXml(),
                 {},
                 Compression::Deflate},
                {QStringLiteral("word/document.xml"),
                 docx::documentXml(document, relationships),
                 {},
                 Compression::Deflate},
                {QStringLiteral("word/_rels/document.xml.rels"),
                 docx::documentRelationshipsXml(relationships),
                 {},
                 Compression::Deflate},
                {QStringLiteral("word/styles.xml"), docx::stylesXml(), {}, Compression::Deflate},
                {QStringLiteral("word/settings.xml"),
                 docx::settingsXml(),
                 {},
                 Compression::Deflate},
            };
            return entries + storedPictureEntries(pictures);
        });
}

} // namespace pagula::document
