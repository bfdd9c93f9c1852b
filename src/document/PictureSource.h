#pragma once

#include "document/Document.h"
#include "document/FlowLayout.h"

#include "imaging/Adjustments.h"
#include "imaging/ImageIO.h"

#include <QFuture>
#include <QImage>
#include <QList>
#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <tuple>

namespace pagula::document
{

// Decoded and prepared pictures for one page. It knows every picture the page will draw, so
// each file is decoded once, at the largest size the page needs, and turned into every
// prepared form the page asks of it; the same white filler in every cell is thus decoded and
// prepared once. The files of a page are worked on in parallel, on a small pool of threads,
// while the caller draws the pictures already taken; a prepared picture is let go after its
// last use, so memory holds at most one page's pictures.
class PictureSource
{
public:
    // Decodes a picture file; throws pagula::common::Error. imaging::decodeFile when empty. A
    // decoder given here is called from the pool's threads, one call at a time.
    using Decoder = std::function<QImage(const QString& path, const imaging::DecodeRequest&)>;
    // Turns a prepared picture into the bytes an output stores (a PDF's JPEG stream), on the
    // pool's threads too; empty bytes when the output stores it otherwise. Must not throw.
    using Encoder = std::function<QByteArray(const QImage& picture)>;

    PictureSource(const Document& document, const QList<PlacedPicture>& pictures, double pictureDpi,
                  Decoder decoder = {}, Encoder encoder = {});
    ~PictureSource();
    PictureSource(const PictureSource&) = delete;
    PictureSource& operator=(const PictureSource&) = delete;

    // The picture to draw in a placed picture's box: cropped, scaled to the box at the
    // resolution, adjusted; a null image when the crop leaves nothing. Call it once for each
    // placed picture given to the constructor. Throws pagula::common::Error when the file cannot be
    // decoded (imaging::ImageError) or memory runs out.
    QImage take(const PlacedPicture& placed);
    // The encoder's bytes for a picture take() gave out; empty when there are none.
    QByteArray encoded(const QImage& picture) const;

private:
    using PreparedKey =
        std::tuple<QString, double, double, double, double, int, int, double, double, int, int>;
    // One prepared form of a file: the page prepared, its visible share at a target size with
    // its adjustments.
    struct Recipe {
        PreparedKey key;
        QRectF share;
        QSize target;
        imaging::Adjustments adjustments;
        imaging::PreparationOptions preparation;
        bool keepProportions = false;
    };
    struct Prepared {
        QImage image;
        QByteArray encoded;
        std::optional<QString> failure;
    };
    using Results = std::map<PreparedKey, Prepared>;
    struct FileJob {
        QSize atLeast;
        std::vector<Recipe> recipes;
        QFuture<Results> results;
        std::optional<Results> ready; // taken from the future at the first use
    };

    QSize targetFor(const PlacedPicture& placed) const;
    PreparedKey keyFor(const InlinePicture& picture, QSize target) const;
    static bool luminanceSuffices(const std::vector<Recipe>& recipes);
    static Results prepareFile(const QString& path, QSize atLeast,
                               const std::vector<Recipe>& recipes, const Decoder& decoder,
                               const Encoder& encoder);

    const Document& document_;
    double dpi_;
    std::map<QString, FileJob> files_;
    std::map<PreparedKey, int> usesLeft_;
    // Encoded bytes of the pictures taken, by their cache key; they go with the page.
    std::map<qint64, QByteArray> encoded_;
};

} // namespace pagula::document
