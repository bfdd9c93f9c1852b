#include "document/BuiltinEngine.h"

#include "common/Error.h"
#include "imaging/ImageIO.h"

#include <algorithm>
#include <optional>

namespace pagula::document
{

void BuiltinEngine::setDocumentHandler(DocumentHandler handler)
{
    handler_ = std::move(handler);
}

void BuiltinEngine::showAndActivate()
{
    if (!handler_)
        return;
    // The handler may show a window that outlives this call; hand over one at a time and
    // count each as shown before the next, so a throwing handler does not repeat documents.
    while (firstUnshown_ < documents_.size())
        handler_(documents_[firstUnshown_++]);
}

void BuiltinEngine::addDocument()
{
    current_ = std::make_shared<Document>();
    documents_.push_back(current_);
    rangeStart_ = rangeEnd_ = 0;
}

void BuiltinEngine::releaseDocument()
{
    current_.reset();
    rangeStart_ = rangeEnd_ = 0;
}

Document& BuiltinEngine::document()
{
    if (!current_)
        throw Error(QStringLiteral("No document is open"));
    return *current_;
}

void BuiltinEngine::setTopMargin(float points)
{
    document().setTopMargin(points);
}

void BuiltinEngine::setLeftMargin(float points)
{
    document().setLeftMargin(points);
}

void BuiltinEngine::setBottomMargin(float points)
{
    document().setBottomMargin(points);
}

void BuiltinEngine::setRightMargin(float points)
{
    document().setRightMargin(points);
}

void BuiltinEngine::selectWholeDocument()
{
    rangeStart_ = 0;
    rangeEnd_ = document().itemCount();
}

int BuiltinEngine::rangeEnd()
{
    document();
    return rangeEnd_;
}

void BuiltinEngine::setRange(int start, int end)
{
    // Like the word processor, bounds beyond the document are pulled back into it.
    const int count = document().itemCount();
    rangeEnd_ = std::clamp(end, 0, count);
    rangeStart_ = std::clamp(start, 0, rangeEnd_);
}

void BuiltinEngine::insertAfter(const QString& text)
{
    Document& doc = document();
    for (const QChar c : text) {
        if (c != ParagraphMark && c != LineBreak && c != PageBreak)
            throw Error(QStringLiteral("Character %1 cannot be inserted; the document holds "
                                       "only pictures, paragraph marks, line breaks and page "
                                       "breaks")
                            .arg(c.unicode()));
    }
    for (const QChar c : text) {
        const ItemKind kind = c == ParagraphMark ? ItemKind::ParagraphMark
                              : c == LineBreak   ? ItemKind::LineBreak
                                                 : ItemKind::PageBreak;
        doc.insertControl(rangeEnd_++, kind);
    }
}

void BuiltinEngine::addPicture(const QString& path, bool linkToFile, bool saveWithDocument)
{
    Document& doc = document();
    std::optional<InlinePicture> picture;
    try {
        const imaging::ImageInfo info = imaging::probeFile(path);
        picture.emplace(path, info.sizeInPoints(), linkToFile, saveWithDocument);
    } catch (const Error& e) {
        throw Error(QStringLiteral("Cannot insert picture %1: %2").arg(path, e.message()));
    }
    // The picture comes in at its own size, made smaller when it would not fit the page.
    picture->fitInto(doc.textArea().size());
    // As in the word processor, a picture added to a range replaces what the range holds.
    doc.removeItems(rangeStart_, rangeEnd_);
    doc.insertPicture(rangeStart_, std::move(*picture));
    rangeEnd_ = rangeStart_ + 1;
}

int BuiltinEngine::pictureCount()
{
    return document().pictureCountIn(rangeStart_, rangeEnd_);
}

InlinePicture& BuiltinEngine::picture(int n)
{
    Document& doc = document();
    const int index = doc.pictureItemIndex(rangeStart_, rangeEnd_, n);
    if (index < 0)
        throw Error(QStringLiteral("The requested member of the collection does not exist"));
    return doc.pictureAt(index);
}

void BuiltinEngine::setScaleHeight(int n, float percent)
{
    picture(n).setScaleHeight(percent);
}

void BuiltinEngine::setScaleWidth(int n, float percent)
{
    picture(n).setScaleWidth(percent);
}

float BuiltinEngine::width(int n)
{
    return static_cast<float>(picture(n).width());
}

float BuiltinEngine::height(int n)
{
    return static_cast<float>(picture(n).height());
}

void BuiltinEngine::setWidth(int n, float points)
{
    picture(n).setWidth(points);
}

void BuiltinEngine::setHeight(int n, float points)
{
    picture(n).setHeight(points);
}

void BuiltinEngine::setBrightness(int n, float value)
{
    picture(n).setBrightness(value);
}

void BuiltinEngine::setContrast(int n, float value)
{
    picture(n).setContrast(value);
}

void BuiltinEngine::setColorType(int n, ColorType type)
{
    picture(n).setColorType(type);
}

void BuiltinEngine::setCrop(int n, CropSide side, float points)
{
    picture(n).setCrop(side, points);
}

void BuiltinEngine::setBorder(int n, BorderEdge edge, int lineStyle, int lineWidth)
{
    picture(n).setBorder(edge, lineStyle, lineWidth);
}

} // namespace pagula::document
