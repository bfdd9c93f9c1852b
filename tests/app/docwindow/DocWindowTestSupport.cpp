#include "DocWindowTestSupport.h"

#include "document/BuiltinDocumentBuilder.h"
#include "imaging/ImageIO.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QImage>

#include <chrono>

namespace pagula::docwindow::test
{

QString saveSolidPicture(const QString& path, QColor color, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    pagula::test::savePicture(image, path, "PNG");
    return path;
}

std::shared_ptr<document::Document> gridDocument(const QStringList& paths, int columns, QSizeF cell)
{
    document::BuiltinDocumentBuilder builder;
    builder.beginDocument(QMarginsF(20, 20, 20, 20));
    for (int i = 0; i < paths.size(); ++i) {
        builder.addCell({paths[i], cell, std::nullopt, std::nullopt, {}});
        if ((i + 1) % columns == 0)
            builder.endRow();
    }
    return builder.currentDocument();
}

ColourGrid makeColourGrid(const QString& folder, int pictures)
{
    ColourGrid grid;
    for (int i = 0; i < pictures; ++i) {
        // Distinct colours, so a picture drawn in another cell or not at all shows.
        const QColor colour(QColor::fromHsv((i * 40) % 360, 200, 90 + (i % 3) * 60).rgb());
        grid.colours.append(colour);
        grid.paths.append(
            saveSolidPicture(QDir(folder).filePath(QStringLiteral("p%1.png").arg(i)), colour));
    }
    return grid;
}

document::PictureSource::Decoder RecordingDecoder::decoder()
{
    std::shared_ptr<State> state = state_;
    return [state](const QString& path, const imaging::DecodeRequest& request) {
        {
            std::unique_lock<std::mutex> lock(state->mutex);
            state->paths.append(path);
            ++state->waiting;
            state->changed.notify_all();
            state->changed.wait(lock, [&] { return !state->holding; });
            --state->waiting;
        }
        return imaging::decodeFile(path, request);
    };
}

QStringList RecordingDecoder::decodedPaths() const
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->paths;
}

void RecordingDecoder::clear()
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->paths.clear();
}

void RecordingDecoder::hold()
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->holding = true;
}

void RecordingDecoder::release()
{
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->holding = false;
    }
    state_->changed.notify_all();
}

bool RecordingDecoder::isHeld() const
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->waiting > 0;
}

bool RecordingDecoder::waitUntilHeld(int milliseconds)
{
    std::unique_lock<std::mutex> lock(state_->mutex);
    return state_->changed.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                    [&] { return state_->waiting > 0; });
}

} // namespace pagula::docwindow::test
