#include "document/PackagePictures.h"

#include "common/Error.h"
#include "common/PictureAddress.h"
#include "common/TemporaryFolders.h"
#include "document/XmlText.h"
#include "imaging/ImageIO.h"
#include "imaging/PagePreparation.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>

namespace pagula::document
{

namespace
{

// The formats word processors read, known by their first bytes (never by the file name).
std::optional<PackagePictures::StoredFormat> wordProcessorFormat(const QByteArray& head)
{
    if (head.startsWith("\xFF\xD8\xFF"))
        return PackagePictures::StoredFormat{"jpeg", "image/jpeg"};
    if (head.startsWith("\x89PNG\r\n\x1A\n"))
        return PackagePictures::StoredFormat{"png", "image/png"};
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a"))
        return PackagePictures::StoredFormat{"gif", "image/gif"};
    if (head.startsWith("BM"))
        return PackagePictures::StoredFormat{"bmp", "image/bmp"};
    if (head.startsWith(QByteArray("II*\0", 4)) || head.startsWith(QByteArray("MM\0*", 4)))
        return PackagePictures::StoredFormat{"tiff", "image/tiff"};
    return std::nullopt;
}

// The first bytes of a regular file; a null array (and the reason) when it cannot be read.
QByteArray readHead(const QString& path, QString* reason)
{
    QFile file(path);
    // A FIFO or a device in a picture's place would block; a folder cannot be a picture.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        *reason = QStringLiteral("Cannot open file %1").arg(path);
        return {};
    }
    QByteArray head = file.read(32);
    if (head.isNull())
        head = QByteArray("");
    return head;
}

int dotsPerMeter(int pixels, double points)
{
    const double dpm = pixels / (points / 72.0) / 0.0254;
    return static_cast<int>(std::clamp(std::lround(dpm), 1L, 1000000000L));
}

// Whether a file's pixels stand as they are shown: no EXIF or TIFF orientation turns them.
// Word processors show a picture's pixels as stored; our pages show it upright.
bool isUpright(const QString& path)
{
    try {
        return imaging::probeFile(path).orientation == 1;
    } catch (const common::Error&) {
        return true; // a file that cannot be probed is linked or copied as it is
    }
}

// Whether the file decodes as the PDF would decode it; the reason when not. A word processor
// shows a damaged file its own way, so the package takes only what the pages would show.
std::optional<QString> decodeFailure(const QString& path, const InlinePicture& picture)
{
    imaging::DecodeRequest request;
    // A small size is enough to read every part of the file; JPEG decodes at its smallest step.
    request.atLeast = QSize(std::max(1, int(picture.ownSize().width() / 8)),
                            std::max(1, int(picture.ownSize().height() / 8)));
    try {
        imaging::decodeFile(path, request);
    } catch (const common::Error& e) {
        return e.message();
    } catch (const std::bad_alloc&) {
        return QStringLiteral("not enough memory to decode it");
    }
    return std::nullopt;
}

PictureReference linkTo(const QString& path)
{
    PictureReference ref;
    ref.linkUri = fileUri(path);
    return ref;
}

} // namespace

PictureReferences linkedReferences(const Document& document)
{
    PictureReferences refs;
    for (int i = 0; i < document.itemCount(); ++i) {
        if (document.item(i).kind != ItemKind::Picture)
            continue;
        const QString& path = document.pictureAt(i).path();
        if (refs.find(path) == refs.end())
            refs.emplace(path, linkTo(path));
    }
    return refs;
}

PackagePictures::PackagePictures(const Document& document, const PackageOptions& options,
                                 QString entryFolder)
    : document_(document), options_(options), entryFolder_(std::move(entryFolder))
{
    for (int i = 0; i < document.itemCount(); ++i) {
        if (document.item(i).kind != ItemKind::Picture)
            continue;
        const QString& path = document.pictureAt(i).path();
        if (firstUse_.emplace(path, i).second)
            paths_.append(path);
    }
}

bool PackagePictures::prepare(const ProgressCallback& progress, int stepCount)
{
    for (int k = 0; k < paths_.size(); ++k) {
        if (progress && !progress(k + 1, stepCount))
            return false;
        const QString& path = paths_[k];
        references_[path] = decide(path, firstUse_.at(path));
    }
    return true;
}

PictureReference PackagePictures::decide(const QString& path, int firstItem)
{
    const InlinePicture& picture = document_.pictureAt(firstItem);
    bool store = options_.embedPictures || !picture.linkToFile() || picture.saveWithDocument();

    QString reason;
    // A page of a PDF is read from its file; it is never a format word processors read.
    const QByteArray head = readHead(common::addressedFile(path), &reason);
    if (!head.isNull()) {
        const std::optional<StoredFormat> format = wordProcessorFormat(head);
        // A phone photo (HEIC) is stored as a JPEG; anything else converted as a PNG.
        const bool photo = (format && QLatin1String(format->extension) == QLatin1String("jpeg")) ||
                           imaging::detectFormat(head) == imaging::ImageFormat::Heif;
        // A prepared page is stored as it is prepared, so a word processor shows what prints.
        const bool prepared = picture.preparation().any() || picture.keepsProportions();
        if (format && isUpright(path) && !prepared) {
            // Taken as the file stands, so it is decoded once to check it.
            if (const std::optional<QString> failure = decodeFailure(path, picture))
                reason = *failure;
            else
                return store ? copied(path, *format) : linkTo(path);
        } else {
            // Word processors cannot read this file, or show it lying on its side: it is stored,
            // converted and upright. Converting decodes it whole, which checks it too.
            try {
                return converted(path, picture, photo);
            } catch (const common::Error& e) {
                reason = e.message();
            } catch (const std::bad_alloc&) {
                reason = QStringLiteral("not enough memory to decode it");
            }
            // A format word processors cannot read would have been stored.
            store = store || !format;
        }
    }
    // A picture the pages could not show fails the save whether it is stored or linked, as it
    // fails a PDF.
    if (options_.brokenPicture == BrokenPicture::Fail)
        throw common::Error(
            QStringLiteral("Cannot %1 picture %2: %3")
                .arg(store ? QStringLiteral("store") : QStringLiteral("link to"), path, reason));
    failures_.append({firstItem, path, reason});
    return linkTo(common::addressedFile(path));
}

// The page fitted into the cell's proportions, centred on white: the word processor stretches
// the picture to the cell, and then it keeps its own.
QImage PackagePictures::onCellProportions(const QImage& page, const InlinePicture& picture)
{
    const QRectF share = picture.visibleShare();
    if (page.isNull() || share.isEmpty() || picture.size().isEmpty())
        return page;
    // The whole picture's box, of which the crop leaves the cell.
    const double boxAspect =
        (picture.width() / share.width()) / (picture.height() / share.height());
    const double pageAspect = double(page.width()) / page.height();
    QSize canvas = page.size();
    if (boxAspect > pageAspect)
        canvas.setWidth(qRound(page.height() * boxAspect));
    else
        canvas.setHeight(qRound(page.width() / boxAspect));
    QImage out(canvas, page.format() == QImage::Format_Grayscale8 ? QImage::Format_Grayscale8
                                                                  : QImage::Format_RGB32);
    if (out.isNull())
        throw std::bad_alloc();
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage((canvas.width() - page.width()) / 2, (canvas.height() - page.height()) / 2,
                      page);
    painter.end();
    return out;
}

PictureReference PackagePictures::newEntry(const QString& extension, const QString& mediaType)
{
    PictureReference ref;
    ref.extension = extension;
    ref.mediaType = mediaType;
    ref.entryName =
        QStringLiteral("%1image%2.%3").arg(entryFolder_).arg(++storedCount_).arg(extension);
    return ref;
}

PictureReference PackagePictures::copied(const QString& path, const StoredFormat& format)
{
    PictureReference ref =
        newEntry(QString::fromLatin1(format.extension), QString::fromLatin1(format.mediaType));
    ref.sourcePath = path;
    return ref;
}

PictureReference PackagePictures::converted(const QString& path, const InlinePicture& picture,
                                            bool asJpeg)
{
    QImage image = imaging::decodeFile(path); // upright
    if (picture.preparation().any() || picture.keepsProportions()) {
        image = imaging::preparePage(image, picture.preparation()).image;
        if (picture.keepsProportions())
            image = onCellProportions(image, picture);
    }
    // The stored picture keeps the size in points that the document knows, so its crop and
    // scale mean the same in the word processor.
    image.setDotsPerMeterX(dotsPerMeter(image.width(), picture.ownSize().width()));
    image.setDotsPerMeterY(dotsPerMeter(image.height(), picture.ownSize().height()));

    if (!conversions_) {
        conversions_ = common::makeTemporaryFolder();
        if (!conversions_->isValid())
            throw common::Error(QStringLiteral("Cannot create a temporary folder: %1")
                                    .arg(conversions_->errorString()));
    }
    // A photograph stays a JPEG, at a quality that keeps it as it was; anything else becomes
    // a PNG, which loses nothing.
    PictureReference ref = asJpeg ? newEntry(QStringLiteral("jpeg"), QStringLiteral("image/jpeg"))
                                  : newEntry(QStringLiteral("png"), QStringLiteral("image/png"));
    ref.sourcePath =
        conversions_->filePath(QStringLiteral("image%1.%2").arg(storedCount_).arg(ref.extension));
    QImageWriter writer(ref.sourcePath, asJpeg ? "jpeg" : "png");
    if (asJpeg)
        writer.setQuality(95);
    if (!writer.write(image))
        throw common::Error(
            QStringLiteral("Cannot write file %1: %2").arg(ref.sourcePath, writer.errorString()));
    return ref;
}

QList<PictureReference> PackagePictures::stored() const
{
    QList<PictureReference> list;
    for (const QString& path : paths_) {
        const auto it = references_.find(path);
        if (it != references_.end() && it->second.isStored())
            list.append(it->second);
    }
    return list;
}

} // namespace pagula::document
