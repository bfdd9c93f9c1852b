#pragma once

#include "document/Document.h"
#include "document/FlowLayout.h"

#include "imaging/ImageIO.h"

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
// each file is decoded once, at the largest size the page needs, and each decoded or prepared
// picture is let go after its last use: memory holds at most what the rest of the page needs.
// The same white filler in every cell is thus decoded and prepared once.
class PictureSource
{
public:
    // Decodes a picture file; throws pagula::Error. imaging::decodeFile when empty.
    using Decoder = std::function<QImage(const QString& path, const imaging::DecodeRequest&)>;

    PictureSource(const Document& document, const QList<PlacedPicture>& pictures, double pictureDpi,
                  Decoder decoder = {});

    // The picture to draw in a placed picture's box: cropped, scaled to the box at the
    // resolution, adjusted; a null image when the crop leaves nothing. Call it once for each
    // placed picture given to the constructor. Throws pagula::Error when the file cannot be
    // decoded (imaging::ImageError) or memory runs out.
    QImage take(const PlacedPicture& placed);

private:
    using PreparedKey =
        std::tuple<QString, double, double, double, double, int, int, double, double, int>;
    struct FileState {
        QSize atLeast;
        int usesLeft = 0;
        bool decoded = false;
        QImage image;
        std::optional<QString> failure;
    };
    struct PreparedState {
        int usesLeft = 0;
        std::optional<QImage> image;
    };

    QSize targetFor(const PlacedPicture& placed) const;
    PreparedKey keyFor(const InlinePicture& picture, QSize target) const;
    const QImage& decoded(FileState& file, const QString& path);

    const Document& document_;
    double dpi_;
    Decoder decoder_;
    std::map<QString, FileState> files_;
    std::map<PreparedKey, PreparedState> prepared_;
};

} // namespace pagula::document
