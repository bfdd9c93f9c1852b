#include "document/PictureSource.h"

#include "common/Error.h"
#include "document/PicturePreparation.h"
#include "imaging/PagePreparation.h"

#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <mutex>
#include <new>

namespace pagula::document
{

namespace
{

// A few threads: each holds one decoded picture at a time, and more than the cores would not
// go faster.
QThreadPool& picturePool()
{
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(std::clamp(QThread::idealThreadCount(), 1, 4));
        return p;
    }();
    return *pool;
}

// A page found in a photo fills only part of it: the decode is asked for this much more, so
// the page itself still covers the cell's pixels.
constexpr double pageFindingReserve = 1.4;

int preparationBits(const InlinePicture& picture)
{
    const imaging::PreparationOptions& p = picture.preparation();
    return (p.findPage ? 1 : 0) | (p.straighten ? 2 : 0) | (p.evenBackground ? 4 : 0) |
           (picture.keepsProportions() ? 8 : 0);
}

std::mutex& customDecoderMutex()
{
    static std::mutex m;
    return m;
}

} // namespace

PictureSource::PictureSource(const Document& document, const QList<PlacedPicture>& pictures,
                             double pictureDpi, Decoder decoder, Encoder encoder)
    : document_(document), dpi_(pictureDpi)
{
    for (const PlacedPicture& placed : pictures) {
        const InlinePicture& picture = document_.pictureAt(placed.itemIndex);
        const QSize target = targetFor(placed);
        const PreparedKey key = keyFor(picture, target);
        FileJob& file = files_[picture.path()];
        if (usesLeft_[key]++ > 0)
            continue;
        const QRectF share = picture.visibleShare();
        file.recipes.push_back({key, share, target, picture.adjustments(), picture.preparation(),
                                picture.keepsProportions()});
        const bool reshaped = picture.preparation().findPage || picture.preparation().straighten;
        const QSize wanted = reshaped ? target * pageFindingReserve : target;
        if (!share.isEmpty())
            file.atLeast = file.atLeast.expandedTo(decodeSizeFor(wanted, share));
    }

    Decoder decode;
    if (decoder) {
        decode = [decoder](const QString& path, const imaging::DecodeRequest& request) {
            const std::lock_guard<std::mutex> lock(customDecoderMutex());
            return decoder(path, request);
        };
    } else {
        decode = [](const QString& path, const imaging::DecodeRequest& request) {
            return imaging::decodeFile(path, request);
        };
    }
    // Files in the order the page draws them, so the first picture is ready first.
    for (const PlacedPicture& placed : pictures) {
        const QString& path = document_.pictureAt(placed.itemIndex).path();
        FileJob& file = files_[path];
        if (file.results.isValid())
            continue;
        file.results = QtConcurrent::run(&picturePool(), &PictureSource::prepareFile, path,
                                         file.atLeast, file.recipes, decode, encoder);
    }
}

PictureSource::~PictureSource()
{
    // The jobs hold copies of what they need, but a caller's decoder may not outlive this.
    for (auto& [path, file] : files_)
        if (!file.ready && file.results.isValid())
            file.results.waitForFinished();
}

QSize PictureSource::targetFor(const PlacedPicture& placed) const
{
    return boxPixels(placed.box.size(), dpi_);
}

PictureSource::PreparedKey PictureSource::keyFor(const InlinePicture& picture, QSize target) const
{
    const QRectF share = picture.visibleShare();
    return {picture.path(),
            share.x(),
            share.y(),
            share.width(),
            share.height(),
            target.width(),
            target.height(),
            picture.brightness(),
            picture.contrast(),
            static_cast<int>(picture.colorType()),
            preparationBits(picture)};
}

// Every form the page wants is grey, and brightness and contrast leave the pixels alone, so
// the luminance is all that is needed: greying after neutral adjustments gives the same.
bool PictureSource::luminanceSuffices(const std::vector<Recipe>& recipes)
{
    return std::all_of(recipes.begin(), recipes.end(), [](const Recipe& r) {
        const imaging::Adjustments& a = r.adjustments;
        return a.colorMode != imaging::ColorMode::Automatic && a.brightness == 0.5 &&
               a.contrast == 0.5;
    });
}

PictureSource::Results PictureSource::prepareFile(const QString& path, QSize atLeast,
                                                  const std::vector<Recipe>& recipes,
                                                  const Decoder& decoder, const Encoder& encoder)
{
    Results results;
    const bool anythingShows = std::any_of(recipes.begin(), recipes.end(),
                                           [](const Recipe& r) { return !r.share.isEmpty(); });
    QImage decoded;
    std::optional<QString> failure;
    if (anythingShows) {
        try {
            imaging::DecodeRequest request;
            request.atLeast = atLeast;
            request.luminanceOnly = luminanceSuffices(recipes);
            decoded = decoder(path, request);
        } catch (const common::Error& e) {
            failure = e.message();
        } catch (const std::bad_alloc&) {
            failure = QStringLiteral("Not enough memory to decode the picture");
        } catch (const std::exception& e) {
            failure = QString::fromLocal8Bit(e.what());
        }
    }
    // Each preparation asked for is done once; recipes usually all ask for the same one.
    std::map<int, QImage> pages;
    const auto pageFor = [&](const Recipe& recipe) -> const QImage& {
        const imaging::PreparationOptions& p = recipe.preparation;
        if (!p.any())
            return decoded;
        const int bits = (p.findPage ? 1 : 0) | (p.straighten ? 2 : 0) | (p.evenBackground ? 4 : 0);
        auto found = pages.find(bits);
        if (found == pages.end())
            found = pages.emplace(bits, imaging::preparePage(decoded, p, atLeast).image).first;
        return found->second;
    };
    for (const Recipe& recipe : recipes) {
        Prepared& prepared = results[recipe.key];
        if (recipe.share.isEmpty())
            continue; // cropped away completely: nothing to draw
        if (failure) {
            prepared.failure = failure;
            continue;
        }
        try {
            const PictureFinish finish{recipe.keepProportions, recipe.preparation.evenBackground};
            prepared.image = preparePicture(pageFor(recipe), recipe.share, recipe.target,
                                            recipe.adjustments, finish);
            if (encoder && !prepared.image.isNull())
                prepared.encoded = encoder(prepared.image);
        } catch (const std::bad_alloc&) {
            prepared.failure = QStringLiteral("Not enough memory to prepare the picture");
        }
    }
    return results;
}

QImage PictureSource::take(const PlacedPicture& placed)
{
    const InlinePicture& picture = document_.pictureAt(placed.itemIndex);
    const PreparedKey key = keyFor(picture, targetFor(placed));
    const auto uses = usesLeft_.find(key);
    const auto file = files_.find(picture.path());
    if (uses == usesLeft_.end() || uses->second <= 0 || file == files_.end())
        throw common::Error(
            QStringLiteral("Picture %1 was not planned for this page").arg(picture.path()));

    // Waiting runs the job here when no pool thread has taken it yet.
    FileJob& job = file->second;
    if (!job.ready)
        job.ready = job.results.takeResult();
    Results& results = *job.ready;
    const auto prepared = results.find(key);
    if (prepared == results.end())
        throw common::Error(
            QStringLiteral("Picture %1 was not planned for this page").arg(picture.path()));
    if (prepared->second.failure)
        throw common::Error(*prepared->second.failure);
    QImage image = prepared->second.image;
    if (!prepared->second.encoded.isEmpty())
        encoded_.emplace(image.cacheKey(), prepared->second.encoded);
    // A prepared picture is let go after its last use.
    if (--uses->second == 0) {
        prepared->second.image = QImage();
        prepared->second.encoded = QByteArray();
    }
    return image;
}

QByteArray PictureSource::encoded(const QImage& picture) const
{
    const auto found = encoded_.find(picture.cacheKey());
    return found == encoded_.end() ? QByteArray() : found->second;
}

} // namespace pagula::document
