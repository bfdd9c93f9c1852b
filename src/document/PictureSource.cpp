#include "document/PictureSource.h"

#include "common/Error.h"
#include "document/PicturePreparation.h"

#include <new>

namespace pagula::document
{

PictureSource::PictureSource(const Document& document, const QList<PlacedPicture>& pictures,
                             double pictureDpi, Decoder decoder)
    : document_(document), dpi_(pictureDpi), decoder_(std::move(decoder))
{
    if (!decoder_)
        decoder_ = [](const QString& path, const imaging::DecodeRequest& request) {
            return imaging::decodeFile(path, request);
        };
    for (const PlacedPicture& placed : pictures) {
        const InlinePicture& picture = document_.pictureAt(placed.itemIndex);
        const QSize target = targetFor(placed);
        FileState& file = files_[picture.path()];
        file.atLeast = file.atLeast.expandedTo(decodeSizeFor(target, picture.visibleShare()));
        ++prepared_[keyFor(picture, target)].usesLeft;
    }
    // A decoded file is kept until each prepared form of it has been made.
    for (auto& [key, state] : prepared_)
        files_[std::get<0>(key)].usesLeft += 1;
}

QSize PictureSource::targetFor(const PlacedPicture& placed) const
{
    return boxPixels(placed.box.size(), dpi_);
}

PictureSource::PreparedKey PictureSource::keyFor(const InlinePicture& picture, QSize target) const
{
    const QRectF share = picture.visibleShare();
    return {picture.path(),     share.x(),
            share.y(),          share.width(),
            share.height(),     target.width(),
            target.height(),    picture.brightness(),
            picture.contrast(), static_cast<int>(picture.colorType())};
}

const QImage& PictureSource::decoded(FileState& file, const QString& path)
{
    if (!file.decoded) {
        file.decoded = true;
        try {
            imaging::DecodeRequest request;
            request.atLeast = file.atLeast;
            file.image = decoder_(path, request);
        } catch (const Error& e) {
            file.failure = e.message();
        } catch (const std::bad_alloc&) {
            file.failure = QStringLiteral("Not enough memory to decode the picture");
        }
    }
    if (file.failure)
        throw Error(*file.failure);
    return file.image;
}

QImage PictureSource::take(const PlacedPicture& placed)
{
    const InlinePicture& picture = document_.pictureAt(placed.itemIndex);
    const QSize target = targetFor(placed);
    auto preparedIt = prepared_.find(keyFor(picture, target));
    if (preparedIt == prepared_.end())
        throw Error(QStringLiteral("Picture %1 was not planned for this page").arg(picture.path()));
    PreparedState& state = preparedIt->second;
    FileState& file = files_[picture.path()];

    if (!state.image) {
        const QRectF share = picture.visibleShare();
        if (share.isEmpty()) {
            state.image = QImage(); // cropped away completely: nothing to decode
        } else {
            const QImage& source = decoded(file, picture.path());
            try {
                state.image = preparePicture(source, share, target, picture.adjustments());
            } catch (const std::bad_alloc&) {
                throw Error(QStringLiteral("Not enough memory to prepare the picture"));
            }
        }
        // The decoded picture is needed only until every prepared form of it exists.
        if (--file.usesLeft == 0)
            file.image = QImage();
    }
    QImage result = *state.image;
    if (--state.usesLeft == 0)
        prepared_.erase(preparedIt);
    return result;
}

} // namespace pagula::document
