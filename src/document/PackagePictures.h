#pragma once

#include "common/TemporaryFolders.h"
#include "document/Document.h"
#include "document/ExportResult.h"

#include <QList>
#include <QString>

#include <map>
#include <memory>

namespace pagula::document
{

// Settings shared by the ODT and DOCX writers.
struct PackageOptions {
    // Store every picture in the file instead of linking to it, for a file that can be moved
    // to another computer. Pictures that word processors cannot read (PCX, HEIF, PDF pages) are
    // always stored.
    bool embedPictures = false;
    // A picture that must be stored but cannot be read: stop with an error (the previous file
    // stays), or link to it all the same and list it in the result.
    BrokenPicture brokenPicture = BrokenPicture::Fail;
};

// How a package refers to one picture file: a link to the file, or an entry of the package.
struct PictureReference {
    QString linkUri;    // linked: the file URI
    QString entryName;  // stored: name inside the package, e.g. "Pictures/image3.jpeg"
    QString mediaType;  // stored: e.g. "image/jpeg"
    QString extension;  // stored: e.g. "jpeg"
    QString sourcePath; // stored: the file whose bytes go into the package

    bool isStored() const { return !entryName.isEmpty(); }
};

// Picture references by the path the document holds.
using PictureReferences = std::map<QString, PictureReference>;

// A link to every picture of the document, without looking at any file.
PictureReferences linkedReferences(const Document& document);

// Decides, for every distinct picture file of a document, whether the package links to it or
// stores it. A picture is stored when the options ask for it or the picture is not linked to
// its file; JPEG, PNG, GIF, BMP and TIFF files are stored byte for byte. Any other format (PCX,
// ICO, WebP, HEIF) and every PDF page, which word processors do not read, is decoded and stored
// as a PNG of the same size in points, kept in a temporary folder until this object goes. So is
// a picture whose EXIF or TIFF orientation turns it, which word processors would show lying on
// its side: it is stored upright. Photographs (JPEG, HEIF) are stored as JPEGs of high quality.
class PackagePictures
{
public:
    // entryFolder: where stored pictures go inside the package ("Pictures/", "word/media/").
    PackagePictures(const Document& document, const PackageOptions& options, QString entryFolder);

    // Number of distinct picture files, each one step of the progress.
    int fileCount() const { return static_cast<int>(paths_.size()); }

    // Looks at every file, calling progress(step, stepCount) before each (steps counted from
    // 1), and decodes it as a PDF would. Returns false when progress asks to stop. Throws
    // pagula::common::Error for a picture that cannot be read or decoded, stored or linked alike,
    // unless the options say to link to it.
    bool prepare(const ProgressCallback& progress, int stepCount);

    const PictureReferences& references() const { return references_; }
    // Stored pictures, each once, in the order of their first use.
    QList<PictureReference> stored() const;
    // Pictures whose file could not be read; the package links to them.
    const QList<PictureFailure>& failures() const { return failures_; }

    // A format word processors read: its file name extension and media type.
    struct StoredFormat {
        const char* extension;
        const char* mediaType;
    };

private:
    PictureReference decide(const QString& path, int firstItem);
    PictureReference newEntry(const QString& extension, const QString& mediaType);
    PictureReference copied(const QString& path, const StoredFormat& format);
    PictureReference converted(const QString& path, const InlinePicture& picture, bool asJpeg);
    static QImage onCellProportions(const QImage& page, const InlinePicture& picture);

    const Document& document_;
    PackageOptions options_;
    QString entryFolder_;
    QList<QString> paths_;            // distinct, in order of first use
    std::map<QString, int> firstUse_; // item index of the first picture of each path
    PictureReferences references_;
    QList<PictureFailure> failures_;
    std::unique_ptr<common::TemporaryFolder> conversions_;
    int storedCount_ = 0;
};

} // namespace pagula::document
