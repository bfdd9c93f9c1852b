#include "document/OdtExport.h"

#include "document/OdtParts.h"
#include "document/PackageSave.h"

namespace pagula::document
{

ExportResult saveOdt(const Document& document, const QString& path, const OdtOptions& options,
                     const ProgressCallback& progress)
{
    return savePicturePackage(
        document, path, options, QStringLiteral("Pictures/"), progress,
        [&](const PackagePictures& pictures) {
            using Compression = ZipPackageWriter::Compression;
            // The mimetype comes first and uncompressed, so that its name can be read at a fixed
            // place.
            QList<PackageEntry> entries{
                {QStringLiteral("mimetype"), QByteArray(odt::MimeType), {}, Compression::Store},
                {QStringLiteral("content.xml"),
                 odt::contentXml(document, pictures.references()),
                 {},
                 Compression::Deflate},
                {QStringLiteral("styles.xml"), odt::stylesXml(document), {}, Compression::Deflate},
                {QStringLiteral("meta.xml"), odt::metaXml(), {}, Compression::Deflate},
            };
            entries += storedPictureEntries(pictures);
            entries.append({QStringLiteral("META-INF/manifest.xml"),
                            odt::manifestXml(pictures.stored()),
                            {},
                            Compression::Deflate});
            return entries;
        });
}

} // namespace pagula::document
